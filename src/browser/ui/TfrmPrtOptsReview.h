#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace lrl {

struct PrintReviewTexts;

// The print options review shown before a print job: printer, header, date, page and line numbers and
// the margins, with Continue, Change (the options dialog on its code-print page) and Cancel, and
// "Don't show this message again.".
class TfrmPrtOptsReview : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrtOptsReview(QWidget* parent = nullptr);

    // What the dialog shows, asked each time it is activated.
    std::function<PrintReviewTexts()> values;
    // Change: opens the options dialog; the dialog refreshes when it returns.
    std::function<void()> onChange;
    // The check box was toggled (sets dsf at once), and the dialog closed (writes dsf).
    std::function<void(bool)> onDontShowToggled;
    std::function<void(bool)> onClosed;

    // Shows the dialog modally; answers false for Cancel.
    bool review(bool dontShow);
    // Fills the labels from values.
    void refresh();
    bool reviewCancelled() const { return m_cancelled; }
    bool reviewChange() const { return m_change; }

    QLabel* lblPrinter = nullptr;
    QLabel* lblHeader = nullptr;
    QLabel* lblDate = nullptr;
    QLabel* lblPageNo = nullptr;
    QLabel* lblLineNo = nullptr;
    QLabel* lblTop = nullptr;
    QLabel* lblLeft = nullptr;
    QLabel* lblRight = nullptr;
    QLabel* lblBottom = nullptr;
    QCheckBox* chkDontShow = nullptr;
    QPushButton* btnContinue = nullptr;
    QPushButton* btnChange = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    bool m_cancelled = false;
    bool m_change = false;
};

} // namespace lrl
