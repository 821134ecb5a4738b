// The main window's controls and layout, and its creation step.

#include "browser/ui/TfrmLrlDelphi.h"

#include "browser/BrowserConstants.h"
#include "browser/ui/StatusAreaLayout.h"
#include "browser/ui/ToolbarIcons.h"
#include "browser/ui/TreeItemModel.h"
#include "browser/ui/TreeNodeDelegate.h"
#include "common/MemorySettingsStore.h"
#include "platform/AppDataFolder.h"
#include "platform/HintDisplay.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/ui/TFindDialog.h"
#include "viewer/ui/TSyntaxMemo.h"
#include "viewer/ui/TViewerFind.h"
#include "widgets/FileDropFilter.h"
#include "widgets/PathLabel.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace lrl {

namespace {

// A sunken panel of the status area holding one line of text.
QLabel* statusPanel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setTextFormat(Qt::PlainText);
    label->setMargin(1);
    return label;
}

} // namespace

QString TfrmLrlDelphi::openDialogFilter()
{
    // "description|patterns|description|patterns..." becomes "description (patterns);;...": Qt shows
    // the description, which already names its patterns, and filters by the patterns in brackets.
    QStringList parts = QString::fromLatin1(ProjectBrowser::kOpenDialogFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

TfrmLrlDelphi::TfrmLrlDelphi(QWidget* parent, const QString& fileInfoPath, SettingsStore* settingsStore)
    : QMainWindow(parent)
    , m_ownStore(settingsStore ? nullptr : std::make_unique<MemorySettingsStore>())
    , m_store(settingsStore ? settingsStore : m_ownStore.get())
{
    setObjectName(QStringLiteral("frmLrlDelphi"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setAcceptDrops(true);

    createViewers();
    QString infoPath = fileInfoPath.isEmpty() ? AppDataFolder::fileInfoPath() : fileInfoPath;
    BrowserUi& ui = *this;
    m_browser = std::make_unique<ProjectBrowser>(*m_viewer, ui, infoPath.toStdString());
    createTree();
    createStatusArea();
    createMenus();
    createToolBar();
    layoutWindow();
    createDisplay();
    createViewerCommands();
    createTreePrintCommand();
    createPrintCommands();
    createHelpCommands();
    m_optionsDialog = [this](const QString& page) { runOptionsDialog(page); };
    FormCreate();
}

TfrmLrlDelphi::~TfrmLrlDelphi()
{
    // The search's dialog and the display go before the viewer and the tree they refer to.
    m_find.reset();
    m_display.reset();
    // The tree's item model listens to the browser's tree; it goes first.
    delete m_treeModel;
    m_treeModel = nullptr;
}

// The scanner component with the shipped table (keeping the user's styles under the window's settings
// key), the visible viewer and the hidden print buffer, both bound to it.
void TfrmLrlDelphi::createViewers()
{
    SyntaxMemoParser1 = createShippedParser("SyntaxMemoParser1");
    useShippedRegistryKey(*SyntaxMemoParser1);
    SyntaxMemo1 = new TSyntaxMemo(*SyntaxMemoParser1, this);
    SyntaxMemo1->setObjectName(QStringLiteral("SyntaxMemo1"));
    SyntaxMemo1->setReadOnly(true);

    tmpMemo = new TSyntaxMemo(*SyntaxMemoParser1, this);
    tmpMemo->setObjectName(QStringLiteral("tmpMemo"));
    tmpMemo->setReadOnly(true);
    tmpMemo->hide();

    m_viewer = std::make_unique<SyntaxMemoBrowserViewer>(*SyntaxMemo1);
}

void TfrmLrlDelphi::createTree()
{
    treView = new QTreeView(this);
    treView->setObjectName(QStringLiteral("treView"));
    treView->setHeaderHidden(true);
    treView->setUniformRowHeights(true);
    treView->setIconSize(QSize(TreeImages::kSize, TreeImages::kSize));
    treView->setSelectionMode(QAbstractItemView::SingleSelection);
    treView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    treView->setExpandsOnDoubleClick(false);
    // The one column is as wide as the widest caption shown, so that long unit paths scroll rather than
    // being cut. It is measured after each change of the shown rows, not on every inserted node: that
    // would measure the whole tree once per node while a big project is read.
    treView->header()->setStretchLastSection(false);
    treView->header()->setSectionResizeMode(QHeaderView::Interactive);

    m_treeModel = new TreeItemModel(m_browser->tree(), ImageList1, this);
    treView->setModel(m_treeModel);
    treView->setItemDelegate(new TreeNodeDelegate(ImageList1, treView));

    // The tree's own requests: expansion, selection and the update brackets of a load.
    connect(m_treeModel, &TreeItemModel::expansionRequested, treView,
        [this](const QModelIndex& index, bool expanded) { treView->setExpanded(index, expanded); });
    connect(m_treeModel, &TreeItemModel::selectionRequested, treView, [this](const QModelIndex& index) {
        if (treView->currentIndex() != index)
            treView->setCurrentIndex(index);
    });
    connect(m_treeModel, &TreeItemModel::updating, treView, [this](bool on) {
        treView->setUpdatesEnabled(!on);
        if (!on)
            fitTreeColumn();
    });
    // The user's selection becomes the tree's selected node (which shows its selected image).
    connect(treView->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) {
            TreeModel& tree = m_browser->tree();
            TTreeNode* node = TreeItemModel::nodeAt(current);
            if (tree.selected() != node)
                tree.select(node);
        });
    // A branch the user opens or closes is remembered by the tree.
    connect(treView, &QTreeView::expanded, this, &TfrmLrlDelphi::fitTreeColumn);
    connect(treView, &QTreeView::collapsed, this, &TfrmLrlDelphi::fitTreeColumn);
    connect(treView, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (TTreeNode* node = TreeItemModel::nodeAt(index); node && !node->expanded())
            m_browser->tree().setExpanded(node, true);
    });
    connect(treView, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (TTreeNode* node = TreeItemModel::nodeAt(index); node && node->expanded())
            m_browser->tree().setExpanded(node, false);
    });

    // DnDControl1: files dropped on the tree.
    FileDropFilter* drops = FileDropFilter::install(treView->viewport());
    connect(drops, &FileDropFilter::filesDropped, this, &TfrmLrlDelphi::dropFiles, Qt::QueuedConnection);
}

void TfrmLrlDelphi::fitTreeColumn()
{
    treView->resizeColumnToContents(0);
    int viewport = treView->viewport()->width();
    if (treView->columnWidth(0) < viewport)
        treView->setColumnWidth(0, viewport);
}

void TfrmLrlDelphi::createStatusArea()
{
    Panel3 = statusPanel("Panel3", this);
    Panel3->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Panel3->setFixedWidth(220);
    ProgressBar1 = new QProgressBar(Panel3);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    auto* inPanel3 = new QHBoxLayout(Panel3);
    inPanel3->setContentsMargins(2, 2, 2, 2);
    inPanel3->addWidget(ProgressBar1);

    Panel4 = statusPanel("Panel4", this);
    Panel5 = statusPanel("Panel5", this);
    sbtnAbortPrint = new QPushButton(QStringLiteral("Abort Print"), this);
    sbtnAbortPrint->setObjectName(QStringLiteral("sbtnAbortPrint"));
    sbtnAbortPrint->setEnabled(false);
    sbtnAbortPrint->setFocusPolicy(Qt::NoFocus);

    FileLabel1 = new PathLabel(this);
    FileLabel1->setObjectName(QStringLiteral("FileLabel1"));
    FileLabel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void TfrmLrlDelphi::createMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuOpen = mnuFile->addAction(QStringLiteral("&Open"), this, &TfrmLrlDelphi::openWithDialog);
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuOpen->setShortcut(QKeySequence::Open);
    mnuFile->addSeparator();
    mnuFind = mnuFile->addAction(QStringLiteral("&Find"));
    mnuFind->setObjectName(QStringLiteral("mnuFind"));
    mnuFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuFind->setEnabled(false);
    mnuFindNext = mnuFile->addAction(QStringLiteral("Find &Next"));
    mnuFindNext->setObjectName(QStringLiteral("mnuFindNext"));
    mnuFindNext->setShortcut(QKeySequence(Qt::Key_F3));
    mnuFindNext->setEnabled(false);
    mnuFindPrevious = mnuFile->addAction(QStringLiteral("Find &Previous"));
    mnuFindPrevious->setObjectName(QStringLiteral("mnuFindPrevious"));
    mnuFindPrevious->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    mnuFindPrevious->setEnabled(false);
    // Moved into the Print menu, where it is the "TreeView" item, once the print commands exist.
    mnuPrtTree = mnuFile->addAction(QStringLiteral("Print tree view"));
    mnuPrtTree->setObjectName(QStringLiteral("mnuPrtTree"));
    mnuPrtTree->setEnabled(false);
    mnuMRUSep = mnuFile->addSeparator();
    mnuMRUSep->setObjectName(QStringLiteral("mnuMRUSep"));
    mnuExit = mnuFile->addAction(QStringLiteral("&Exit"), this, &QWidget::close);
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    pmnuOpen = new QMenu(this);
    pmnuOpen->setObjectName(QStringLiteral("pmnuOpen"));
    Open1 = pmnuOpen->addAction(QStringLiteral("Open"), this, &TfrmLrlDelphi::openWithDialog);
    Open1->setObjectName(QStringLiteral("Open1"));
    pmnuMRUSep = pmnuOpen->addSeparator();
    pmnuMRUSep->setObjectName(QStringLiteral("pmnuMRUSep"));

    // The recent files show in whichever of the two menus was opened last.
    connect(mnuFile, &QMenu::aboutToShow, this, [this] {
        m_recentHost = mnuFile;
        rebuildRecentMenus();
    });
    connect(pmnuOpen, &QMenu::aboutToShow, this, [this] {
        m_recentHost = pmnuOpen;
        rebuildRecentMenus();
    });
    m_recentHost = mnuFile;
}

void TfrmLrlDelphi::createToolBar()
{
    ToolBar1 = new QToolBar(QStringLiteral("Tools"), this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setAllowedAreas(Qt::TopToolBarArea | Qt::LeftToolBarArea | Qt::RightToolBarArea);
    ToolBar1->setIconSize(QSize(TreeImages::kSize, TreeImages::kSize));
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    // Its own click does nothing; the arrow drops down the Open menu with the recent files.
    tbbtnOpen = new QToolButton(ToolBar1);
    tbbtnOpen->setObjectName(QStringLiteral("tbbtnOpen"));
    tbbtnOpen->setIcon(ToolbarIcons::icon(ToolbarIcons::Open));
    tbbtnOpen->setToolTip(QStringLiteral("Open Delphi file"));
    tbbtnOpen->setMenu(pmnuOpen);
    tbbtnOpen->setPopupMode(QToolButton::MenuButtonPopup);
    ToolBar1->addWidget(tbbtnOpen);
    ToolBar1->addSeparator();

    tbbtnFind = ToolBar1->addAction(ToolbarIcons::icon(ToolbarIcons::Find), QString());
    tbbtnFind->setObjectName(QStringLiteral("tbbtnFind"));
    tbbtnFind->setToolTip(QStringLiteral("Find text"));
    tbbtnFind->setEnabled(false);
    tbbtnPrtTree = ToolBar1->addAction(ToolbarIcons::icon(ToolbarIcons::PrintTree), QString());
    tbbtnPrtTree->setObjectName(QStringLiteral("tbbtnPrtTree"));
    tbbtnPrtTree->setToolTip(QStringLiteral("Print treeview"));
    tbbtnPrtTree->setEnabled(false);
    tbbtnCmpExpTre = ToolBar1->addAction(ToolbarIcons::icon(ToolbarIcons::CollapseExpand), QString());
    tbbtnCmpExpTre->setObjectName(QStringLiteral("tbbtnCmpExpTre"));
    tbbtnCmpExpTre->setToolTip(QStringLiteral("Collapse selected treenode"));
    tbbtnCmpExpTre->setEnabled(false);
}

// The tree on the left with a splitter to the viewer, which fills the rest under the path label; the
// status area at the bottom in two rows.
void TfrmLrlDelphi::layoutWindow()
{
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* viewerSide = new QWidget(central);
    auto* viewerColumn = new QVBoxLayout(viewerSide);
    viewerColumn->setContentsMargins(0, 0, 0, 0);
    viewerColumn->setSpacing(0);
    FileLabel1->setParent(viewerSide);
    SyntaxMemo1->setParent(viewerSide);
    tmpMemo->setParent(viewerSide);
    tmpMemo->hide();
    viewerColumn->addWidget(FileLabel1);
    viewerColumn->addWidget(SyntaxMemo1, 1);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(treView);
    Splitter1->addWidget(viewerSide);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    outer->addWidget(Splitter1, 1);

    auto* status = new QWidget(central);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setContentsMargins(0, 2, 0, 0);
    new StatusAreaLayout(status, Panel3, Panel4, Panel5, sbtnAbortPrint);
    outer->addWidget(status);

    setCentralWidget(central);
    // Files dropped anywhere else on the window (DnDRun1) come through the window's own drop events.
}

void TfrmLrlDelphi::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The print buffer keeps the width of the viewer, so that it wraps and pages like it.
    if (tmpMemo && SyntaxMemo1)
        tmpMemo->setGeometry(SyntaxMemo1->x(), tmpMemo->y(), SyntaxMemo1->width(), tmpMemo->height());
}

} // namespace lrl
