// The text store: loading source files (speed and heap per byte of text; the corpus as it is, made pure
// ASCII, and written as UTF-8, whose characters are decoded into a code page), finding the node of an offset
// near the top line and far from it, column mapping on TAB-heavy lines, and reading the text through the
// character stream.

#include "common/CodePage.h"
#include "support/Corpus.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TEdStream.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <malloc.h>
#include <memory>
#include <new>
#include <random>
#include <unistd.h>

// Every heap block of the process is counted (bytes as the allocator hands them out), so that a load
// can report its peak and its lasting heap use.
namespace {
std::atomic<size_t> g_heapNow { 0 };
std::atomic<size_t> g_heapPeak { 0 };

void* counted(size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    size_t now = g_heapNow += malloc_usable_size(p);
    size_t peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void uncounted(void* p) noexcept
{
    if (!p)
        return;
    g_heapNow -= malloc_usable_size(p);
    std::free(p);
}
} // namespace

void* operator new(size_t size)
{
    return counted(size);
}
void* operator new[](size_t size)
{
    return counted(size);
}
void operator delete(void* p) noexcept
{
    uncounted(p);
}
void operator delete[](void* p) noexcept
{
    uncounted(p);
}
void operator delete(void* p, size_t) noexcept
{
    uncounted(p);
}
void operator delete[](void* p, size_t) noexcept
{
    uncounted(p);
}

namespace {

using namespace lrl;

enum class CorpusForm { AsIs, Ascii, Utf8 };

// A corpus file of about `bytes` bytes in the temporary folder, written once per size and form: as it
// is, with every non-ASCII byte made "?", or with them read as Windows-1252 and written as UTF-8.
const std::string& corpusFile(size_t bytes, CorpusForm form = CorpusForm::AsIs)
{
    static std::map<std::pair<size_t, CorpusForm>, std::string> files;
    auto& path = files[{ bytes, form }];
    if (path.empty()) {
        std::string text = bench::pascalCorpus(bytes).substr(0, bytes);
        if (form == CorpusForm::Ascii) {
            for (char& c : text)
                if (static_cast<unsigned char>(c) >= 0x80)
                    c = '?';
        } else if (form == CorpusForm::Utf8) {
            // A corpus without any non-ASCII byte gets a first line with an umlaut, so that it is UTF-8.
            text = CodePage::of(1252).toUtf8(text);
            if (text.size() == bytes)
                text = "// \xC3\xA4\r\n" + text;
        }
        path = (std::filesystem::temp_directory_path()
            / ("lrl-bench-text-" + std::to_string(::getpid()) + "-" + std::to_string(bytes) + "-"
                + std::to_string(int(form)) + ".pas"))
                   .string();
        std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
        std::atexit([] {
            for (auto& [size, file] : files)
                std::filesystem::remove(file);
        });
    }
    return path;
}

void loadFile(benchmark::State& state, CorpusForm form)
{
    size_t bytes = static_cast<size_t>(state.range(0)) << 20;
    const std::string& path = corpusFile(bytes, form);
    size_t kept = 0;
    size_t peak = 0;
    size_t mallinfoKept = 0;
    int lines = 0;
    for (auto _ : state) {
        size_t before = g_heapNow;
        size_t arenaBefore = mallinfo2().uordblks + mallinfo2().hblkhd;
        g_heapPeak = before;
        auto memo = std::make_unique<TCustomSyntaxMemo>();
        memo->loadFromFile(path);
        kept = g_heapNow - before;
        peak = g_heapPeak - before;
        mallinfoKept = mallinfo2().uordblks + mallinfo2().hblkhd - arenaBefore;
        lines = memo->textStore().lineCount();
        state.PauseTiming();
        memo.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["heap_per_byte"] = double(kept) / double(bytes);
    state.counters["peak_per_byte"] = double(peak) / double(bytes);
    state.counters["malloc_per_byte"] = double(mallinfoKept) / double(bytes);
    state.counters["bytes_per_line"] = double(bytes) / lines;
    state.SetLabel(bench::pascalCorpusOrigin());
}
void BM_LoadFile(benchmark::State& state) { loadFile(state, CorpusForm::AsIs); }
BENCHMARK(BM_LoadFile)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
void BM_LoadAsciiFile(benchmark::State& state) { loadFile(state, CorpusForm::Ascii); }
BENCHMARK(BM_LoadAsciiFile)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
void BM_LoadUtf8File(benchmark::State& state) { loadFile(state, CorpusForm::Utf8); }
BENCHMARK(BM_LoadUtf8File)->Arg(10)->Unit(benchmark::kMillisecond);

// One loaded 100 MB text shared by the lookup benchmarks.
TCustomSyntaxMemo& bigText()
{
    static std::unique_ptr<TCustomSyntaxMemo> memo = [] {
        auto m = std::make_unique<TCustomSyntaxMemo>();
        m->loadFromFile(corpusFile(size_t(100) << 20));
        m->setRowsInWindow(50);
        m->setTopLine(m->textStore().lineCount() / 2);
        return m;
    }();
    return *memo;
}

// Offsets within a few screens of the top line: the walk starts at the cached top node.
void BM_FindOffsetNearTopLine(benchmark::State& state)
{
    TCustomSyntaxMemo& memo = bigText();
    const TTextStore& store = memo.textStore();
    int top = store.topLineCache(memo.topLine()).start;
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> near(top - 8000, top + 8000);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.findOffset(near(rng)));
}
BENCHMARK(BM_FindOffsetNearTopLine);

// Offsets anywhere in 100 MB: the walk starts from the nearest of head, tail, top line and last find.
void BM_FindOffsetAnywhere(benchmark::State& state)
{
    TCustomSyntaxMemo& memo = bigText();
    const TTextStore& store = memo.textStore();
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> any(0, store.charCount());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.findOffset(any(rng)));
    state.counters["lines"] = store.lineCount();
}
BENCHMARK(BM_FindOffsetAnywhere)->Unit(benchmark::kMillisecond);

// Column of every character, and character at every column, on lines full of TABs.
void BM_ColumnMappingTabs(benchmark::State& state)
{
    TCustomSyntaxMemo memo;
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "\t\tif\tx[i]\t<>\t0\tthen\t\t{ note }\tbegin\t\tInc(n);\t\tend;\r\n";
    memo.setText(text);
    if (state.range(0))
        memo.setTabColumns("3 9 17 25 33");
    const TTabStops& tabs = memo.tabStops();
    int64_t chars = 0;
    for (auto _ : state) {
        for (const TLineNode* n = memo.textStore().first(); n; n = n->next) {
            int end = tabs.columnOfChar(*n, n->length);
            benchmark::DoNotOptimize(end);
            benchmark::DoNotOptimize(tabs.charAtColumn(*n, end / 2));
            chars += n->length;
        }
    }
    state.SetItemsProcessed(chars);
    state.SetLabel(state.range(0) ? "explicit tab columns" : "default tab width");
}
BENCHMARK(BM_ColumnMappingTabs)->Arg(0)->Arg(1);

// The whole 100 MB text read character by character, as the scanner and the search read it.
void BM_EdStreamForward(benchmark::State& state)
{
    TTextStore& store = bigText().textStore();
    TEdStream stream(store);
    for (auto _ : state) {
        stream.seek(0);
        unsigned sum = 0;
        while (!stream.atEnd()) {
            sum += stream.current();
            stream.next();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * store.charCount());
}
BENCHMARK(BM_EdStreamForward)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
