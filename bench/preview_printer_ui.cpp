// Recording pages into the preview printer and drawing a recorded page in the preview window.
//
//   BM_RecordCorpus        the whole corpus (at least 10 MB of Object Pascal) as pages recorded against
//                          a 600 dpi printer: pages/s, bytes of recording per page, resident memory
//                          per page
//   BM_RecordLargeUnit     one large unit (about 1 MB) the same way
//   BM_RecordBlankPages    1000 pages on which nothing is drawn: what the printer costs per page
//   BM_DrawPreviewPage     one recorded page drawn by the preview's first page box, at 100% (816 x 1056
//                          for US Letter at 96 ppi) and at Fit to Page
//   BM_RecordViewer10MB    a real viewer's text: a 10 MB generated unit loaded into a TSyntaxMemo,
//                          scanned with the shipped scheme and highlighted, recorded through the viewer's
//                          own page renderer (line numbers, title and page numbers, wrap on)
//   BM_RecordViewerLargeUnit  the same for a large unit of about 9,000 lines
//   BM_RecordViewerAgain   the large unit recorded again while its layout is kept: what drawing and
//                          recording cost without the layout pass
//   BM_DrawViewerPreviewPage  a page recorded from that viewer drawn by the preview, at 100% and at Fit
//                          to Page
//
// The BM_RecordViewer... runs are single iterations: the first recording of a text includes its one
// layout pass, later ones of the unchanged text reuse it.
//
// The pages come from a source that draws the text the way the viewer prints it: 60 lines a page in a
// fixed-pitch font, each line cut into runs of reserved words (bold blue), comments (italic green on
// grey), strings (red) and other text (black), every run placed at its column. The runs are cut before
// timing starts, so what is timed is drawing and recording, not tokenising.

#include "common/ReadOnlyMemoryStream.h"
#include "prtprev/TPageBox.h"
#include "prtprev/TPageMetaFile.h"
#include "prtprev/TPageSource.h"
#include "prtprev/TPreviewForm.h"
#include "prtprev/TPreviewPrinter.h"
#include "prtprev/TViewerPageSource.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "support/Corpus.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cctype>
#include <ctime>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <unistd.h>
#include <vector>

using namespace lrl;

namespace {

constexpr int kLinesPerPage = 60;

enum Style { Plain, Reserved, Comment, String, StyleCount };

struct Run {
    QString text;
    int column;
    Style style;
};

using Line = std::vector<Run>;

bool isReserved(const std::string& word)
{
    static const char* const words[] = { "begin", "end", "procedure", "function", "var", "const", "type", "if",
        "then", "else", "for", "to", "do", "while", "repeat", "until", "with", "case", "of", "class", "unit",
        "interface", "implementation", "uses", "private", "public", "protected", "published", "property",
        "constructor", "destructor", "inherited", "try", "finally", "except", "raise", "nil", "not", "and", "or",
        "record", "array", "string", "result", "exit" };
    std::string lower;
    for (char c : word)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* w : words)
        if (lower == w)
            return true;
    return false;
}

// Cuts one line into runs of equal style.
Line cutLine(const std::string& text)
{
    Line line;
    size_t i = 0;
    std::string plain;
    size_t plainStart = 0;
    auto flushPlain = [&] {
        if (!plain.empty())
            line.push_back({ QString::fromLatin1(plain.data(), int(plain.size())), int(plainStart), Plain });
        plain.clear();
    };
    while (i < text.size()) {
        char c = text[i];
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            flushPlain();
            line.push_back({ QString::fromLatin1(text.data() + i, int(text.size() - i)), int(i), Comment });
            break;
        }
        if (c == '{') {
            flushPlain();
            size_t end = text.find('}', i);
            end = end == std::string::npos ? text.size() : end + 1;
            line.push_back({ QString::fromLatin1(text.data() + i, int(end - i)), int(i), Comment });
            i = end;
            continue;
        }
        if (c == '\'') {
            flushPlain();
            size_t end = text.find('\'', i + 1);
            end = end == std::string::npos ? text.size() : end + 1;
            line.push_back({ QString::fromLatin1(text.data() + i, int(end - i)), int(i), String });
            i = end;
            continue;
        }
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            size_t end = i;
            while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_'))
                ++end;
            std::string word = text.substr(i, end - i);
            if (isReserved(word)) {
                flushPlain();
                line.push_back({ QString::fromLatin1(word.data(), int(word.size())), int(i), Reserved });
            } else {
                if (plain.empty())
                    plainStart = i;
                plain += word;
            }
            i = end;
            continue;
        }
        if (plain.empty())
            plainStart = i;
        plain += c == '\t' ? ' ' : c;
        ++i;
    }
    flushPlain();
    return line;
}

std::vector<Line> cutText(const std::string& text)
{
    std::vector<Line> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
        lines.push_back(cutLine(text.substr(start, stop - start)));
        start = end + 1;
    }
    return lines;
}

class HighlightedSource : public TPageSource {
public:
    explicit HighlightedSource(const std::vector<Line>& lines)
        : m_lines(lines)
    {
    }
    void beginUpdate() override { }
    void endUpdate() override { }

    bool renderPrintPage(QPainter& painter, const TRect& r, int pageNo) override
    {
        if (!m_fontsMade) {
            for (int s = 0; s < StyleCount; ++s) {
                m_fonts[s] = QFont(QStringLiteral("Courier New"), 10);
                m_fonts[s].setBold(s == Reserved);
                m_fonts[s].setItalic(s == Comment);
            }
            m_fontsMade = true;
        }
        painter.setFont(m_fonts[Plain]);
        QFontMetrics fm = painter.fontMetrics();
        const int lineHeight = fm.height() + 1;
        const int charWidth = fm.horizontalAdvance(QLatin1Char('M'));
        const int ascent = fm.ascent();
        const QColor colours[StyleCount]
            = { QColor(Qt::black), QColor(0, 0, 160), QColor(0, 128, 0), QColor(192, 0, 0) };
        size_t first = size_t(pageNo - 1) * kLinesPerPage;
        int y = r.top;
        Style current = Plain;
        for (size_t i = first; i < first + kLinesPerPage && i < m_lines.size(); ++i, y += lineHeight) {
            for (const Run& run : m_lines[i]) {
                int x = r.left + run.column * charWidth;
                if (x >= r.right)
                    break;
                if (run.style != current) {
                    painter.setFont(m_fonts[run.style]);
                    painter.setPen(colours[run.style]);
                    current = run.style;
                }
                if (run.style == Comment)
                    painter.fillRect(x, y, int(run.text.size()) * charWidth, lineHeight, QColor(236, 236, 236));
                painter.drawText(x, y + ascent, run.text);
            }
        }
        return (size_t(pageNo) * kLinesPerPage) < m_lines.size();
    }

private:
    const std::vector<Line>& m_lines;
    QFont m_fonts[StyleCount];
    bool m_fontsMade = false;
};

struct Paper {
    QTemporaryDir dir;
    QPrinter printer { QPrinter::HighResolution };
    Paper()
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
        printer.setResolution(600);
        printer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
    }
};

long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Records the source's pages into the preview printer, once per iteration. Counters: pages; pages/s of
// wall-clock time and of processor time (the machine may be shared); bytes of recording per page; growth
// of resident memory per page over the first recording.
void recordSource(benchmark::State& state, TPageSource& source)
{
    Paper paper;
    int pages = 0;
    double recordedBytes = 0;
    long residentGrowth = -1;
    double cpuSeconds = 0;
    for (auto _ : state) {
        TPreviewPrinter printer;
        printer.setPrinter(&paper.printer);
        printer.textOptions().marginLeft = printer.textOptions().marginTop = 0.75;
        printer.textOptions().marginRight = printer.textOptions().marginBottom = 0.75;
        long before = residentBytes();
        std::clock_t start = std::clock();
        printer.printMemo(source);
        cpuSeconds += double(std::clock() - start) / CLOCKS_PER_SEC;
        if (residentGrowth < 0)
            residentGrowth = residentBytes() - before;
        pages = printer.pageCount();
        state.PauseTiming();
        recordedBytes = 0;
        for (int p = 0; p < pages; ++p)
            recordedBytes += printer.pages(p).size();
        printer.clear();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["pages/s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pages/cpu_s"] = cpuSeconds > 0 ? double(pages) * double(state.iterations()) / cpuSeconds : 0;
    state.counters["recorded_B/page"] = pages > 0 ? recordedBytes / pages : 0;
    state.counters["resident_B/page"] = pages > 0 ? double(residentGrowth) / pages : 0;
}

void record(benchmark::State& state, const std::vector<Line>& lines)
{
    HighlightedSource source(lines);
    recordSource(state, source);
}

const std::vector<Line>& corpusLines()
{
    static const std::vector<Line> lines = cutText(bench::pascalCorpus(10 * 1024 * 1024));
    return lines;
}

void BM_RecordCorpus(benchmark::State& state)
{
    state.SetLabel(bench::pascalCorpusOrigin());
    record(state, corpusLines());
}
BENCHMARK(BM_RecordCorpus)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_RecordLargeUnit(benchmark::State& state)
{
    static const std::vector<Line> lines = cutText(bench::generatedPascal(1024 * 1024));
    record(state, lines);
}
BENCHMARK(BM_RecordLargeUnit)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// What the printer itself costs per page: a source that draws nothing on 1000 pages.
class BlankSource : public TPageSource {
public:
    void beginUpdate() override { }
    void endUpdate() override { }
    bool renderPrintPage(QPainter&, const TRect&, int pageNo) override { return pageNo < 1000; }
};

void BM_RecordBlankPages(benchmark::State& state)
{
    Paper paper;
    BlankSource source;
    for (auto _ : state) {
        TPreviewPrinter printer;
        printer.setPrinter(&paper.printer);
        printer.printMemo(source);
        benchmark::DoNotOptimize(printer.pageCount());
    }
    state.counters["pages/s"] = benchmark::Counter(1000, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RecordBlankPages)->Unit(benchmark::kMillisecond);

// Draws the sixth recorded page in the preview window, at 100 % (argument 0) or Fit to Page (1).
void drawSixthPage(benchmark::State& state, TPreviewPrinter& printer)
{
    std::unique_ptr<TPreviewForm> form = printer.createPreviewForm();
    form->show();
    if (state.range(0) == 1)
        form->model().fitPageClicked();
    QApplication::processEvents();
    form->model().goToPage(5);
    QSize size = form->PB1->size();
    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        target.fill(Qt::white);
        form->PB1->render(&target);
    }
    state.SetLabel(std::to_string(size.width()) + "x" + std::to_string(size.height()));
}

// state.range(0): 0 draws at 100%, 1 at Fit to Page in a 590 x 430 window.
void BM_DrawPreviewPage(benchmark::State& state)
{
    static Paper paper;
    static TPreviewPrinter printer;
    if (printer.pageCount() == 0) {
        printer.setPrinter(&paper.printer);
        printer.textOptions().marginLeft = printer.textOptions().marginTop = 0.75;
        // A few pages are enough to draw one of them; record the first 20.
        std::vector<Line> some(corpusLines().begin(), corpusLines().begin() + 20 * kLinesPerPage);
        HighlightedSource twenty(some);
        printer.printMemo(twenty);
    }
    drawSixthPage(state, printer);
}
BENCHMARK(BM_DrawPreviewPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A viewer as the program's print buffer holds a file: the shipped scheme with a user's styles
// (reserved words bold navy, comments italic green on grey, strings dark red), its own font (Courier
// New 9), title, page numbers, line numbers and wrapping on.
struct RealViewer {
    std::unique_ptr<TSyntaxMemoParser> parser = createShippedParser();
    std::unique_ptr<TSyntaxMemo> memo;
    int lines = 0;

    explicit RealViewer(const std::string& text)
    {
        TSM_Settings& scheme = parser->settings();
        TSM_Effect& reserved = scheme.effects[scheme.map[7]];
        reserved.style = TSM_Effect::Bold;
        reserved.foreground = 0x800000;
        reserved.foregroundDefault = false;
        TSM_Effect& comment = scheme.effects[scheme.map[8]];
        comment.style = TSM_Effect::Italic;
        comment.foreground = 0x008000;
        comment.background = 0xF0F0F0;
        comment.foregroundDefault = comment.backgroundDefault = false;
        TSM_Effect& string = scheme.effects[scheme.map[3]];
        string.foreground = 0x0000C0;
        string.foregroundDefault = false;
        memo = std::make_unique<TSyntaxMemo>(*parser);
        memo->resize(600, 400);
        auto o = memo->options();
        for (auto option : { smoSyntaxHighlight, smoPrintFilename, smoPrintPageNos, smoPrintLineNos, smoPrintWrap })
            o.set(option, true);
        o.set(smoPrintDate, false);
        memo->setOptions(o);
        memo->setMonoPrint(false);
        memo->setTitle("Generated.pas");
        ReadOnlyMemoryStream in(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
        memo->loadFromStream(in);
        lines = memo->lines().count();
    }
};

void recordViewer(benchmark::State& state, RealViewer& viewer)
{
    TViewerPageSource source(*viewer.memo);
    const int layoutsBefore = viewer.memo->printLayouts();
    recordSource(state, source);
    state.SetLabel(std::to_string(viewer.lines) + " lines");
    state.counters["layouts"] = viewer.memo->printLayouts() - layoutsBefore;
}

RealViewer& largeUnitViewer()
{
    static RealViewer viewer(bench::generatedPascal(300 * 1024, 7));
    return viewer;
}

void BM_RecordViewer10MB(benchmark::State& state)
{
    RealViewer viewer(bench::generatedPascal(10 * 1024 * 1024));
    recordViewer(state, viewer);
}
BENCHMARK(BM_RecordViewer10MB)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_RecordViewerLargeUnit(benchmark::State& state) { recordViewer(state, largeUnitViewer()); }
BENCHMARK(BM_RecordViewerLargeUnit)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_RecordViewerAgain(benchmark::State& state) { recordViewer(state, largeUnitViewer()); }
BENCHMARK(BM_RecordViewerAgain)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// One page recorded from the real viewer drawn by the preview's first page box; state.range(0) as in
// BM_DrawPreviewPage.
void BM_DrawViewerPreviewPage(benchmark::State& state)
{
    static Paper paper;
    static TPreviewPrinter printer;
    if (printer.pageCount() == 0) {
        printer.setPrinter(&paper.printer);
        printer.textOptions().marginLeft = printer.textOptions().marginTop = 0.75;
        printer.textOptions().marginRight = printer.textOptions().marginBottom = 0.75;
        printer.printMemo(*largeUnitViewer().memo);
    }
    drawSixthPage(state, printer);
}
BENCHMARK(BM_DrawViewerPreviewPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
