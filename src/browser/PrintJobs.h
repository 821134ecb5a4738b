#pragma once

#include "browser/PathEllipsis.h"
#include "browser/PrintJobTarget.h"

#include <functional>
#include <string>
#include <vector>

namespace lrl {

class BrowserUi;
class BrowserViewer;
class ProjectBrowser;
class SettingsStore;
class TTreeNode;

// The print jobs of the marked tree nodes: the project file, whole files (the node job), a unit's
// heading up to its first routine after implementation, and single routines up to their balanced
// begin ... end. Each piece is copied into the print buffer and sent to the target; the marks are used
// up as the items are printed. The window and the command line drive the same jobs.
class PrintJobs {
public:
    PrintJobs(ProjectBrowser& browser, BrowserViewer& shown, PrintBuffer& buffer, PrintTarget& target,
        BrowserUi& ui, SettingsStore& store);
    PrintJobs(const PrintJobs&) = delete;
    PrintJobs& operator=(const PrintJobs&) = delete;

    // Prints every marked item in tree order. Afterwards, also when a file fails, the shown viewer gets
    // back the file it showed and Panel5 its text.
    void runMarked();

    // Abort Print: no further piece is sent and every mark is cleared.
    void requestAbort();
    bool abortRequested() const { return m_abort; }

    // The job set-up: margins from the stored print options, the target's page set-up.
    void setUpJob();
    // The page header's title for a file path and a node caption by the stored header source.
    std::string title(const std::string& path, const std::string& caption);
    const PrintPageRect& pageRect() const { return m_pageRect; }
    int headingEndLine() const { return m_headingEndLine; }

    // The single jobs, for the walk and for callers that print one item.
    void nodeJob(TTreeNode* node);
    void headingJob(TTreeNode* unit);
    void routineJob(TTreeNode* routine);
    void printProjectFile(TTreeNode* root);

    // The lines a heading job prints of a unit's text and tokens: up to, not including, the first line
    // that holds a routine word after implementation. endLine gets the index of that line, the first
    // one left out (the line count when no routine follows).
    struct TextTokens;
    static std::vector<std::string> headingLines(const TextTokens& unit, int& endLine);
    // The lines of the routine that starts on line first: up to the line at which the counts of
    // begin/case/try and of end are equal and not 0 (or the end of the text).
    static std::vector<std::string> routineLines(const TextTokens& unit, int first);

    struct Token {
        int value;
        int32_t start;
    };
    struct TextTokens {
        std::vector<std::string> lines;
        std::vector<int32_t> lineStarts;
        std::vector<Token> tokens;
        // The 0-based line that holds offset.
        int lineOf(int32_t offset) const;
    };
    // Loads path into the shown viewer and answers its lines and tokens.
    TextTokens loadWithTokens(const std::string& path);

private:
    PrintBufferOptions bufferOptions() const;
    void prepareBuffer();
    void send(const std::string& printName);
    void printMarkedItems();

    ProjectBrowser& m_browser;
    BrowserViewer& m_shown;
    PrintBuffer& m_buffer;
    PrintTarget& m_target;
    BrowserUi& m_ui;
    SettingsStore& m_store;
    PrintPageRect m_pageRect;
    bool m_abort = false;
    int m_headingEndLine = 0;
    // The unit whose heading set m_headingEndLine.
    std::string m_headingUnit;
};

} // namespace lrl
