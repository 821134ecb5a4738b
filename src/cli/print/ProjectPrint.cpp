#include "cli/print/ProjectPrint.h"

#include "browser/BrowserConstants.h"
#include "browser/PrintJobs.h"
#include "browser/PrintMarks.h"
#include "browser/ProjectBrowser.h"
#include "browser/SyntaxMemoBrowserViewer.h"
#include "browser/TextCompare.h"
#include "cli/CliArgs.h"
#include "cli/CliStyles.h"
#include "cli/ConsoleUi.h"
#include "cli/print/PrintOptions.h"
#include "common/Exception.h"
#include "common/Format.h"
#include "common/IniSettingsFile.h"
#include "common/MemorySettingsStore.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <memory>

namespace lrl::cli {

namespace {

class CliBuffer : public PrintBuffer {
public:
    explicit CliBuffer(TSyntaxMemo& memo)
        : memo(memo)
        , viewer(memo)
    {
    }
    BrowserViewer& text() override { return viewer; }
    void setPrintOptions(const PrintBufferOptions& o) override
    {
        TSyntaxMemoOptions options = memo.options();
        options.set(smoPrintFilename, o.fileName);
        options.set(smoPrintPageNos, o.pageNumbers);
        options.set(smoPrintDate, o.date);
        options.set(smoPrintLineNos, o.lineNumbers);
        memo.setOptions(options);
    }
    void setTitle(const std::string& title) override { memo.setTitle(title); }
    TSyntaxMemo& memo;
    SyntaxMemoBrowserViewer viewer;
};

// Every piece goes onto the same printer document, each starting on a new page.
class CliTarget : public PrintTarget {
public:
    // storedMargins: the job's margins come from the stored settings, not from the options.
    CliTarget(QPrinter& printer, TSyntaxMemo& memo, const PrintOptions& options, bool storedMargins)
        : m_printer(printer)
        , m_memo(memo)
        , m_options(options)
        , m_storedMargins(storedMargins)
    {
    }
    PrintPageRect setUp(const PrintMargins& margins) override
    {
        const QRect area = m_printer.pageLayout().paintRectPixels(m_printer.resolution());
        PrintOptions o = m_options;
        if (m_storedMargins) {
            o.margins[0] = margins.left;
            o.margins[1] = margins.top;
            o.margins[2] = margins.right;
            o.margins[3] = margins.bottom;
        }
        m_rect = o.printRect(area.width(), area.height(), m_printer.resolution());
        m_memo.setPrintRect(m_rect);
        return { m_rect.left, m_rect.top, m_rect.right, m_rect.bottom };
    }
    bool previewing() const override { return false; }
    int textWidth(const std::string& text) override
    {
        return QFontMetrics(m_memo.font(), &m_printer).horizontalAdvance(QString::fromStdString(text));
    }
    void send(PrintBuffer&) override
    {
        if (!m_painter) {
            m_painter = std::make_unique<QPainter>();
            if (!m_painter->begin(&m_printer))
                throw Exception("The printer could not start the document.");
        }
        bool more = true;
        for (int page = 1; more; ++page) {
            if (m_pages++ > 0)
                m_printer.newPage();
            more = m_memo.renderPrintPage(*m_painter, m_rect, page);
        }
    }
    int pages() const { return m_pages; }
    void finish()
    {
        if (m_painter)
            m_painter->end();
    }

private:
    QPrinter& m_printer;
    TSyntaxMemo& m_memo;
    const PrintOptions& m_options;
    bool m_storedMargins;
    TRect m_rect;
    std::unique_ptr<QPainter> m_painter;
    int m_pages = 0;
};

TTreeNode* findRoutine(TTreeNode* unit, const std::string& name)
{
    const size_t dot = name.find('.');
    const std::string category = dot == std::string::npos ? kProcFuncCategory : name.substr(0, dot);
    const std::string routine = dot == std::string::npos ? name : name.substr(dot + 1);
    for (size_t c = 0; c < unit->count(); ++c) {
        TTreeNode* cat = unit->child(c);
        if (!sameText(cat->text(), category))
            continue;
        for (size_t r = 0; r < cat->count(); ++r)
            if (sameText(cat->child(r)->text(), routine))
                return cat->child(r);
    }
    return nullptr;
}

} // namespace

void printProject(const std::string& file, const PrintOptions& options, const CliArgs& args,
    const ProjectPrintRequest& request, TSyntaxMemoParser& parser, QPrinter& printer)
{
    // The user's stored print settings, as the window reads them; the options given override them.
    const std::string settingsPath = args.has("--settings") ? args.value("--settings") : userSettingsPath();
    MemorySettingsStore store;
    if (!settingsPath.empty()) {
        requireRegularFile(settingsPath);
        store = IniSettingsFile::load(settingsPath);
    }
    BrowserSettings stored;
    stored.read(store);

    TSyntaxMemo shownMemo(parser);
    TSyntaxMemo bufferMemo(parser);
    bufferMemo.setMonoPrint(options.mono);
    SyntaxMemoBrowserViewer shown(shownMemo);
    ConsoleUi ui;
    // The custom page-header texts are read from the window's file-information file; nothing is written.
    ProjectBrowser browser(shown, ui, fileInfoOption(args));
    BrowserSettings& s = browser.settings();
    s.ShFrm = true;
    s.ShOpt = true;
    s.FlNm = stored.FlNm && options.header;
    s.Dt = stored.Dt && options.date;
    s.PgNo = stored.PgNo && options.pageNumbers;
    s.LnNo = stored.LnNo || options.lineNumbers;
    browser.openFile(file);
    TreeModel& tree = browser.tree();
    if (tree.empty())
        throw Exception(format("Nothing to print in %s", file.c_str()));

    CliBuffer buffer(bufferMemo);
    CliTarget target(printer, bufferMemo, options, !args.has("--margins"));
    PrintJobs jobs(browser, shown, buffer, target, ui, store);
    if (!request.routine.empty()) {
        TTreeNode* routine = findRoutine(tree.firstNode(), request.routine);
        if (!routine)
            throw Exception(format("Routine %s not found in %s", request.routine.c_str(), file.c_str()));
        jobs.setUpJob();
        jobs.routineJob(routine);
    } else {
        PrintMarks(tree, browser.projectImage()).click(tree.firstNode(), { .alt = request.separate }, false);
        jobs.runMarked();
    }
    target.finish();
    if (target.pages() == 0)
        throw Exception(format("Nothing to print in %s", file.c_str()));
}

} // namespace lrl::cli
