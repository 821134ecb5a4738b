// The compressor on realistic Object Pascal source: KH and LZH, packing and unpacking. Throughput is
// reported per byte of original text; "ratio" is compressed size / original size.

#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "scheme/compress/TCompressor.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <span>
#include <vector>

namespace {

constexpr size_t kCorpusBytes = 10 * 1024 * 1024;

std::span<const uint8_t> corpus()
{
    const std::string& text = lrl::bench::pascalCorpus(kCorpusBytes);
    return { reinterpret_cast<const uint8_t*>(text.data()), kCorpusBytes };
}

std::vector<uint8_t> run(lrl::TCompressor& c, std::span<const uint8_t> input, bool compress)
{
    lrl::ReadOnlyMemoryStream in(input);
    lrl::MemoryStream out;
    c.StreamMode = true;
    c.InputStream = &in;
    c.OutputStream = &out;
    compress ? c.Compress() : c.Decompress();
    return out.takeBytes();
}

void compress(benchmark::State& state, int method)
{
    auto input = corpus();
    lrl::TCompressor c;
    c.Method = method;
    size_t packed = 0;
    for (auto _ : state)
        packed = run(c, input, true).size();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
    state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(input.size());
    state.SetLabel(lrl::bench::pascalCorpusOrigin());
}

void decompress(benchmark::State& state, int method)
{
    auto input = corpus();
    lrl::TCompressor c;
    c.Method = method;
    std::vector<uint8_t> packed = run(c, input, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(run(c, packed, false));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
    state.counters["ratio"] = static_cast<double>(packed.size()) / static_cast<double>(input.size());
    state.SetLabel(lrl::bench::pascalCorpusOrigin());
}

} // namespace

BENCHMARK_CAPTURE(compress, KH, lrl::TCompressor::mKH)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decompress, KH, lrl::TCompressor::mKH)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(compress, LZH, lrl::TCompressor::mLZH)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decompress, LZH, lrl::TCompressor::mLZH)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
