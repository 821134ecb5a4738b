// Painting the viewer widget offscreen, bound to the shipped Object Pascal scheme, with the gutter, line
// numbers and the right margin on, 1000 x 800 pixels.
//
//   BM_PaintScreen/0         one screen painted at the end of a 100 000-line file (must not walk the text
//                            from its head)
//   BM_PaintScreen/1         the same with word wrap at the window edge (line numbers are counted over
//                            wrapped rows)
//   BM_ScrollPageAndPaint    one page down, then the new screen painted (top line moved, rows laid out
//                            again), through the whole file
//   BM_RepaintAfterSelect    the selection moved by one line and the two marked rows painted
//
// With --shot FILE.png [SOURCE [wrap]] the program instead shows a viewer on SOURCE (default the sample
// project's main unit) with line numbers, a selection and some user styles (with "wrap": word wrap at
// column 60), and saves the window as a PNG (run it under xvfb-run to see what a user sees).

#include "common/ReadOnlyMemoryStream.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "support/Corpus.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

using namespace lrl;

namespace {

constexpr int kLines = 100000;

const std::string& linesText()
{
    static const std::string text = [] {
        const std::string& all = bench::pascalCorpus(10 * 1024 * 1024);
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

void option(TCustomSyntaxMemo& memo, TSyntaxMemoOption o, bool on)
{
    TSyntaxMemoOptions opts = memo.options();
    opts.set(o, on);
    memo.setOptions(opts);
}

// A viewer over the 100 000 lines, the way the main window shows a file.
struct Screen {
    std::unique_ptr<TSyntaxMemoParser> parser = createShippedParser();
    TSyntaxMemo memo { *parser };
    QImage image;

    explicit Screen(bool wrap)
    {
        memo.setFrameStyle(QFrame::NoFrame);
        memo.setScrollBars(ssNone);
        memo.resize(1000, 800);
        memo.setAttribute(Qt::WA_DontShowOnScreen);
        memo.show();
        option(memo, smoLineNumbers, true);
        option(memo, smoWordWrap, wrap);
        load(memo, linesText());
        image = QImage(memo.clientWidth(), memo.clientHeight(), QImage::Format_RGB32);
    }
    void paint()
    {
        QPainter p(&image);
        memo.paintView(p, image.rect());
    }
};

void BM_PaintScreen(benchmark::State& state)
{
    Screen s(state.range(0) != 0);
    s.memo.setTopLine(s.memo.getLineCount() - s.memo.rowsInWindow());
    for (auto _ : state)
        s.paint();
    state.counters["rows"] = s.memo.rowsInWindow();
    state.counters["nodes"] = s.memo.getLineCount();
    state.SetLabel(bench::pascalCorpusOrigin());
}
BENCHMARK(BM_PaintScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ScrollPageAndPaint(benchmark::State& state)
{
    Screen s(false);
    for (auto _ : state) {
        int next = s.memo.topLine() + s.memo.rowsInWindow();
        s.memo.setTopLine(next >= s.memo.getLineCount() ? 0 : next);
        s.paint();
    }
    state.SetLabel(bench::pascalCorpusOrigin());
}
BENCHMARK(BM_ScrollPageAndPaint)->Unit(benchmark::kMicrosecond);

void BM_RepaintAfterSelect(benchmark::State& state)
{
    Screen s(false);
    s.memo.setHideSelection(false);
    s.memo.setTopLine(s.memo.getLineCount() - s.memo.rowsInWindow());
    int first = s.memo.lineIndex(s.memo.topLine() + 5);
    int second = s.memo.lineIndex(s.memo.topLine() + 6);
    bool which = false;
    const int lh = s.memo.metrics().lineHeight();
    for (auto _ : state) {
        which = !which;
        int at = which ? second : first;
        s.memo.setSelection(at, at + 10);
        QPainter p(&s.image);
        s.memo.paintView(p, QRect(0, 5 * lh, s.image.width(), 2 * lh));
    }
    state.SetLabel(bench::pascalCorpusOrigin());
}
BENCHMARK(BM_RepaintAfterSelect)->Unit(benchmark::kMicrosecond);

// Some styles as a user would set them in the options dialog (the shipped scheme's are all plain).
void userStyles(TSyntaxMemoParser& parser)
{
    auto set = [&](int effect, uint8_t style, int32_t fg) {
        TSM_Effect& e = parser.settings().effects[effect];
        e.style = style;
        e.foreground = fg;
        e.foregroundDefault = false;
        e.defined = true;
    };
    set(7, TSM_Effect::Bold, 0x000000); // reserved words
    set(30, TSM_Effect::Bold, 0x000000);
    set(31, TSM_Effect::Bold, 0x000000);
    set(35, TSM_Effect::Bold, 0x000000);
    set(40, TSM_Effect::Bold, 0x000000);
    set(41, TSM_Effect::Bold, 0x000000);
    set(43, TSM_Effect::Bold, 0x000000);
    set(44, TSM_Effect::Bold, 0x000000);
    set(46, TSM_Effect::Bold, 0x000000);
    set(5, TSM_Effect::Italic, 0x800000); // comments navy
    set(3, 0, 0x808000); // strings teal
    set(4, 0, 0x000080); // numbers maroon
    parser.activateViewers();
}

int screenshot(const char* png, const std::string& source, bool wrap)
{
    auto parser = createShippedParser();
    userStyles(*parser);
    TSyntaxMemo memo(*parser);
    memo.setWindowTitle(QString::fromStdString(source));
    memo.resize(900, 600);
    memo.show();
    option(memo, smoLineNumbers, true);
    memo.setShowFocusLine(true);
    memo.loadFromFile(source);
    if (wrap) {
        memo.setWrapAtColumn(60);
        option(memo, smoWordWrap, true);
    }
    std::string text = memo.textRange(0, memo.textStore().charCount());
    size_t at = text.find("implementation");
    memo.setTopLine(memo.lineFromChar(at == std::string::npos ? 0 : static_cast<int>(at)) - 3);
    int from = memo.lineIndex(memo.topLine() + 4) + 2;
    memo.setSelection(from, memo.lineIndex(memo.topLine() + 7) + 12);
    memo.setHideSelection(false);
    memo.activateWindow();
    memo.setFocus();
    QApplication::processEvents();
    QTimer::singleShot(300, qApp, &QApplication::quit);
    QApplication::exec();
    if (!memo.grab().save(png)) {
        std::cerr << "cannot write " << png << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool shot = argc >= 3 && std::strcmp(argv[1], "--shot") == 0;
    if (!shot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (shot)
        return screenshot(argv[2], argc >= 4 ? argv[3] : LRL_SOURCE_DIR "/examples/Sample/Main.pas",
            argc >= 5 && std::strcmp(argv[4], "wrap") == 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
