// Search throughput over about 100 MB of Object Pascal loaded into a viewer: the plain Boyer-Moore search
// (case-sensitive, case-insensitive, whole word) and a few typical regular expressions, each running
// Find Next from the start of the text to its end through the text store's character stream.

#include "support/Corpus.h"

#include "common/StringCharStream.h"
#include "viewer/PlainSearch.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TEdStream.h"
#include "viewer/TREParser.h"
#include "viewer/TSkipTable.h"
#include "viewer/WordTests.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace lrl;

namespace {

constexpr size_t kTextBytes = 100u << 20;

// One viewer holding the corpus, loaded once per process.
TCustomSyntaxMemo& memo()
{
    static std::unique_ptr<TCustomSyntaxMemo> m = [] {
        auto v = std::make_unique<TCustomSyntaxMemo>();
        const std::string& text = bench::pascalCorpus(kTextBytes);
        v->setText(text.substr(0, kTextBytes));
        return v;
    }();
    return *m;
}

void plain(benchmark::State& state, const char* what, bool matchCase, bool wholeWord)
{
    TCustomSyntaxMemo& m = memo();
    TEdStream stream(m.textStore());
    TSkipTable table;
    table.prepare(what, matchCase);
    WordTests words;
    int64_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (int64_t at = 0;
             (at = plainSearch(stream, table, at, SearchDirection::Forward, wholeWord ? &words : nullptr))
             >= 0;
             at += static_cast<int64_t>(table.length()))
            ++hits;
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * stream.size());
    state.SetLabel(bench::pascalCorpusOrigin());
}

void regex(benchmark::State& state, const char* pattern)
{
    TCustomSyntaxMemo& m = memo();
    TEdStream stream(m.textStore());
    TREParser re;
    if (!re.compile(pattern)) {
        state.SkipWithError(re.errorText().c_str());
        return;
    }
    int64_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        stream.seek(0);
        while (re.search(stream, SearchDirection::Forward)) {
            ++hits;
            stream.seek(re.matchEnd());
        }
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * stream.size());
    state.SetLabel(bench::pascalCorpusOrigin());
}

// The same plain search over the text as one contiguous segment: the scan alone, without walking the
// store's line nodes.
void plainOneSegment(benchmark::State& state, const char* what)
{
    static const std::string text = memo().text();
    StringCharStream stream(text);
    TSkipTable table;
    table.prepare(what, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(plainSearch(stream, table, 0, SearchDirection::Forward));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * stream.size());
}

} // namespace

// A word that does not occur: the search runs over the whole text, as grep -F does.
BENCHMARK_CAPTURE(plain, absent_case, "TNoSuchIdentifierHere", true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plain, absent_nocase, "TNoSuchIdentifierHere", false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plain, short_absent_case, "qzx", true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plain, every_inherited_case, "inherited", true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plain, every_begin_nocase_word, "begin", false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plainOneSegment, absent_case, "TNoSuchIdentifierHere")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plainOneSegment, short_absent_case, "qzx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regex, procedure_name, "procedure\\s+\\w+\\.\\w+")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regex, end_line, "^\\s*end;")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regex, assign_nil, "\\w+\\s*:=\\s*nil")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regex, hex_number, "\\$[0-9A-Fa-f]{2,8}")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regex, exception_class, "E[A-Z]\\w*Error")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regex, absent_literal, "TNoSuchIdentifierHere")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
