// The main window's side of the options dialog: running it for the scanner, and the settings, the
// custom header text and the commands it reaches through OptionsDialogHost.

#include "browser/ui/TfrmLrlDelphi.h"

#include "browser/FilePaths.h"
#include "options/TOptionsDialog.h"
#include "scheme/TSyntaxMemoParser.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QToolBar>

#include <exception>

namespace lrl {

void TfrmLrlDelphi::runOptionsDialog(const QString& page)
{
    try {
        TOptionsDialog dialog(*this, this);
        dialog.onStylesAccepted = [this] { reapplyScheme(); };
        dialog.run(*SyntaxMemoParser1, TOptionsDialog::pageNamed(page));
    } catch (const std::exception& e) {
        showError(e.what());
    }
    // The viewer's options follow the settings again, whichever way the dialog ended.
    applyWordWrap();
    applyLineNumbers();
}

void TfrmLrlDelphi::runCodePrintOptions()
{
    if (m_optionsDialog)
        m_optionsDialog(QStringLiteral("Code Page Print"));
}

// The accepted styles are activated in the viewers and kept in the settings store. Activating the viewers
// gives them the whole of the scheme's settings, its option bits too; the options each viewer has been
// given by the window stay.
void TfrmLrlDelphi::reapplyScheme()
{
    TSyntaxMemoOptions shown = SyntaxMemo1->options();
    TSyntaxMemoOptions buffer = tmpMemo->options();
    SyntaxMemoParser1->optionsAccepted(*m_store);
    SyntaxMemo1->setOptions(shown);
    tmpMemo->setOptions(buffer);
    SyntaxMemo1->viewport()->update();
}

BrowserSettings& TfrmLrlDelphi::settings() { return m_browser->settings(); }

bool TfrmLrlDelphi::fileOpen() const { return !m_browser->fileLabel().empty(); }

std::string TfrmLrlDelphi::customHeaderText() const
{
    return m_browser->fileInfoRead(extractFileName(m_browser->fileLabel()), "CsmtTxt");
}

void TfrmLrlDelphi::setCustomHeaderText(const std::string& text)
{
    try {
        m_browser->fileInfoWrite("CsmtTxt", text);
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

void TfrmLrlDelphi::setOptionsChanged(bool changed) { m_display->setOptionsChanged(changed); }

void TfrmLrlDelphi::applyToolbarDocking() { ToolBar1->setMovable(m_browser->settings().DckTlbr); }

TSyntaxMemoOptions TfrmLrlDelphi::viewerOptions() const { return SyntaxMemo1->options(); }

} // namespace lrl
