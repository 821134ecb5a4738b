// Opening a project of 1000 generated units of 300 lines each in the main window (offscreen): the
// browser's reading, the real viewer with the shipped scheme, the tree view and the status area, with
// window messages let run where the open lets them run.
//
//   BM_WindowOpensBigProject   the whole open, as the user's Open command runs it
//   BM_WindowLongestPause      the same, reporting the longest stretch between two points at which
//                              window messages ran (how long the window may stay unresponsive)
//   BM_WindowOpensBigUnit      opening one generated unit of 10 MB (300,000 lines, so the progress bar
//                              is shown and stepped per token) in the window
//   BM_CoreOpensBigUnit        the same open through the browser and the real viewer without a window,
//                              as `listrel-cli tree` does it: what the window's open is measured against
//                              (compare the processor times)

#include "browser/ProjectBrowser.h"
#include "browser/ui/TfrmLrlDelphi.h"
#include "cli/ConsoleUi.h"
#include "support/GeneratedProject.h"
#include "support/ShippedPascalViewer.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace lrl;

namespace {

const bench::GeneratedProject& project()
{
    static bench::GeneratedProject p;
    return p;
}

// Opens the file in a shown window once per iteration, with the message boxes silenced.
void openInWindow(benchmark::State& state, const std::string& file, TfrmLrlDelphi& window)
{
    window.setMessageSink([](bool, const QString&) {});
    window.show();
    QString path = QString::fromStdString(file);
    for (auto _ : state)
        window.openFile(path);
}

void BM_WindowOpensBigProject(benchmark::State& state)
{
    TfrmLrlDelphi window;
    openInWindow(state, project().project(), window);
    state.counters["units"] = window.browser().unitCount();
}
BENCHMARK(BM_WindowOpensBigProject)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WindowLongestPause(benchmark::State& state)
{
    TfrmLrlDelphi window;
    window.setMessageSink([](bool, const QString&) {});
    window.show();
    QString path = QString::fromStdString(project().project());
    // A zero-interval timer fires whenever window messages run; the longest gap between two firings is
    // the longest time the window could not answer.
    QElapsedTimer sinceLast;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceLast.restart()); });
    ticker.start();
    for (auto _ : state) {
        longest = 0;
        sinceLast.start();
        window.openFile(path);
        longest = std::max(longest, sinceLast.elapsed());
    }
    state.counters["longest pause ms"] = static_cast<double>(longest);
}
BENCHMARK(BM_WindowLongestPause)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// A generated unit of 10 MB in a temporary file.
class BigUnit {
public:
    BigUnit()
        : m_path((std::filesystem::temp_directory_path() / "lrl-bench-big-unit.pas").string())
    {
        std::ofstream(m_path, std::ios::binary) << bench::generateBigUnit(10'000'000);
    }
    ~BigUnit() { std::filesystem::remove(m_path); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

const BigUnit& bigUnit()
{
    static BigUnit unit;
    return unit;
}

void BM_WindowOpensBigUnit(benchmark::State& state)
{
    TfrmLrlDelphi window;
    openInWindow(state, bigUnit().path(), window);
}
BENCHMARK(BM_WindowOpensBigUnit)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CoreOpensBigUnit(benchmark::State& state)
{
    test::ShippedPascalViewer real;
    cli::ConsoleUi ui;
    ProjectBrowser browser(real.adapter, ui, std::string());
    for (auto _ : state)
        browser.openFile(bigUnit().path());
}
BENCHMARK(BM_CoreOpensBigUnit)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
