// The main window's settings: read once in its creation step, written when it closes, through the one
// settings store the window was given; the toolbar's three docks; help and exit.

#include "browser/ui/TfrmLrlDelphi.h"

#include "browser/ui/HelpWindow.h"
#include "browser/ui/ToolbarIcons.h"
#include "platform/HintDisplay.h"
#include "platform/WindowPlacement.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QToolBar>

#include <algorithm>
#include <exception>

namespace lrl {

namespace {

Qt::ToolBarArea areaOf(ToolbarDock dock)
{
    switch (dock) {
    case ToolbarDock::Left:
        return Qt::LeftToolBarArea;
    case ToolbarDock::Right:
        return Qt::RightToolBarArea;
    default:
        return Qt::TopToolBarArea;
    }
}

} // namespace

// The Help menu, and Help and Exit at the end of the toolbar.
void TfrmLrlDelphi::createHelpCommands()
{
    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuContents = mnuHelp->addAction(QStringLiteral("&Contents"), this, &TfrmLrlDelphi::showHelp);
    mnuContents->setObjectName(QStringLiteral("mnuContents"));
    mnuContents->setShortcut(QKeySequence::HelpContents);
    mnuHelp->addSeparator();
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    ToolBar1->addSeparator();
    tbbtnHelp = ToolBar1->addAction(
        ToolbarIcons::icon(ToolbarIcons::Help), QString(), this, &TfrmLrlDelphi::showHelp);
    tbbtnHelp->setObjectName(QStringLiteral("tbbtnHelp"));
    tbbtnHelp->setToolTip(QStringLiteral("Help"));
    tbbtnExit = ToolBar1->addAction(ToolbarIcons::icon(ToolbarIcons::Exit), QString(), this, &QWidget::close);
    tbbtnExit->setObjectName(QStringLiteral("tbbtnExit"));
    tbbtnExit->setToolTip(QStringLiteral("Exit Listrel for Delphi"));
}

// FormCreate, in this order: the scanner's styles (the user's, else the program's default ones); the
// viewers' options; the window's position and size and the tree's width;
// the flags; the toolbar's dock; the print buffer's left and width; word wrap and line numbers; the
// recent files without those that no longer exist; hints and toolbar dragging.
void TfrmLrlDelphi::FormCreate()
{
    BrowserSettings& s = m_browser->settings();
    s.read(*m_store);

    // A damaged style value is reported; the window opens with what could be read of it.
    try {
        loadUserOrDefaultStyles(*SyntaxMemoParser1, *m_store);
    } catch (const std::exception& e) {
        showError(e.what());
    }

    TSyntaxMemoOptions options;
    options.insert(smoSyntaxHighlight);
    options.insert(smoPrintWrap);
    options.insert(smoWordSelect);

    // A stored place from another screen layout, or a damaged one, still gives a window the user can see
    // and reach.
    QRect placed = WindowPlacement::fitToScreens(QRect(s.Left, s.Top, s.Width, s.Height));
    move(placed.topLeft());
    resize(placed.size());
    // The splitter shares out only the width it has, and a window not yet shown has not given it its
    // own; it gets the window's width first, so that the tree keeps the stored width.
    Splitter1->resize(placed.width(), Splitter1->height());
    Splitter1->setSizes({ s.P2, std::max(placed.width() - s.P2, 1) });

    dockToolbar(s.DckLoc);
    tmpMemo->setGeometry(SyntaxMemo1->x(), tmpMemo->y(), SyntaxMemo1->width(), tmpMemo->height());

    options.set(smoWordWrap, s.WrdWrp);
    options.set(smoShowGutter, s.ShLnNum);
    options.set(smoLineNumbers, s.ShLnNum);
    SyntaxMemo1->setOptions(options);
    tmpMemo->setOptions(options);
    applyWordWrap();
    applyLineNumbers();

    m_recent.load(*m_store);
    m_recent.removeObsolete();
    rebuildRecentMenus();

    HintDisplay::setShown(s.ShHnts);
    ToolBar1->setMovable(s.DckTlbr);
    setWindowTitle(QString::fromLatin1(kCaption));
}

// The window as it is now: its place and size (those it returns to when it is maximised), the tree's
// width, the toolbar's dock, then every setting and the recent files.
void TfrmLrlDelphi::writeSettings()
{
    BrowserSettings& s = m_browser->settings();
    QRect g = isMaximized() || isMinimized() || isFullScreen() ? normalGeometry() : QRect(pos(), size());
    s.Top = g.y();
    s.Left = g.x();
    s.Height = g.height();
    s.Width = g.width();
    if (QList<int> sizes = Splitter1->sizes(); !sizes.isEmpty())
        s.P2 = sizes.front();
    s.DckLoc = toolbarDock();
    try {
        s.write(*m_store);
        m_recent.save(*m_store);
        m_store->flush();
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

// A floating toolbar is docked at the top first, so that the stored dock is always one of the three.
void TfrmLrlDelphi::closeEvent(QCloseEvent* event)
{
    if (ToolBar1->isFloating())
        dockToolbar(ToolbarDock::Top);
    writeSettings();
    QMainWindow::closeEvent(event);
}

ToolbarDock TfrmLrlDelphi::toolbarDock() const
{
    if (ToolBar1->isFloating())
        return ToolbarDock::Floating;
    switch (toolBarArea(ToolBar1)) {
    case Qt::LeftToolBarArea:
        return ToolbarDock::Left;
    case Qt::RightToolBarArea:
        return ToolbarDock::Right;
    default:
        return ToolbarDock::Top;
    }
}

void TfrmLrlDelphi::dockToolbar(ToolbarDock dock)
{
    bool wasShown = !ToolBar1->isHidden();
    if (ToolBar1->isFloating())
        ToolBar1->setWindowFlags(Qt::Widget);
    addToolBar(areaOf(dock), ToolBar1);
    if (wasShown)
        ToolBar1->show();
}

void TfrmLrlDelphi::showHelp()
{
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    m_helpWindow->showContents();
}

} // namespace lrl
