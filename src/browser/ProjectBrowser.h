#pragma once

#include "browser/BrowserSettings.h"
#include "browser/BrowserUi.h"
#include "browser/RoutineCollector.h"
#include "browser/StringList.h"
#include "browser/TokenSink.h"
#include "browser/TreeModel.h"
#include "common/SourceEncoding.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lrl {

class BrowserViewer;

// The main window's reading logic without its widgets: opens a Delphi project, unit, form or options
// file through the viewer, picks units out of a project and classes and routines out of each unit from
// the viewer's token stream, builds the project tree, and fills the status panels. The window shows
// tree() and forwards its commands here; everything it must do for the reading goes through
// BrowserViewer and BrowserUi.
//
// Failures of the viewer or the file system propagate as exceptions after the open has been finished
// (first node selected, status texts, the viewer's line updates resumed, word wrap restored); the window
// shows their message in an error box.
// How the status area names a file's encoding: "UTF-8", "Windows-1251", ..., followed by ", 3 characters
// replaced" when characters the stored code page lacks became "?".
std::string encodingText(const SourceEncodingInfo& info);

class ProjectBrowser : private TokenSink {
public:
    // The open dialog's filter: description|patterns pairs.
    static constexpr const char* kOpenDialogFilter
        = "Delphi Files (*.dpr, *.dof, *.pas, *.dfm)|*.dpr; *.dof; *.pas; *.dfm|"
          "Delphi Project File (*.dpr)|*.dpr|Delphi Options File (*.dof)|*.dof|"
          "Delphi Pascal Unit (*.pas)|*.pas|Delphi Form File (*.dfm)|*.dfm";
    // The name of the file-information data file.
    static constexpr const char* kFileInfoName = "LrlDFileInfo.Dat";

    struct RingEntry {
        int32_t value = 0;
        int32_t endOffset = 0;
        std::string text;
    };
    static constexpr size_t kRingSize = 11;

    // fileInfoPath: the full path of the file-information data file.
    ProjectBrowser(BrowserViewer& viewer, BrowserUi& ui, std::string fileInfoPath);
    ProjectBrowser(const ProjectBrowser&) = delete;
    ProjectBrowser& operator=(const ProjectBrowser&) = delete;

    BrowserSettings& settings() { return m_settings; }
    const BrowserSettings& settings() const { return m_settings; }
    TreeModel& tree() { return m_tree; }
    const TreeModel& tree() const { return m_tree; }

    // Opens a file: clears the tree and reads the file (a project with all its units). Does nothing
    // while a drop is rejected. A request that arrives while a file is being opened (from a window
    // message run during the load) is carried out once that open has finished.
    void openFile(const std::string& path);
    // The Open dialog's OK and a recent-file item: clears a rejected drop, then opens.
    void openChosenFile(const std::string& path);

    // Drops and the command line. dropStart tells how many files come; dropItem then gets each path.
    void dropStart(size_t count);
    void dropItem(const std::string& path);
    // The program's arguments, handled as a drop of those files; nothing happens without arguments.
    void openCommandLine(const std::vector<std::string>& args);

    // Statistics of node and its following siblings: the viewer's line count and the routines below
    // them, e.g. "412 lines [3 procedure][2 function]". A null node counts nothing.
    std::string routineStats(const TTreeNode* node);
    // Panel4 := name + "... " + routineStats(node); Panel5 := the file's last-modified text and size.
    // A relative name is taken against the folder of the opened file.
    void showFileStatus(const TTreeNode* node, const std::string& name);
    // Project counts in Panel3 and the file status of node, as far as the opened file's kind asks.
    void showProjectCounts(const TTreeNode* node);

    // Shows a form file as text in target (the shown viewer or another one): converted when binary, with
    // binary data suppressed when SupBData is set. A failure is shown in an error box and target keeps
    // what it had; answers whether the form is shown.
    bool convertFormFile(const std::string& path, BrowserViewer& target);
    // The same into the shown viewer.
    bool convertFormFile(const std::string& path) { return convertFormFile(path, m_viewer); }

    // The custom page-header text of a project in the file-information data file; "Listrel" when
    // absent.
    std::string fileInfoRead(const std::string& section, const std::string& key) const;
    // Writes into the section of the opened file; nothing happens while no file is open.
    void fileInfoWrite(const std::string& key, const std::string& value);

    // State of the last open, for the window's other commands.
    const std::string& openedFile() const { return m_openedFile; }
    const std::string& scanBase() const { return m_scanBase; }
    // The path shown in FileLabel1.
    const std::string& fileLabel() const { return m_fileLabel; }
    const std::string& statusText(StatusPanel panel) const;
    // The caption of the node last passed to showProjectCounts.
    const std::string& shownNodeCaption() const { return m_shownNodeCaption; }
    const StringList<char>* unitList() const { return m_unitList ? &*m_unitList : nullptr; }
    const RoutineCollector& routines() const { return m_routines; }
    int unitCount() const { return m_unitCount; }
    int formCount() const { return m_formCount; }
    int projectImage() const { return m_projectImage; }
    bool dropRejected() const { return m_dropRejected; }
    const std::array<RingEntry, kRingSize>& tokenRing() const { return m_ring; }
    int ringCursor() const { return m_ringCursor; }
    int lastToken() const { return m_lastToken; }

private:
    void openOnce(const std::string& path);
    void finishOpen();
    void loadAndScan(const std::string& path);
    void tokenSeen(int value, int32_t start, int32_t end) override;
    void projectToken(int value, const std::string& text);
    void buildProjectTree();
    void buildUnitTree();
    void showFormFile();
    void setStatus(StatusPanel panel, std::string text);

    BrowserViewer& m_viewer;
    BrowserUi& m_ui;
    std::string m_fileInfoPath;
    BrowserSettings m_settings;
    TreeModel m_tree;

    std::string m_openedFile;
    std::string m_scanBase;
    std::string m_fileLabel;
    std::array<std::string, 3> m_status;
    std::string m_shownNodeCaption;
    TTreeNode* m_currentUnitNode = nullptr;
    std::optional<StringList<char>> m_unitList;
    RoutineCollector m_routines;
    std::array<RingEntry, kRingSize> m_ring;
    int m_ringCursor = -1;
    int m_lastToken = 0;
    bool m_scanningProject = false;
    int m_unitCount = 0;
    int m_formCount = 0;
    int m_projectImage = 0;
    bool m_dropRejected = false;
    bool m_opening = false;
    std::optional<std::string> m_deferredOpen;
};

} // namespace lrl
