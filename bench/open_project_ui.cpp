// Opening a project of 1000 generated units of 300 lines each in the main window (offscreen): the
// browser's reading, the real viewer with the shipped scheme, the tree view and the status area, with
// window messages let run where the open lets them run.
//
//   BM_WindowOpensBigProject   the whole open, as the user's Open command runs it
//   BM_WindowLongestPause      the same, reporting the longest stretch between two points at which
//                              window messages ran (how long the window may stay unresponsive)

#include "browser/ui/TfrmLrlDelphi.h"
#include "support/GeneratedProject.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

using namespace lrl;

namespace {

const bench::GeneratedProject& project()
{
    static bench::GeneratedProject p;
    return p;
}

void BM_WindowOpensBigProject(benchmark::State& state)
{
    TfrmLrlDelphi window;
    window.setMessageSink([](bool, const QString&) {});
    window.show();
    QString path = QString::fromStdString(project().project());
    for (auto _ : state)
        window.openFile(path);
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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
