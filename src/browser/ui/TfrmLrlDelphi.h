#pragma once

#include "browser/BrowserUi.h"
#include "browser/DisplayUi.h"
#include "browser/ProjectBrowser.h"
#include "browser/RecentFileList.h"
#include "browser/SourceDisplay.h"
#include "browser/SyntaxMemoBrowserViewer.h"
#include "browser/ui/TreeImages.h"
#include "common/SettingsStore.h"
#include "options/OptionsDialogHost.h"

#include <QMainWindow>
#include <QPersistentModelIndex>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCloseEvent;
class QKeyEvent;
class QLabel;
class QMenu;
class QMouseEvent;
class QPrinter;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;

namespace lrl {

class HelpWindow;
class PathLabel;
class PrintJobs;
class TfrmPrtOptsReview;
class TPreviewPrinter;
class TSyntaxMemo;
class TSyntaxMemoParser;
class TViewerFind;
class TreeItemModel;

// The main window: the project tree treView on the left, the viewer SyntaxMemo1 filling the rest, the
// path label FileLabel1 above the viewer, the status area below (Panel3 with the hidden ProgressBar1,
// Panel4, and on a second row Panel5 and the Abort Print button), the File menu and the toolbar. The
// reading logic is the ProjectBrowser; the window shows its tree and status texts and carries out what
// it asks of the widgets (BrowserUi).
//
// The class is split by concern over several files: TfrmLrlDelphi.cpp builds the controls and the
// layout, TfrmLrlDelphiOpen.cpp holds the commands that open files (menu, recent files, drops, the
// command line), TfrmLrlDelphiStatus.cpp the status area and the rest of BrowserUi,
// TfrmLrlDelphiDisplay.cpp the tree's clicks, double-clicks and mouse presses (the source display),
// TfrmLrlDelphiViewerCmds.cpp the viewer's commands (find, copy, context menu, word wrap, line numbers,
// the options dialog's reload question) and collapsing or expanding a branch, TfrmLrlDelphiOptions.cpp
// the options dialog and what it asks of the window (OptionsDialogHost).
class TfrmLrlDelphi : public QMainWindow, private BrowserUi, private DisplayUi, private OptionsDialogHost {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Listrel for Delphi";
    // The open dialog's filter in Qt's notation, made from ProjectBrowser::kOpenDialogFilter.
    static QString openDialogFilter();

    // fileInfoPath: the file-information data file (empty: the one in the application data folder).
    // settingsStore: where the window reads its settings when it is created and writes them when it
    // closes; it must outlive the window. Null gives the window a store in memory of its own, so that a
    // window made without one never touches the user's settings.
    explicit TfrmLrlDelphi(
        QWidget* parent = nullptr, const QString& fileInfoPath = {}, SettingsStore* settingsStore = nullptr);
    ~TfrmLrlDelphi() override;

    ProjectBrowser& browser() { return *m_browser; }
    RecentFileList& recentFiles() { return m_recent; }
    const TreeImages& images() const { return ImageList1; }
    TreeItemModel& treeModel() { return *m_treeModel; }

    // Where error boxes and notices go instead of modal message boxes (tests, scripted runs); null
    // restores the boxes.
    using MessageSink = std::function<void(bool isError, const QString& text)>;
    void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }
    // Where Yes/No questions go instead of message boxes; answers true for Yes. Null restores the boxes.
    using QuestionSink = std::function<bool(const QString& text)>;
    void setQuestionSink(QuestionSink sink) { m_questionSink = std::move(sink); }
    // The options dialog, opened on the named page ("Viewer", "Syntax Highlighting", "Code Page Print");
    // runOptionsDialog unless replaced (tests). It sets display().setOptionsChanged() for settings that
    // need a reload.
    using OptionsDialogRunner = std::function<void(const QString& page)>;
    void setOptionsDialogRunner(OptionsDialogRunner runner) { m_optionsDialog = std::move(runner); }

    // --- Source display (TfrmLrlDelphiDisplay.cpp)
    SourceDisplay& display() { return *m_display; }
    // treViewClick and treViewDblClick, on the selected node; failures are shown in an error box.
    void treViewClick();
    void treViewDblClick();
    // Enter in the tree: jumps to the selected routine as a double-click does, shows any other node's
    // file as a click does.
    void treViewEnter();
    // How long the current node must stay put after a key moved it before its file is shown, so that a
    // held arrow key does not load every unit on the way.
    static constexpr int kTreeKeyPauseMs = 250;
    // The single-shot timer of that pause: restarted by each key that may move the current node.
    QTimer* treeKeyTimer() const { return m_treeKeyTimer; }
    // Shows a form file as text in any viewer (the shown one or the print buffer); answers whether it
    // could; a failure is shown in an error box and the viewer keeps its text.
    bool convertFormFile(const QString& path, TSyntaxMemo& viewer);

    // --- Viewer commands (TfrmLrlDelphiViewerCmds.cpp)
    // Find: the Find dialog with the viewer's selected text.
    void runFind();
    // Find Next / Find Previous: the last search again, forwards or backwards; before any search, the
    // Find dialog (as Find).
    void findAgain(bool forward);
    // Copy: the viewer's selection to the clipboard in the viewer's copy formats.
    void copySelection();
    // Flips WrdWrp and applies it; applies WrdWrp and ShLnNum to the viewer.
    void toggleWordWrap();
    void applyWordWrap() override;
    void toggleLineNumbers();
    void applyLineNumbers() override;
    // tbbtnCmpExpTre on the selected node.
    void collapseExpandSelected();
    // mnuViewer: the options dialog on its "Viewer" page, then the reload question.
    void runViewerOptions();
    // --- The options dialog (TfrmLrlDelphiOptions.cpp)
    // Runs TOptionsDialog modally for the scanner on the named page; after OK the viewers show the new
    // styles. Failures are shown in an error box.
    void runOptionsDialog(const QString& page);
    // The dialog on its "Code Page Print" page, as the print options review's Change opens it.
    void runCodePrintOptions();
    TSyntaxMemoParser& parser() { return *SyntaxMemoParser1; }
    // The viewer's search (created on the first Find).
    TViewerFind* viewerFind() const { return m_find.get(); }

    // --- Tree printout (TfrmLrlDelphiTreePrint.cpp)
    // tbbtnPrtTree and mnuPrtTree: prints the tree as an outline straight to the system printer, with
    // Panel5 showing "Sending data to the printer... Treeview" meanwhile. Answers the pages printed (0
    // when nothing was printed).
    int printTreeView();
    // Where the tree printout goes: the system printer unless replaced (tests pass a PDF file printer).
    // Answering null prints nothing.
    using TreePrinterSource = std::function<std::unique_ptr<QPrinter>()>;
    void setTreePrinterSource(TreePrinterSource source) { m_treePrinter = std::move(source); }

    // --- Opening (TfrmLrlDelphiOpen.cpp)
    // OpenFile: every command that opens a file ends here; failures are shown in an error box.
    void openFile(const QString& path);
    // The Open command: runs dlgOpen and opens the chosen file.
    void openWithDialog();
    // The folder dlgOpen starts in: the opened file's, else the one a file was last chosen in (by the
    // dialog, else the most recent file's), else none (the dialog's own choice). Folders that are gone
    // are passed over.
    QString openDialogFolder() const;
    // A recent-file item: clears a rejected drop and opens the path.
    void openRecent(const QString& path);
    // Files dropped on the tree or on the window; the command line comes the same way. While a print
    // job runs they wait and open once it has ended.
    void dropFiles(const QStringList& paths);
    // The program's arguments (without the program name), offered once as a drop.
    void openCommandLine(const QStringList& args);

    // --- Print commands (TfrmLrlDelphiPrint.cpp)
    // A marking click (right mouse button released on a node's image or caption).
    void markNode(TTreeNode* node, bool alt, bool ctrl);
    // The four Print selected items / Print preview controls are enabled exactly when a node is marked.
    void updatePrintControls();
    // tbbtnPrintPrevClick: prints the marked items, or records them and shows the preview.
    void tbbtnPrintPrevClick(bool preview);
    // Abort Print.
    void abortPrint();
    // Print highlighted text: the viewer's selected lines, straight to the printer.
    void printHighlightedText();
    // Printer setup: the system's print dialog for the printer.
    void printerSetup();
    // The printer the print commands use: the system's default, or a PDF file printer when none is
    // installed.
    QPrinter& printer();
    // Asks for the PDF file to write when no printer is installed; answers an empty text for Cancel.
    // A file dialog that starts in the folder last chosen unless replaced (tests).
    using PdfFileChooser = std::function<QString(const QString& folder)>;
    void setPdfFileChooser(PdfFileChooser chooser) { m_pdfFileChooser = std::move(chooser); }
    // Shows the recorded pages; the preview printer's modal preview window unless replaced (tests).
    using PreviewRunner = std::function<void(TPreviewPrinter& printer)>;
    void setPreviewRunner(PreviewRunner runner) { m_previewRunner = std::move(runner); }
    // The print options review shown before a job unless "dsf" is set; answers false for Cancel.
    using PrintReview = std::function<bool()>;
    void setPrintReview(PrintReview review) { m_printReview = std::move(review); }
    // While a print job runs.
    bool printing() const { return m_printJobs != nullptr; }

    // --- Settings, toolbar docks, help and exit (TfrmLrlDelphiSettings.cpp)
    SettingsStore& settingsStore() { return *m_store; }
    // The dock the toolbar is in now (Floating when it is a window of its own).
    ToolbarDock toolbarDock() const;
    // Docks the toolbar at the top, left or right; Floating is taken as the top.
    void dockToolbar(ToolbarDock dock);
    // Opens the help at its contents page.
    void showHelp();
    HelpWindow* helpWindow() const { return m_helpWindow; }

    // --- Controls, named as the window's description names them
    QTreeView* treView = nullptr;
    QSplitter* Splitter1 = nullptr;
    TSyntaxMemo* SyntaxMemo1 = nullptr;
    TSyntaxMemo* tmpMemo = nullptr; // the hidden print buffer
    PathLabel* FileLabel1 = nullptr;
    QLabel* Panel3 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Panel4 = nullptr;
    QLabel* Panel5 = nullptr;
    QPushButton* sbtnAbortPrint = nullptr;
    QToolBar* ToolBar1 = nullptr;
    TfrmPrtOptsReview* frmPrtOptsReview = nullptr; // the print options review

    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuFindNext = nullptr; // F3
    QAction* mnuFindPrevious = nullptr; // Shift+F3
    QAction* mnuPrtTree = nullptr;
    QAction* mnuMRUSep = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuAbout = nullptr; // the program's start-up connects it to the About box
    QMenu* pmnuOpen = nullptr; // the Open button's drop-down
    QAction* Open1 = nullptr;
    QAction* pmnuMRUSep = nullptr;

    QToolButton* tbbtnOpen = nullptr;
    QAction* tbbtnFind = nullptr;
    QAction* tbbtnPrtTree = nullptr;
    QAction* tbbtnCmpExpTre = nullptr;
    QAction* tbbtnWrdWrp = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuViewer = nullptr;
    QMenu* pmnSyntaxMemo = nullptr; // the viewer's context menu
    QAction* pmnuCopy = nullptr;
    QAction* pmnuPrtSelTxt = nullptr;
    QAction* pmnuSynTxProp = nullptr;
    QAction* tbbtnPrint = nullptr;
    QAction* tbbtnPrintPrev = nullptr;
    QAction* tbbtnPrtSetup = nullptr;
    QMenu* mnuPrint = nullptr;
    QAction* mnuPrtSelItems = nullptr;
    QAction* mnuPrtPreview = nullptr;
    QAction* mnuPrtSetup = nullptr;
    QAction* tbbtnHelp = nullptr;
    QAction* tbbtnExit = nullptr;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // --- Construction (TfrmLrlDelphi.cpp)
    void createViewers();
    void createTree();
    // Sizes treView's column to its widest shown caption (at least the view's width).
    void fitTreeColumn();
    void createStatusArea();
    void createMenus();
    void createToolBar();
    void layoutWindow();

    // --- Print commands (TfrmLrlDelphiPrint.cpp)
    void createPrintCommands();
    // Names the PDF file of a direct print when the printer is a PDF file printer; false for Cancel.
    bool choosePdfFile(QPrinter& printer);

    // --- Settings (TfrmLrlDelphiSettings.cpp)
    void createHelpCommands();
    void FormCreate();
    void writeSettings();

    // --- Opening (TfrmLrlDelphiOpen.cpp)
    void rebuildRecentMenus();
    void fillRecentItems(QMenu* menu, QAction* separator);

    // --- Source display and viewer commands
    void createDisplay();
    void createViewerCommands();
    void createTreePrintCommand();
    // The system printer, or with none installed a PDF file printer writing to a file the user chooses.
    std::unique_ptr<QPrinter> systemPrinter();
    // A print job or the tree printout runs.
    bool jobRunning() const { return m_printJobs != nullptr || m_treePrinting != nullptr; }
    // Opens the files handed over while a job ran, after control has returned to the event loop.
    void openDeferredDrops();
    void treeMouse(QMouseEvent* event, bool down);
    // A key pressed in the tree; answers true for one it took (Enter).
    bool treeKey(QKeyEvent* key);
    // The end of the pause after keys moved the current node: shows it when it is another than before.
    void showKeyedNode();
    // The viewer's context menu at a point of the viewer (its own coordinates); the keyboard opens it at
    // the caret.
    void popupViewerMenu(const QPoint& at);
    void popupViewerMenuAtCaret();
    void freezePainting() override;
    void unfreezePainting() override;
    bool askYesNo(const std::string& question) override;

    // --- OptionsDialogHost (TfrmLrlDelphiOptions.cpp)
    BrowserSettings& settings() override;
    SettingsStore& store() override { return *m_store; }
    bool fileOpen() const override;
    std::string customHeaderText() const override;
    void setCustomHeaderText(const std::string& text) override;
    void setOptionsChanged(bool changed) override;
    void applyToolbarDocking() override;
    TSyntaxMemoOptions viewerOptions() const override;
    // The scanner's styles (taken over from the dialog) into both viewers; each keeps its own options.
    void reapplyScheme();

    // --- BrowserUi (TfrmLrlDelphiStatus.cpp)
    void setStatusText(StatusPanel panel, const std::string& text) override;
    void setProgressVisible(bool visible) override;
    void setProgressMax(int max) override;
    void setProgressStep(int step) override;
    void stepProgress() override;
    void showError(const std::string& message) override;
    void showMessage(const std::string& message) override;
    void processEvents() override;
    void addRecentFile(const std::string& path) override;
    void setFindEnabled(bool enabled) override;
    void setPrintTreeEnabled(bool enabled) override;
    void setCollapseExpandEnabled(bool enabled) override;
    void setFileLabel(const std::string& path) override;
    bool loadProgramIcon(const std::string& exePath) override;

    TreeImages ImageList1;
    std::unique_ptr<TSyntaxMemoParser> SyntaxMemoParser1;
    std::unique_ptr<SyntaxMemoBrowserViewer> m_viewer;
    std::unique_ptr<ProjectBrowser> m_browser;
    TreeItemModel* m_treeModel = nullptr;
    RecentFileList m_recent;
    // The progress bar's step, the value it has counted up to, and the fill (in pixels of the bar) it
    // shows for the value last given to it.
    int m_progressStep = 1;
    int m_progressValue = 0;
    int64_t m_progressShown = 0;
    // The Open menus each list the recent files; the one opened last shows them, as with one list.
    QMenu* m_recentHost = nullptr;
    std::vector<QAction*> m_recentItems;
    MessageSink m_messageSink;
    // The folder of the file last chosen in dlgOpen.
    QString m_lastOpenFolder;
    QuestionSink m_questionSink;
    TreePrinterSource m_treePrinter;
    // The printer of the tree printout while it runs (Abort Print aborts its document).
    QPrinter* m_treePrinting = nullptr;
    bool m_treeAbortRequested = false;
    OptionsDialogRunner m_optionsDialog;
    std::unique_ptr<SourceDisplay> m_display;
    std::unique_ptr<TViewerFind> m_find;
    // F went down in the viewer with exactly Ctrl held, and has not come up yet.
    bool m_findKeyDown = false;
    // The mouse button of the last press in the tree: clicks of other buttons than the left show nothing.
    Qt::MouseButton m_treeButton = Qt::NoButton;
    QTimer* m_treeKeyTimer = nullptr;
    // The current node when the keys of the running pause began.
    QPersistentModelIndex m_treeKeyFrom;
    // Where the last left press in the tree was, and whether it was on a node's image: a release far
    // enough from it over another node is a drop that reorders the tree.
    QPoint m_dragStart;
    bool m_dragOnIcon = false;
    QPersistentModelIndex m_dragIndex;
    std::unique_ptr<SettingsStore> m_ownStore;
    SettingsStore* m_store = nullptr;
    HelpWindow* m_helpWindow = nullptr;
    PdfFileChooser m_pdfFileChooser;
    PreviewRunner m_previewRunner;
    PrintReview m_printReview;
    QString m_pdfFolder;
    // The jobs of the print command that runs, for Abort Print.
    PrintJobs* m_printJobs = nullptr;
    // Files handed over while a job ran, in the order they came.
    QList<QStringList> m_deferredDrops;
};

} // namespace lrl
