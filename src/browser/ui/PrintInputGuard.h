#pragma once

#include <QObject>

class QWidget;

namespace lrl {

// While a print job runs, the window lets messages run so that its Abort Print button can be clicked.
// For as long as it exists, this guard drops everything else the user does to the window: mouse
// buttons, wheel, keys, shortcuts, context menus and drops on any of its widgets but the Abort Print
// button, and it refuses to close the window. A job walks the project tree and the viewer, which a click
// or an open would change under it. Other windows (message boxes, the preview, file dialogs) work as
// usual.
class PrintInputGuard : public QObject {
public:
    PrintInputGuard(QWidget& window, QWidget& abortButton);
    ~PrintInputGuard() override;
    PrintInputGuard(const PrintInputGuard&) = delete;
    PrintInputGuard& operator=(const PrintInputGuard&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isUserInput(const QEvent& event) const;
    bool ofTheWindow(const QWidget* widget) const;
    bool blocked(QObject* watched, const QEvent& event) const;

    QWidget& m_window;
    QWidget& m_abortButton;
};

} // namespace lrl
