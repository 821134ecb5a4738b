#pragma once

#include "browser/BrowserUi.h"
#include "browser/ProjectBrowser.h"
#include "browser/RecentFileList.h"
#include "browser/SyntaxMemoBrowserViewer.h"
#include "browser/ui/TreeImages.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QToolBar;
class QToolButton;
class QTreeView;

namespace lrl {

class PathLabel;
class TSyntaxMemo;
class TSyntaxMemoParser;
class TreeItemModel;

// The main window: the project tree treView on the left, the viewer SyntaxMemo1 filling the rest, the
// path label FileLabel1 above the viewer, the status area below (Panel3 with the hidden ProgressBar1,
// Panel4, and on a second row Panel5 and the Abort Print button), the File menu and the toolbar. The
// reading logic is the ProjectBrowser; the window shows its tree and status texts and carries out what
// it asks of the widgets (BrowserUi).
//
// The class is split by concern over several files: TfrmLrlDelphi.cpp builds the controls and the
// layout, TfrmLrlDelphiOpen.cpp holds the commands that open files (menu, recent files, drops, the
// command line), TfrmLrlDelphiStatus.cpp the status area and the rest of BrowserUi.
class TfrmLrlDelphi : public QMainWindow, private BrowserUi {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Listrel for Delphi";
    // The open dialog's filter in Qt's notation, made from ProjectBrowser::kOpenDialogFilter.
    static QString openDialogFilter();

    // fileInfoPath: the file-information data file (empty: the one in the application data folder).
    explicit TfrmLrlDelphi(QWidget* parent = nullptr, const QString& fileInfoPath = {});
    ~TfrmLrlDelphi() override;

    ProjectBrowser& browser() { return *m_browser; }
    RecentFileList& recentFiles() { return m_recent; }
    const TreeImages& images() const { return ImageList1; }
    TreeItemModel& treeModel() { return *m_treeModel; }

    // Where error boxes and notices go instead of modal message boxes (tests, scripted runs); null
    // restores the boxes.
    using MessageSink = std::function<void(bool isError, const QString& text)>;
    void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

    // --- Opening (TfrmLrlDelphiOpen.cpp)
    // OpenFile: every command that opens a file ends here; failures are shown in an error box.
    void openFile(const QString& path);
    // The Open command: runs dlgOpen and opens the chosen file.
    void openWithDialog();
    // A recent-file item: clears a rejected drop and opens the path.
    void openRecent(const QString& path);
    // Files dropped on the tree or on the window; the command line comes the same way.
    void dropFiles(const QStringList& paths);
    // The program's arguments (without the program name), offered once as a drop.
    void openCommandLine(const QStringList& args);

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

    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuPrtTree = nullptr;
    QAction* mnuMRUSep = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* pmnuOpen = nullptr; // the Open button's drop-down
    QAction* Open1 = nullptr;
    QAction* pmnuMRUSep = nullptr;

    QToolButton* tbbtnOpen = nullptr;
    QAction* tbbtnFind = nullptr;
    QAction* tbbtnPrtTree = nullptr;
    QAction* tbbtnCmpExpTre = nullptr;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

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
    void FormCreate();

    // --- Opening (TfrmLrlDelphiOpen.cpp)
    void rebuildRecentMenus();
    void fillRecentItems(QMenu* menu, QAction* separator);

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
    // The progress bar's step (ProgressBar1 counts up by it) and the value last painted.
    int m_progressStep = 1;
    int m_progressPainted = 0;
    // The Open menus each list the recent files; the one opened last shows them, as with one list.
    QMenu* m_recentHost = nullptr;
    std::vector<QAction*> m_recentItems;
    MessageSink m_messageSink;
};

} // namespace lrl
