// The viewer's display model without a window, bound to the shipped Object Pascal scheme.
//
//   BM_LoadOnly             loading 10 MB of Object Pascal into a viewer with no scanner (the load alone)
//   BM_LoadAndScan          loading the same text into a viewer bound to the shipped scanner: the load
//                           and the scan of the whole text that follows it, token values for every
//                           character, OnTokenSeen assigned (as while the main window opens a file)
//   BM_Rewrap               word wrap of a 100 000-line file re-cut at a new width (the wrap column
//                           alternating between 60 and 100)
//   BM_ScanAfterEdit        one character typed into the middle of the 100 000-line file: the edit and
//                           the incremental scan that follows it
//
// The corpus is Debian's fpc-source when installed, generated units otherwise.

#include "common/ReadOnlyMemoryStream.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "support/Corpus.h"
#include "viewer/TCustomSyntaxMemo.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using namespace lrl;

namespace {

constexpr size_t kUnitBytes = 10 * 1024 * 1024;
constexpr int kLines = 100000;

const std::string& unitText()
{
    static const std::string text = bench::pascalCorpus(kUnitBytes).substr(0, kUnitBytes);
    return text;
}

// The first 100 000 lines of the corpus.
const std::string& linesText()
{
    static const std::string text = [] {
        const std::string& all = bench::pascalCorpus(kUnitBytes);
        size_t at = 0;
        for (int i = 0; i < kLines && at != std::string::npos; ++i)
            at = all.find('\n', at + 1);
        return all.substr(0, at == std::string::npos ? all.size() : at + 1);
    }();
    return text;
}

void load(TCustomSyntaxMemo& memo, const std::string& text)
{
    ReadOnlyMemoryStream in(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    memo.loadFromStream(in);
}

void BM_LoadOnly(benchmark::State& state)
{
    TCustomSyntaxMemo memo;
    for (auto _ : state)
        load(memo, unitText());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * unitText().size()));
    state.counters["lines"] = memo.getLineCount();
    state.SetLabel(bench::pascalCorpusOrigin());
}
BENCHMARK(BM_LoadOnly)->Unit(benchmark::kMillisecond);

void BM_LoadAndScan(benchmark::State& state)
{
    auto parser = createShippedParser();
    TCustomSyntaxMemo memo(*parser);
    int64_t tokens = 0;
    memo.OnTokenSeen = [&](TCustomSyntaxMemo&, int&, int, int) { ++tokens; };
    for (auto _ : state) {
        tokens = 0;
        load(memo, unitText());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * unitText().size()));
    state.counters["lines"] = memo.getLineCount();
    state.counters["tokens"] = static_cast<double>(tokens);
    state.SetLabel(bench::pascalCorpusOrigin());
}
BENCHMARK(BM_LoadAndScan)->Unit(benchmark::kMillisecond);

void BM_Rewrap(benchmark::State& state)
{
    auto parser = createShippedParser();
    TCustomSyntaxMemo memo(*parser);
    load(memo, linesText());
    TSyntaxMemoOptions o = memo.options();
    o.insert(smoWordWrap);
    memo.setOptions(o);
    int width = 60;
    for (auto _ : state) {
        width = width == 60 ? 100 : 60;
        memo.setWrapAtColumn(width);
    }
    state.counters["lines"] = kLines;
    state.counters["rows"] = memo.getLineCount();
    state.SetLabel(bench::pascalCorpusOrigin());
}
BENCHMARK(BM_Rewrap)->Unit(benchmark::kMillisecond);

void BM_ScanAfterEdit(benchmark::State& state)
{
    auto parser = createShippedParser();
    TCustomSyntaxMemo memo(*parser);
    memo.setReadOnly(false);
    load(memo, linesText());
    int at = memo.lineIndex(kLines / 2);
    for (auto _ : state) {
        memo.setSelection(at, at);
        memo.replaceSelection("x");
        memo.setSelection(at, at + 1);
        memo.replaceSelection("");
    }
    state.SetLabel("two edits per iteration");
}
BENCHMARK(BM_ScanAfterEdit)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
