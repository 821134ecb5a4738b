#include "viewer/ui/TViewerFind.h"

#include "platform/CodePageText.h"
#include "viewer/ui/TFindDialog.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QApplication>
#include <QMessageBox>

namespace lrl {

TViewerFind::TViewerFind(TSyntaxMemo& memo)
    : QObject(&memo)
    , m_memo(memo)
    , m_search(memo)
{
    showMessage = [this](const TSearchMessage& message) { showMessageBox(message); };
    m_search.onMessage = [this](const TSearchMessage& message) {
        if (showMessage)
            showMessage(message);
    };
}

TViewerFind::~TViewerFind() { delete m_dialog.data(); }

bool TViewerFind::findText(const std::string& text, TSearchResult& result, uint16_t flags)
{
    // The dialog's box is the user's choice, also when it was ticked without a search since.
    if (m_dialog)
        m_search.setRegexMode(m_dialog->regexMode());
    const bool found = m_search.findText(text, result, flags);
    if ((flags & sfFindNow) || m_memo.textStore().empty())
        return found;

    const TFindDialogSetup& setup = m_search.dialogSetup();
    if (!m_dialog) {
        ensureDialog();
        m_dialog->setMatchCase(setup.matchCase);
        m_dialog->setWholeWord(setup.wholeWord);
        m_dialog->setDown(setup.down);
    }
    m_dialog->setRegexMode(m_search.regexMode());
    m_dialog->setFindText(setup.findText, m_memo.codePage());
    // Matches stay visible while the dialog has the focus.
    m_memo.setHideSelection(false);
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    return false;
}

bool TViewerFind::findNext()
{
    if (!m_dialog)
        return false;
    m_search.setRegexMode(m_dialog->regexMode());
    TFindRequest request;
    // A text with characters the file's code page lacks cannot be in the file.
    std::optional<std::string> exact = m_dialog->exactFindText(m_memo.codePage());
    request.text = exact ? *exact : m_dialog->findText(m_memo.codePage());
    request.unmatchable = !exact;
    request.matchCase = m_dialog->matchCase();
    request.wholeWord = m_dialog->wholeWord();
    request.down = m_dialog->down();
    return m_search.findNext(request);
}

void TViewerFind::ensureDialog()
{
    m_dialog = new TFindDialog(m_memo.window());
    connect(m_dialog.data(), &TFindDialog::findNext, this, [this] { findNext(); });
}

void TViewerFind::showMessageBox(const TSearchMessage& message)
{
    QWidget* parent = m_dialog && m_dialog->isVisible() ? static_cast<QWidget*>(m_dialog.data()) : &m_memo;
    const QString text = CodePageText::decode(m_memo.codePage(), message.text);
    if (message.kind == TSearchMessage::Error) {
        // The pattern, the caret under the error and the message: a fixed font keeps the caret in place.
        QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), QString(), QMessageBox::Ok,
            parent);
        box.setTextFormat(Qt::RichText);
        box.setText("<pre style=\"font-family:monospace\">" + text.toHtmlEscaped() + "</pre>");
        box.exec();
        return;
    }
    QMessageBox::information(parent, QApplication::applicationName(), text);
}

} // namespace lrl
