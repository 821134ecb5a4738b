#include "browser/ui/HelpWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

// The pages live in a resource of this static library, which has to be registered once by hand.
static void registerHelpPages() { Q_INIT_RESOURCE(help); }

namespace lrl {

QUrl HelpWindow::contentsUrl() { return QUrl(QStringLiteral("qrc:/help/index.html")); }

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    registerHelpPages();
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Listrel for Delphi Help"));
    resize(640, 520);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);

    auto button = [this](const QString& text) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setAutoRaise(true);
        return b;
    };
    QToolButton* contents = button(QStringLiteral("&Contents"));
    QToolButton* back = button(QStringLiteral("&Back"));
    QToolButton* forward = button(QStringLiteral("&Forward"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QToolButton::clicked, m_browser, &QTextBrowser::home);
    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addLayout(buttons);
    column->addWidget(m_browser, 1);

    m_browser->setSource(contentsUrl());
}

// Esc closes the window; the page and the buttons leave the key to it.
void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::showContents()
{
    m_browser->setSource(contentsUrl());
    show();
    raise();
    activateWindow();
}

} // namespace lrl
