// Scanning real Object Pascal start to end with the shipped scheme, one token value written per
// character, as the viewer's first scan after a load does.
//
//   BM_ScanOneSegment   the text as one contiguous segment (StringCharStream)
//   BM_ScanTextStore    the text loaded into the viewer's text store and read through TEdStream, one
//                       segment per line node, as the viewer scans it
//   BM_Reset            one reset, which reads the table into the scanner's run-time form; the viewer
//                       resets twice per scan
//
// The corpus is at least 10 MB: Debian's fpc-source when installed, generated units otherwise. Bytes
// per second count the viewer's characters (each line end one CR).

#include "common/ReadOnlyMemoryStream.h"
#include "common/StringCharStream.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "support/Corpus.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TEdStream.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace lrl;

namespace {

constexpr size_t kCorpusBytes = 10 * 1024 * 1024;

// The corpus loaded the way the viewer loads a file.
TCustomSyntaxMemo& loadedCorpus()
{
    static std::unique_ptr<TCustomSyntaxMemo> memo = [] {
        const std::string& raw = bench::pascalCorpus(kCorpusBytes);
        auto m = std::make_unique<TCustomSyntaxMemo>();
        ReadOnlyMemoryStream in(std::span(reinterpret_cast<const uint8_t*>(raw.data()), raw.size()));
        m->loadFromStream(in);
        return m;
    }();
    return *memo;
}

const std::string& viewerText()
{
    static const std::string text = [] {
        TEdStream s(loadedCorpus().textStore());
        std::string t(static_cast<size_t>(s.CharStream::size()), '\0');
        s.CharStream::read(reinterpret_cast<uint8_t*>(t.data()), t.size());
        return t;
    }();
    return text;
}

// One scan of the whole stream; answers the number of tokens.
int64_t scanAll(TSyntaxMemoParser& parser, CharStream& s, std::vector<uint8_t>& values)
{
    s.seek(0);
    parser.reset(0);
    int64_t tokens = 0;
    uint8_t* out = values.data();
    int32_t length = 0;
    while (!s.atEnd()) {
        uint8_t v = parser.nextToken(nullptr, s, length);
        std::memset(out, v, static_cast<size_t>(length));
        out += length;
        ++tokens;
    }
    return tokens;
}

void report(benchmark::State& state, int64_t chars, int64_t tokens)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * chars);
    state.counters["tokens"] = static_cast<double>(tokens);
    state.counters["chars/token"] = tokens ? static_cast<double>(chars) / static_cast<double>(tokens) : 0;
    state.SetLabel(bench::pascalCorpusOrigin());
}

void BM_ScanOneSegment(benchmark::State& state)
{
    auto parser = createShippedParser();
    const std::string& text = viewerText();
    StringCharStream s(text);
    std::vector<uint8_t> values(text.size());
    int64_t tokens = 0;
    for (auto _ : state) {
        tokens = scanAll(*parser, s, values);
        benchmark::DoNotOptimize(values.data());
    }
    report(state, static_cast<int64_t>(text.size()), tokens);
}
BENCHMARK(BM_ScanOneSegment)->Unit(benchmark::kMillisecond);

void BM_ScanTextStore(benchmark::State& state)
{
    auto parser = createShippedParser();
    TEdStream s(loadedCorpus().textStore());
    std::vector<uint8_t> values(static_cast<size_t>(s.CharStream::size()));
    int64_t tokens = 0;
    for (auto _ : state) {
        tokens = scanAll(*parser, s, values);
        benchmark::DoNotOptimize(values.data());
    }
    report(state, s.CharStream::size(), tokens);
}
BENCHMARK(BM_ScanTextStore)->Unit(benchmark::kMillisecond);

void BM_Reset(benchmark::State& state)
{
    auto parser = createShippedParser();
    for (auto _ : state)
        parser->reset(0);
}
BENCHMARK(BM_Reset)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
