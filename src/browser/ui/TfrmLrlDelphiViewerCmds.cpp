// The main window's viewer commands: Find (toolbar, menu, Ctrl+F in the viewer), Find Next and Previous
// (F3, Shift+F3), Copy and the viewer's context menu, word wrap and line numbers, the options dialog with
// its reload question, and collapsing or expanding the selected branch of the tree.

#include "browser/ui/TfrmLrlDelphi.h"

#include "browser/ui/ToolbarIcons.h"
#include "browser/ui/TreeItemModel.h"
#include "viewer/keymap/TEditorCommand.h"
#include "viewer/ui/TFindDialog.h"
#include "viewer/ui/TSyntaxMemo.h"
#include "viewer/ui/TSyntaxMemoInput.h"
#include "viewer/ui/TViewerFind.h"
#include "widgets/EventHook.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeView>

#include <exception>

namespace lrl {

namespace {

// F with Ctrl and no other modifier: the viewer's own Find key.
bool isCtrlF(const QKeyEvent* key)
{
    return key->key() == Qt::Key_F && key->modifiers() == Qt::ControlModifier;
}

} // namespace

void TfrmLrlDelphi::createViewerCommands()
{
    // Find: toolbar and menu; in the viewer, the release of F pressed with exactly Ctrl held. The press
    // is kept from the menu's shortcut there, so that one Ctrl+F runs Find once. The press decides, not
    // the release: Ctrl is often let go before F, and then the release of F comes without it.
    connect(tbbtnFind, &QAction::triggered, this, &TfrmLrlDelphi::runFind);
    connect(mnuFind, &QAction::triggered, this, &TfrmLrlDelphi::runFind);
    connect(mnuFindNext, &QAction::triggered, this, [this] { findAgain(true); });
    connect(mnuFindPrevious, &QAction::triggered, this, [this] { findAgain(false); });
    new EventHook(SyntaxMemo1, [this](QEvent* event) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            if (isCtrlF(static_cast<QKeyEvent*>(event)))
                event->accept();
            break;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F && !key->isAutoRepeat())
                m_findKeyDown = isCtrlF(key);
            // The context-menu key (and Shift+F10) opens the viewer's menu at the caret.
            if (key->key() == Qt::Key_Menu
                || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
                popupViewerMenuAtCaret();
                return true;
            }
            break;
        }
        case QEvent::ContextMenu:
            if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
                popupViewerMenuAtCaret();
                return true;
            }
            break;
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F && !key->isAutoRepeat() && m_findKeyDown) {
                m_findKeyDown = false;
                if (mnuFind->isEnabled())
                    runFind();
            }
            break;
        }
        case QEvent::FocusOut:
            m_findKeyDown = false;
            break;
        default:
            break;
        }
        return false;
    });

    // Word wrap, a toggle button.
    tbbtnWrdWrp = ToolBar1->addAction(ToolbarIcons::icon(ToolbarIcons::WordWrap), QString());
    tbbtnWrdWrp->setObjectName(QStringLiteral("tbbtnWrdWrp"));
    tbbtnWrdWrp->setToolTip(QStringLiteral("Word wrap"));
    tbbtnWrdWrp->setCheckable(true);
    connect(tbbtnWrdWrp, &QAction::triggered, this, &TfrmLrlDelphi::toggleWordWrap);

    connect(tbbtnCmpExpTre, &QAction::triggered, this, &TfrmLrlDelphi::collapseExpandSelected);

    // The Options menu, right after the File menu.
    mnuOptions = new QMenu(QStringLiteral("&Options"), this);
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    QList<QAction*> menus = menuBar()->actions();
    qsizetype file = menus.indexOf(mnuFile->menuAction());
    QAction* before = file >= 0 && file + 1 < menus.size() ? menus[file + 1] : nullptr;
    menuBar()->insertMenu(before, mnuOptions);
    mnuViewer = mnuOptions->addAction(
        QStringLiteral("Viewer/Print/Syntax"), this, &TfrmLrlDelphi::runViewerOptions);
    mnuViewer->setObjectName(QStringLiteral("mnuViewer"));

    // The viewer's context menu; Copy and Print highlighted text need a selection.
    pmnSyntaxMemo = new QMenu(this);
    pmnSyntaxMemo->setObjectName(QStringLiteral("pmnSyntaxMemo"));
    pmnuCopy
        = pmnSyntaxMemo->addAction(QStringLiteral("Copy to clipboard"), this, &TfrmLrlDelphi::copySelection);
    pmnuCopy->setObjectName(QStringLiteral("pmnuCopy"));
    // The viewer's own key map copies on Ctrl+C; the menu only names the key.
    pmnuCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    pmnuCopy->setShortcutContext(Qt::WidgetShortcut);
    pmnuPrtSelTxt = pmnSyntaxMemo->addAction(QStringLiteral("Print highlighted text"));
    pmnuPrtSelTxt->setObjectName(QStringLiteral("pmnuPrtSelTxt"));
    pmnSyntaxMemo->addSeparator();
    pmnuSynTxProp = pmnSyntaxMemo->addAction(QStringLiteral("Syntax Highlighting"), this, [this] {
        if (m_optionsDialog)
            m_optionsDialog(QStringLiteral("Syntax Highlighting"));
    });
    pmnuSynTxProp->setObjectName(QStringLiteral("pmnuSynTxProp"));
    connect(pmnSyntaxMemo, &QMenu::aboutToShow, this, [this] {
        bool selected = SyntaxMemo1->selLength() > 0;
        pmnuCopy->setEnabled(selected);
        pmnuPrtSelTxt->setEnabled(selected);
    });
    SyntaxMemo1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SyntaxMemo1, &QWidget::customContextMenuRequested, this, &TfrmLrlDelphi::popupViewerMenu);
}

void TfrmLrlDelphi::popupViewerMenu(const QPoint& at) { pmnSyntaxMemo->popup(SyntaxMemo1->mapToGlobal(at)); }

// Just below the caret's row when the caret is in view, otherwise at the view's top left corner.
void TfrmLrlDelphi::popupViewerMenuAtCaret()
{
    QWidget* view = SyntaxMemo1->viewport();
    TPoint caret = SyntaxMemo1->caretPos();
    QPoint at(caret.x, caret.y + SyntaxMemo1->metrics().lineHeight());
    if (!view->rect().contains(at))
        at = QPoint(0, 0);
    popupViewerMenu(view->mapTo(SyntaxMemo1, at));
}

void TfrmLrlDelphi::runFind()
{
    try {
        if (!m_find)
            m_find = std::make_unique<TViewerFind>(*SyntaxMemo1);
        TSearchResult result;
        m_find->findText(SyntaxMemo1->selText(), result, 0);
        // F3 and Shift+F3 work in the Find dialog as well.
        if (TFindDialog* dialog = m_find->dialog())
            dialog->addActions({ mnuFindNext, mnuFindPrevious });
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

void TfrmLrlDelphi::findAgain(bool forward)
{
    if (!m_find || !m_find->hasLastSearch()) {
        runFind();
        return;
    }
    try {
        m_find->findAgain(forward);
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

// The viewer's own copy command, so that the menu copies in the same formats as the key does.
void TfrmLrlDelphi::copySelection() { SyntaxMemo1->input().commands().execute(caCOPY, false); }

void TfrmLrlDelphi::toggleWordWrap()
{
    BrowserSettings& s = m_browser->settings();
    s.WrdWrp = !s.WrdWrp;
    applyWordWrap();
}

void TfrmLrlDelphi::applyWordWrap()
{
    TSyntaxMemoOptions options = SyntaxMemo1->options();
    options.set(smoWordWrap, m_browser->settings().WrdWrp);
    SyntaxMemo1->setOptions(options);
    if (tbbtnWrdWrp)
        tbbtnWrdWrp->setChecked(m_browser->settings().WrdWrp);
}

void TfrmLrlDelphi::toggleLineNumbers()
{
    BrowserSettings& s = m_browser->settings();
    s.ShLnNum = !s.ShLnNum;
    applyLineNumbers();
}

void TfrmLrlDelphi::applyLineNumbers()
{
    bool on = m_browser->settings().ShLnNum;
    TSyntaxMemoOptions options = SyntaxMemo1->options();
    options.set(smoShowGutter, on);
    options.set(smoLineNumbers, on);
    SyntaxMemo1->setOptions(options);
}

void TfrmLrlDelphi::collapseExpandSelected()
{
    if (TTreeNode* node = m_display->collapseOrExpand(m_browser->tree().selected()))
        treView->scrollTo(m_treeModel->indexOf(node));
}

void TfrmLrlDelphi::runViewerOptions()
{
    try {
        if (m_optionsDialog)
            m_optionsDialog(QStringLiteral("Viewer"));
        m_display->optionsDialogClosed();
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

} // namespace lrl
