// Opening a project of 1000 generated units of 300 lines each: the browser's reading logic (token
// handlers, state machines, tree building, status texts) against the loading and scanning it drives.
//
//   BM_OpenProject          the whole open with the stand-in scanner, as the window would run it
//   BM_OpenProjectRealViewer the whole open through the real viewer bound to the shipped scheme: what
//                           the main window does, without painting
//   BM_LoadAndScanRealViewer the same files loaded and scanned by the real viewer, nobody reading tokens
//   BM_LoadAndScanOnly      the same files loaded and scanned with nobody reading the tokens
//   BM_ReadingLogicOnly     the open with every file's text and tokens prepared beforehand, so that
//                           only the reading logic (and its file-system checks) is timed
//   BM_OpenFlatProject      a project of 10,000 small units in its own folder, with the stand-in
//                           scanner: /0 the project names them as they are on disk and shows the forms
//                           folder (none of the forms exists), /1 it writes every name in upper case;
//                           both look names up ignoring case, which is what resolving paths costs

#include "browser/BrowserUi.h"
#include "browser/ProjectBrowser.h"
#include "browser/SyntaxMemoBrowserViewer.h"
#include "browser/TokenSink.h"
#include "cli/ConsoleUi.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "support/FakePascalViewer.h"
#include "support/GeneratedProject.h"
#include "support/ShippedPascalViewer.h"
#include "viewer/TCustomSyntaxMemo.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>

namespace fs = std::filesystem;
using namespace lrl;

namespace {

using bench::GeneratedProject;
using bench::kLinesPerUnit;

const GeneratedProject& project()
{
    static GeneratedProject p;
    return p;
}

class CountingSink : public TokenSink {
public:
    void tokenSeen(int, int32_t, int32_t) override { ++tokens; }
    int64_t tokens = 0;
};

// Replays texts and tokens prepared beforehand, so that loading costs next to nothing.
class ReplayViewer : public BrowserViewer {
public:
    void prepare(const std::string& path)
    {
        test::FakePascalViewer reader;
        reader.load(path);
        Prepared& p = m_files[path];
        p.text = reader.text();
        p.tokens = test::fakePascalTokens(p.text);
    }
    void load(const std::string& path) override
    {
        m_current = &m_files.at(path);
        if (m_sink)
            for (const auto& t : m_current->tokens)
                m_sink->tokenSeen(t.value, t.start, t.end);
    }
    void setTokenSink(TokenSink* sink) override { m_sink = sink; }
    std::string tokenText(int32_t start, int32_t end) const override
    {
        return m_current->text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
    }
    int lineCount() const override { return kLinesPerUnit; }
    int32_t textLength() const override { return static_cast<int32_t>(m_current->text.size()); }
    void clear() override { }
    void suspendLineUpdates() override { }
    void resumeLineUpdates() override { }
    void setWordWrap(bool) override { }
    void setFocusLineVisible(bool) override { }
    void loadText(const std::string&) override { }
    void setLines(const std::vector<std::string>&) override { }
    void moveCaretTo(int32_t) override { }
    void showSelectionNearTop(int32_t, int32_t) override { }

private:
    struct Prepared {
        std::string text;
        std::vector<test::FakeToken> tokens;
    };
    std::map<std::string, Prepared> m_files;
    const Prepared* m_current = nullptr;
    TokenSink* m_sink = nullptr;
};

void reportNodes(benchmark::State& state, const ProjectBrowser& browser)
{
    const TTreeNode* root = browser.tree().firstNode();
    int64_t nodes = 0;
    for (size_t u = 0; root && u < root->count(); ++u) {
        const TTreeNode* unit = root->child(u);
        for (size_t c = 0; c < unit->count(); ++c)
            nodes += 1 + static_cast<int64_t>(unit->child(c)->count());
    }
    state.counters["units"] = browser.unitCount();
    state.counters["category+routine nodes"] = static_cast<double>(nodes);
}

void BM_OpenProject(benchmark::State& state)
{
    const auto& p = project();
    test::FakePascalViewer viewer;
    cli::ConsoleUi ui;
    ProjectBrowser browser(viewer, ui, (fs::temp_directory_path() / "lrl-bench-fileinfo.dat").string());
    for (auto _ : state)
        browser.openFile(p.project());
    reportNodes(state, browser);
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

using RealViewer = test::ShippedPascalViewer;

void BM_OpenProjectRealViewer(benchmark::State& state)
{
    const auto& p = project();
    RealViewer real;
    BrowserViewer& viewer = real.adapter;
    cli::ConsoleUi ui;
    ProjectBrowser browser(viewer, ui, (fs::temp_directory_path() / "lrl-bench-fileinfo.dat").string());
    for (auto _ : state)
        browser.openFile(p.project());
    reportNodes(state, browser);
}
BENCHMARK(BM_OpenProjectRealViewer)->Unit(benchmark::kMillisecond);

void BM_LoadAndScanRealViewer(benchmark::State& state)
{
    const auto& p = project();
    RealViewer real;
    CountingSink sink;
    real.adapter.setTokenSink(&sink);
    for (auto _ : state) {
        for (const auto& unit : p.units())
            real.adapter.load(unit);
        real.adapter.load(p.project());
    }
    real.adapter.setTokenSink(nullptr);
    state.counters["tokens/open"]
        = static_cast<double>(sink.tokens) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LoadAndScanRealViewer)->Unit(benchmark::kMillisecond);

void BM_LoadAndScanOnly(benchmark::State& state)
{
    const auto& p = project();
    test::FakePascalViewer viewer;
    CountingSink sink;
    viewer.setTokenSink(&sink);
    for (auto _ : state) {
        for (const auto& unit : p.units())
            viewer.load(unit);
        viewer.load(p.project());
    }
    state.counters["tokens/open"]
        = static_cast<double>(sink.tokens) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LoadAndScanOnly)->Unit(benchmark::kMillisecond);

void BM_ReadingLogicOnly(benchmark::State& state)
{
    const auto& p = project();
    ReplayViewer viewer;
    for (const auto& unit : p.units())
        viewer.prepare(unit);
    viewer.prepare(p.project());
    cli::ConsoleUi ui;
    ProjectBrowser browser(viewer, ui, (fs::temp_directory_path() / "lrl-bench-fileinfo.dat").string());
    for (auto _ : state)
        browser.openFile(p.project());
    reportNodes(state, browser);
}
BENCHMARK(BM_ReadingLogicOnly)->Unit(benchmark::kMillisecond);

void BM_OpenFlatProject(benchmark::State& state)
{
    const bool otherCase = state.range(0) != 0;
    const bench::FlatProject flat(10000, otherCase);
    test::FakePascalViewer viewer;
    cli::ConsoleUi ui;
    ProjectBrowser browser(viewer, ui, (fs::temp_directory_path() / "lrl-bench-fileinfo.dat").string());
    browser.settings().ShFrm = !otherCase;
    for (auto _ : state)
        browser.openFile(flat.project());
    state.counters["units"] = browser.unitCount();
    state.counters["missing forms"] = browser.unitCount() - browser.formCount();
}
BENCHMARK(BM_OpenFlatProject)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
