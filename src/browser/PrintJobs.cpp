#include "browser/PrintJobs.h"

#include "browser/BrowserConstants.h"
#include "browser/BrowserUi.h"
#include "browser/BrowserViewer.h"
#include "browser/FilePaths.h"
#include "browser/PrintMarks.h"
#include "browser/PrintOptionValues.h"
#include "browser/ProjectBrowser.h"
#include "browser/ScopeExit.h"
#include "browser/TextCompare.h"
#include "browser/TokenSink.h"

#include <algorithm>

namespace lrl {

namespace {

void collect(TTreeNode* node, std::vector<TTreeNode*>& out)
{
    out.push_back(node);
    for (size_t i = 0; i < node->count(); ++i)
        collect(node->child(i), out);
}

// Every node of the tree in order: each node before its children, children in their order.
std::vector<TTreeNode*> nodesInOrder(TreeModel& tree)
{
    std::vector<TTreeNode*> out;
    for (size_t i = 0; i < tree.topCount(); ++i)
        collect(tree.top(i), out);
    return out;
}

bool isRoutineWord(int value) { return value >= tok::Constructor && value <= tok::Procedure; }

class TokenCollector : public TokenSink {
public:
    explicit TokenCollector(std::vector<PrintJobs::Token>& out)
        : m_out(out)
    {
    }
    void tokenSeen(int value, int32_t start, int32_t) override { m_out.push_back({ value, start }); }

private:
    std::vector<PrintJobs::Token>& m_out;
};

// The shown-file name: Panel4's text before its first "...".
std::string shownFileName(const std::string& panel4)
{
    size_t dots = panel4.find("...");
    return dots == std::string::npos ? panel4 : panel4.substr(0, dots);
}

} // namespace

PrintJobs::PrintJobs(ProjectBrowser& browser, BrowserViewer& shown, PrintBuffer& buffer, PrintTarget& target,
    BrowserUi& ui, SettingsStore& store)
    : m_browser(browser)
    , m_shown(shown)
    , m_buffer(buffer)
    , m_target(target)
    , m_ui(ui)
    , m_store(store)
{
}

int PrintJobs::TextTokens::lineOf(int32_t offset) const
{
    auto it = std::upper_bound(lineStarts.begin(), lineStarts.end(), offset);
    return it == lineStarts.begin() ? 0 : static_cast<int>(it - lineStarts.begin()) - 1;
}

PrintJobs::TextTokens PrintJobs::loadWithTokens(const std::string& path)
{
    TextTokens result;
    TokenCollector collector(result.tokens);
    m_shown.setTokenSink(&collector);
    ScopeExit removeSink([this] { m_shown.setTokenSink(nullptr); });
    m_shown.load(path);
    m_shown.setTokenSink(nullptr);
    const std::string text = m_shown.tokenText(0, m_shown.textLength());
    size_t start = 0;
    while (start < text.size()) {
        size_t cr = text.find('\r', start);
        size_t end = cr == std::string::npos ? text.size() : cr;
        result.lineStarts.push_back(static_cast<int32_t>(start));
        result.lines.push_back(text.substr(start, end - start));
        start = cr == std::string::npos ? text.size() : cr + 1;
    }
    return result;
}

std::vector<std::string> PrintJobs::headingLines(const TextTokens& unit, int& endLine)
{
    bool seenImplementation = false;
    int stopLine = -1;
    for (const Token& t : unit.tokens) {
        if (t.value == tok::Implementation)
            seenImplementation = true;
        else if (seenImplementation && isRoutineWord(t.value)) {
            stopLine = unit.lineOf(t.start);
            break;
        }
    }
    if (stopLine >= 0) {
        endLine = stopLine;
        return { unit.lines.begin(), unit.lines.begin() + stopLine };
    }
    // No routine follows implementation: the whole text is the heading, and nothing is cut off.
    endLine = static_cast<int>(unit.lines.size());
    return unit.lines;
}

std::vector<std::string> PrintJobs::routineLines(const TextTokens& unit, int first)
{
    if (first < 0 || static_cast<size_t>(first) >= unit.lines.size())
        return {};
    const int32_t from = unit.lineStarts[static_cast<size_t>(first)];
    auto it = std::lower_bound(unit.tokens.begin(), unit.tokens.end(), from,
        [](const Token& t, int32_t offset) { return t.start < offset; });
    int opened = 0;
    int closed = 0;
    size_t line = static_cast<size_t>(first);
    for (; line < unit.lines.size(); ++line) {
        const int32_t next = line + 1 < unit.lineStarts.size() ? unit.lineStarts[line + 1] : INT32_MAX;
        for (; it != unit.tokens.end() && it->start < next; ++it) {
            if (it->value == tok::BlockBegin)
                ++opened;
            else if (it->value == tok::BlockEnd)
                ++closed;
        }
        if (opened == closed && opened != 0)
            break;
    }
    const size_t last = std::min(line, unit.lines.size() - 1);
    return { unit.lines.begin() + first, unit.lines.begin() + static_cast<long>(last) + 1 };
}

void PrintJobs::requestAbort()
{
    m_abort = true;
    m_ui.processEvents();
    PrintMarks(m_browser.tree(), m_browser.projectImage()).clearAll();
}

void PrintJobs::setUpJob()
{
    PrintOptionValues values(m_store);
    PrintMargins margins;
    margins.left = values.marginInches(PrintOptionValues::Margin::Left);
    margins.top = values.marginInches(PrintOptionValues::Margin::Top);
    margins.right = values.marginInches(PrintOptionValues::Margin::Right);
    margins.bottom = values.marginInches(PrintOptionValues::Margin::Bottom);
    m_pageRect = m_target.setUp(margins);
}

std::string PrintJobs::title(const std::string& path, const std::string& caption)
{
    switch (PrintOptionValues(m_store).headerSource()) {
    case PrintOptionValues::HeaderSource::FileName:
        return extractFileName(path);
    case PrintOptionValues::HeaderSource::Caption:
        return caption;
    case PrintOptionValues::HeaderSource::CustomText:
        return m_browser.fileInfoRead(extractFileName(m_browser.openedFile()), "CsmtTxt");
    case PrintOptionValues::HeaderSource::Path:
        break;
    }
    const int maxWidth = m_pageRect.width() / 40 * 31;
    return shortenPath(path, maxWidth, [this](const std::string& s) { return m_target.textWidth(s); });
}

PrintBufferOptions PrintJobs::bufferOptions() const
{
    const BrowserSettings& s = m_browser.settings();
    return { s.FlNm, s.PgNo, s.Dt, s.LnNo };
}

void PrintJobs::prepareBuffer()
{
    m_buffer.text().clear();
    // Files of no Unicode form are read in the code page the user chose, as the viewer reads them.
    m_buffer.text().setLegacyCodePage(m_browser.settings().AnsiCP);
    m_buffer.setPrintOptions(bufferOptions());
}

void PrintJobs::send(const std::string& printName)
{
    m_ui.processEvents();
    if (m_abort)
        return;
    if (!m_target.previewing())
        m_ui.setStatusText(StatusPanel::Panel5, "Sending ... " + printName + " ... to printer");
    m_target.send(m_buffer);
}

void PrintJobs::printProjectFile(TTreeNode* root)
{
    prepareBuffer();
    const std::string& opened = m_browser.openedFile();
    m_buffer.text().load(opened);
    m_buffer.setTitle(title(extractFilePath(opened) + root->text(), root->text()));
    send(root->text());
}

void PrintJobs::nodeJob(TTreeNode* node)
{
    const std::string& caption = node->text();
    const std::string ext = lowerFileExt(caption);
    const bool optionsNode = sameText(caption, kOptionsNode);
    ScopeExit clearMark([this, node] { m_browser.tree().setStateIndex(node, mark::None); });
    if (node->level() > 1 && !optionsNode && ext != ".dfm")
        return;
    // A file found missing when the project was read has nothing to print.
    if (node->imageIndex() == img::Missing)
        return;
    prepareBuffer();
    const std::string& opened = m_browser.openedFile();
    std::string path;
    if (ext == ".pas") {
        path = resolvePath(caption, opened);
        m_buffer.text().load(path);
    } else if (ext == ".dfm") {
        path = resolvePath(caption, opened);
        // A form that cannot be converted has been reported; its pages are not printed.
        if (!m_browser.convertFormFile(path, m_buffer.text()))
            path.clear();
    } else if (ext == ".dof" || optionsNode) {
        path = changeFileExt(opened, ".dof");
        m_buffer.text().load(path);
    }
    m_buffer.setTitle(title(path, caption));
    m_ui.setStatusText(StatusPanel::Panel5, "Sending data to the printer... " + caption);
    if (!path.empty())
        send(caption);
}

void PrintJobs::headingJob(TTreeNode* unit)
{
    prepareBuffer();
    const std::string path = resolvePath(unit->text(), m_browser.openedFile());
    m_buffer.setTitle(title(path, unit->text()));
    const TextTokens tokens = loadWithTokens(path);
    int endLine = 0;
    std::vector<std::string> lines = headingLines(tokens, endLine);
    m_headingEndLine = endLine;
    m_headingUnit = path;
    m_buffer.text().setLines(lines);
    send(unit->text());
}

void PrintJobs::routineJob(TTreeNode* routine)
{
    TTreeNode* category = routine->parent();
    TTreeNode* unit = category ? category->parent() : nullptr;
    if (!unit || !routine->data())
        return;
    const std::string path = resolvePath(unit->text(), m_browser.openedFile());
    const TextTokens tokens = loadWithTokens(path);
    const int line = tokens.lineOf(*routine->data());
    m_browser.tree().setStateIndex(routine, mark::None);
    m_ui.processEvents();
    // A routine that lies inside the printed heading is not printed again. The heading's end line is the
    // first line it left out (the header of the first routine), and it only counts for its own unit.
    const int headingEnd = sameText(m_headingUnit, path) ? m_headingEndLine : 0;
    if (line < headingEnd)
        return;
    m_buffer.text().clear();
    m_buffer.text().setLines(routineLines(tokens, line));
    m_buffer.setPrintOptions(bufferOptions());
    const std::string name = category->text() + " " + routine->text();
    m_buffer.setTitle(title(path, name));
    send(name);
}

void PrintJobs::printMarkedItems()
{
    m_shown.suspendLineUpdates();
    ScopeExit resume([this] { m_shown.resumeLineUpdates(); });
    TreeModel& tree = m_browser.tree();
    for (TTreeNode* node : nodesInOrder(tree)) {
        if (m_abort)
            break;
        const int m = node->stateIndex();
        if (m == mark::Separate) {
            if (sameText(node->text(), kOptionsNode))
                nodeJob(node);
            else if (node->level() > 0 && !sameText(node->text(), kFormsFolder))
                headingJob(node);
        } else if (m == mark::Whole || m == mark::Single) {
            m_ui.processEvents();
            nodeJob(node);
            const TTreeNode* parent = node->parent();
            const TTreeNode* unit = parent ? parent->parent() : nullptr;
            if ((node->level() == 2 || node->level() == 3) && unit && lowerFileExt(unit->text()) == ".pas")
                routineJob(node);
        }
        tree.setStateIndex(node, mark::None);
    }
}

void PrintJobs::runMarked()
{
    const std::string& opened = m_browser.openedFile();
    const std::string shownName = shownFileName(m_browser.statusText(StatusPanel::Panel4));
    const std::string shownPath = shownName.empty() ? std::string() : resolvePath(shownName, opened);
    const bool shownIsForm = lowerFileExt(m_browser.shownNodeCaption()) == ".dfm";
    const std::string panel5 = m_browser.statusText(StatusPanel::Panel5);
    ScopeExit restore([&] {
        if (!shownPath.empty() && fileExists(shownPath)) {
            if (shownIsForm)
                m_browser.convertFormFile(shownPath, m_shown);
            else
                m_shown.load(shownPath);
        }
        m_ui.setStatusText(StatusPanel::Panel5, panel5);
        m_ui.processEvents();
    });
    m_abort = false;
    m_headingEndLine = 0;
    m_headingUnit.clear();
    setUpJob();
    TreeModel& tree = m_browser.tree();
    for (TTreeNode* node : nodesInOrder(tree)) {
        if (m_abort)
            break;
        const int m = node->stateIndex();
        if (m == mark::None)
            continue;
        if (node->level() > 0) {
            printMarkedItems();
            break;
        }
        const std::string ext = lowerFileExt(node->text());
        if (ext == ".dpr") {
            printProjectFile(node);
            if (m == mark::Separate)
                printMarkedItems();
            else if (m == mark::Whole)
                for (TTreeNode* n : nodesInOrder(tree))
                    nodeJob(n);
            else
                tree.setStateIndex(node, mark::None);
        } else if (ext == ".pas") {
            if (m == mark::Whole)
                nodeJob(node);
            else if (m == mark::Separate) {
                headingJob(node);
                printMarkedItems();
            }
        } else if (ext == ".dfm" || ext == ".dof") {
            printMarkedItems();
        } else {
            tree.setStateIndex(node, mark::None);
        }
    }
    if (!tree.empty())
        tree.setStateIndex(tree.firstNode(), mark::None);
}
} // namespace lrl
