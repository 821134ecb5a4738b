#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace lrl {

// The program's help: the HTML pages built into the program, shown in a browser window of their own
// with buttons for the contents page, back and forward. It stays open beside the main window until
// it is closed (Esc closes it too).
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The contents page, the first page the help shows.
    static QUrl contentsUrl();

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window at the contents page and brings it to the front.
    void showContents();
    QTextBrowser* browser() const { return m_browser; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace lrl
