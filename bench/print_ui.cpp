// Printing to a PDF file through the viewer's page renderer, as the print command and listrel-cli print
// do it: header with title and date, page numbers, line numbers, highlighted in colour, A4 at the
// printer's 1200 dpi.
//
//   BM_PrintLargeUnit   about 10,000 lines of real Object Pascal (Debian's fpc-source when installed,
//                       else generated units)
//   BM_Print10MB        10 MB of it
//   BM_RenderPages      every page of the large unit drawn one by one with renderPrintPage onto a
//                       recorded picture, as the preview records them: the renderer without the PDF
//                       writer (and that page n costs page n, not pages 1 to n)
//
// Counters: pages/s (per second of processor time, which on a busy machine says more than the wall
// clock), bytes of PDF per page, and the peak resident memory of the process.

#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "support/Corpus.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QPicture>
#include <QPrinter>

#include <filesystem>
#include <span>
#include <sys/resource.h>

#include "common/ReadOnlyMemoryStream.h"

using namespace lrl;

namespace {

// The largest prefix of the corpus that ends at a line end and holds about `bytes` bytes.
std::string source(size_t bytes)
{
    const std::string& corpus = bench::pascalCorpus(bytes);
    size_t end = corpus.find('\n', std::min(bytes, corpus.size() - 1));
    return corpus.substr(0, end == std::string::npos ? corpus.size() : end + 1);
}

// Gives the styles of the shipped scheme colours of their own, so that runs change colour as they
// would with a user's highlighting.
void colourStyles(TSyntaxMemo& memo)
{
    TSM_Settings s = memo.settings();
    const int32_t palette[] = { 0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x0000FF, 0xFF0000 };
    for (int i = 1; i < 256; ++i) {
        s.effects[static_cast<size_t>(i)].foreground = palette[i % 7];
        s.effects[static_cast<size_t>(i)].foregroundDefault = false;
        if (i % 3 == 0)
            s.effects[static_cast<size_t>(i)].style |= TSM_Effect::Bold;
    }
    memo.setSettings(s);
}

// The corpus text of about `bytes` in the viewer, highlighted in colour, printed with title, date, page
// and line numbers.
void loadHighlighted(TSyntaxMemo& memo, size_t bytes)
{
    const std::string text = source(bytes);
    ReadOnlyMemoryStream in(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    memo.loadFromStream(in);
    colourStyles(memo);
    auto o = memo.options();
    for (auto option :
        { smoSyntaxHighlight, smoPrintFilename, smoPrintDate, smoPrintPageNos, smoPrintLineNos })
        o.insert(option);
    memo.setOptions(o);
}

void printBench(benchmark::State& state, size_t bytes)
{
    std::unique_ptr<TSyntaxMemoParser> parser = createShippedParser();
    TSyntaxMemo memo(*parser);
    loadHighlighted(memo, bytes);
    memo.setTitle("Corpus.pas");
    memo.setMonoPrint(false);
    auto o = memo.options();
    o.erase(smoPrintWrap);
    memo.setOptions(o);
    const std::string path = (std::filesystem::temp_directory_path() / "lrl-bench-print.pdf").string();
    int pages = 0;
    uintmax_t size = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
        memo.printDocument(&printer);
        pages += memo.printedPages();
        size = std::filesystem::file_size(path);
    }
    std::filesystem::remove(path);
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
    state.counters["pages"] = memo.printedPages();
    state.counters["bytes/page"] = static_cast<double>(size) / std::max(memo.printedPages(), 1);
    state.counters["lines"] = memo.textStore().lineEndCount();
    state.counters["maxrss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.SetLabel(bench::pascalCorpusOrigin());
}

void BM_PrintLargeUnit(benchmark::State& state) { printBench(state, 400 * 1024); }
BENCHMARK(BM_PrintLargeUnit)->Unit(benchmark::kMillisecond);

void BM_Print10MB(benchmark::State& state) { printBench(state, 10 * 1024 * 1024); }
BENCHMARK(BM_Print10MB)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RenderPages(benchmark::State& state)
{
    std::unique_ptr<TSyntaxMemoParser> parser = createShippedParser();
    TSyntaxMemo memo(*parser);
    loadHighlighted(memo, 400 * 1024);
    const TRect rect { 0, 0, 750, 1050 };
    int pages = 0;
    for (auto _ : state) {
        int n = 1;
        for (bool more = true; more; ++n) {
            QPicture page;
            QPainter painter(&page);
            more = memo.renderPrintPage(painter, rect, n);
        }
        pages += n - 1;
    }
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
    state.counters["layouts"] = memo.printLayouts();
}
BENCHMARK(BM_RenderPages)->Unit(benchmark::kMillisecond);

} // namespace
