// Writing a large highlighted unit as rich text and as HTML, as saving in sfRTF / sfHTML does.
//
//   BM_ExportRtf    the whole text through TRichTextWriter
//   BM_ExportHtml   the whole text through THtmlWriter
//
// The corpus (at least 10 MB of Object Pascal: Debian's fpc-source when installed, generated units
// otherwise) is loaded into a viewer and given its token values by the shipped scheme once; the styles
// are coloured (reserved words bold blue, comments italic green on grey, strings red, numbers
// underlined) so that runs change colour and font style the way a highlighted unit does. The output goes
// to a stream that only counts bytes. Bytes per second count the viewer's characters; "out/in" is the
// size of the document per character.

#include "common/ReadOnlyMemoryStream.h"
#include "common/Stream.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/TokenScan.h"
#include "scheme/shipped/ShippedScheme.h"
#include "support/Corpus.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TEdStream.h"
#include "viewer/print/THtmlWriter.h"
#include "viewer/print/TRichTextWriter.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace lrl;

namespace {

constexpr size_t kCorpusBytes = 10 * 1024 * 1024;

class CountingSink : public Stream {
public:
    size_t read(void*, size_t) override { return 0; }
    size_t write(const void*, size_t count) override
    {
        m_count += static_cast<int64_t>(count);
        return count;
    }
    int64_t seek(int64_t, SeekOrigin) override { return m_count; }
    int64_t count() const { return m_count; }

private:
    int64_t m_count = 0;
};

TSM_Settings colouredStyles(const TSM_Settings& scheme)
{
    TSM_Settings s = scheme;
    auto set = [&](int effect, uint8_t style, int32_t text, int32_t back) {
        s.effects[static_cast<size_t>(effect)] = { style, text, back, false, false, false, true };
    };
    set(0, 0, 0x000000, 0xFFFFFF);
    set(2, 0, 0x000000, 0xFFFFFF);
    set(3, 0, 0x0000C0, 0xFFFFFF);
    set(4, TSM_Effect::Underline, 0x808000, 0xFFFFFF);
    set(5, TSM_Effect::Italic, 0x008000, 0xEEEEEE);
    set(7, TSM_Effect::Bold, 0x800000, 0xFFFFFF);
    set(10, 0, 0x800080, 0xFFFFFF);
    return s;
}

TCustomSyntaxMemo& highlightedCorpus()
{
    static std::unique_ptr<TCustomSyntaxMemo> memo = [] {
        const std::string& raw = bench::pascalCorpus(kCorpusBytes);
        auto m = std::make_unique<TCustomSyntaxMemo>();
        ReadOnlyMemoryStream in(std::span(reinterpret_cast<const uint8_t*>(raw.data()), raw.size()));
        m->loadFromStream(in);
        auto parser = createShippedParser();
        m->setSettings(colouredStyles(parser->settings()));
        TEdStream text(m->textStore());
        std::vector<uint8_t> values(static_cast<size_t>(text.size()));
        scanValues(*parser, text, 0, values.data());
        m->setLineAttrs(0, m->textStore().lineCount() - 1, values.data(), values.size());
        m->selectAll();
        return m;
    }();
    return *memo;
}

template <typename Writer> void exportAll(benchmark::State& state)
{
    TCustomSyntaxMemo& memo = highlightedCorpus();
    Writer writer;
    int64_t out = 0;
    for (auto _ : state) {
        CountingSink sink;
        writer.write(memo, sink);
        out = sink.count();
        benchmark::DoNotOptimize(out);
    }
    const int64_t chars = memo.textStore().charCount();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * chars);
    state.counters["out/in"] = static_cast<double>(out) / static_cast<double>(chars);
    state.SetLabel(bench::pascalCorpusOrigin());
}

void BM_ExportRtf(benchmark::State& state) { exportAll<TRichTextWriter>(state); }
void BM_ExportHtml(benchmark::State& state) { exportAll<THtmlWriter>(state); }

} // namespace

BENCHMARK(BM_ExportRtf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportHtml)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
