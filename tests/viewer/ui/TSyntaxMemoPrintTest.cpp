// Printing the viewer's text: pages drawn onto images and pictures and printed to PDF files, read back
// as pixels (listrel-cli's tests read printed text back from PDF files).

#include "viewer/ui/TSyntaxMemo.h"

#include "../FakeScanner.h"
#include "../ViewerTestUtil.h"
#include "support/TempDir.h"
#include "viewer/ui/TDeviceFonts.h"
#include "viewer/ui/TPageRenderer.h"

#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using namespace lrl;
using lrl::test::FakeScanner;
using lrl::test::loadBytes;
using lrl::test::TempDir;

namespace {

const QColor kMagenta(255, 0, 255);
const QColor kPaperBack(255, 255, 220); // style 0's background where it is not the system's
constexpr int32_t kRed = 0x0000FF;

// A viewer in a 12-pixel Liberation Mono scanned by the fake scanner: words bold red, comments italic
// green on light green, style 0 in the system colours unless set otherwise.
struct Viewer {
    FakeScanner scanner;
    TSyntaxMemo memo;

    explicit Viewer(bool systemColours = true)
    {
        TSM_Settings s;
        s.font = { "Liberation Mono", -12, 0 };
        s.effects[0] = { 0, 0x000000, 0xDCFFFF, systemColours, systemColours, false, true };
        s.effects[1] = { TSM_Effect::Bold, kRed, 0, false, true, false, true };
        s.effects[2] = { TSM_Effect::Italic, 0x008000, 0xC8FFC8, false, false, false, true };
        s.map[FakeScanner::kWord] = 1;
        s.map[FakeScanner::kComment] = 2;
        memo.setSettings(s);
        memo.setScanSource(&scanner);
        memo.resize(400, 200);
        options({ smoPrintFilename, smoPrintDate, smoPrintPageNos, smoPrintLineNos, smoPrintWrap }, false);
        options({ smoSyntaxHighlight }, true);
    }
    void options(std::initializer_list<TSyntaxMemoOption> list, bool on)
    {
        auto o = memo.options();
        for (auto option : list)
            o.set(option, on);
        memo.setOptions(o);
    }
};

// A 96-dpi page image filled with magenta, so that what the renderer leaves alone shows.
QImage pageImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(kMagenta);
    return image;
}

struct Metrics {
    int lh;
    int cw;
};
Metrics deviceMetrics(const TSyntaxMemo& memo)
{
    TDeviceFonts fonts;
    fonts.prepare(96, memo.settings().font);
    return { fonts.metrics().lineHeight(), fonts.metrics().charWidth() };
}

int count(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test)
{
    int n = 0;
    for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), image.height() - 1); ++y)
        for (int x = std::max(area.left(), 0); x <= std::min(area.right(), image.width() - 1); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}
bool dark(QColor c) { return c.lightness() < 100; }
bool ink(QColor c) { return c != Qt::white && c != kMagenta; }
bool reddish(QColor c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; }

// Draws page 1 with the renderer itself, monochrome or not.
QImage firstPage(TSyntaxMemo& memo, const TRect& rect, bool monochrome, QSize size = { 400, 300 })
{
    QImage image = pageImage(size.width(), size.height());
    QPainter p(&image);
    TDeviceFonts fonts;
    fonts.prepare(96, memo.settings().font);
    TPageRenderer renderer(memo, fonts, monochrome);
    TPageBody body = renderer.body(rect);
    TPageCursor cursor(memo.textStore(), body, renderer.wrap(body));
    TPrintPage page;
    cursor.next(page);
    renderer.drawPage(p, rect, body, page, 1);
    return image;
}

void pdfPrinter(QPrinter& printer, const std::string& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
}

} // namespace

TEST(TSyntaxMemoPrint, PagesAreLaidOutOnceAndAnswerWhetherAnotherFollows)
{
    Viewer v;
    loadBytes(v.memo, lrl::test::numberedLines(200));
    auto o = v.memo.options();
    o.insert(smoPrintPageNos);
    o.insert(smoPrintFilename);
    v.memo.setOptions(o);
    const TRect rect { 10, 10, 390, 290 };
    const Metrics m = deviceMetrics(v.memo);
    const int perPage = TPageGeometry::body(rect, TPrintFlags::of(o), m.lh, m.cw).rowsPerPage();
    const int expected = (200 + perPage - 1) / perPage;
    ASSERT_GT(expected, 3);
    QImage image = pageImage(400, 300);
    QPainter p(&image);
    int pages = 1;
    while (v.memo.renderPrintPage(p, rect, pages))
        ++pages;
    EXPECT_EQ(pages, expected);
    EXPECT_EQ(v.memo.printLayouts(), 1) << "rendering page n must not lay out pages 1 to n again";
    EXPECT_FALSE(v.memo.renderPrintPage(p, rect, expected + 5));

    v.memo.setSelStart(0);
    v.memo.replaceSelection(lrl::test::numberedLines(perPage).c_str());
    EXPECT_TRUE(v.memo.renderPrintPage(p, rect, expected));
    EXPECT_EQ(v.memo.printLayouts(), 2) << "a changed text is laid out again";
}

TEST(TSyntaxMemoPrint, AnEmptyTextPrintsHeaderAndFooterOnly)
{
    Viewer v;
    loadBytes(v.memo, "");
    auto o = v.memo.options();
    for (auto option : { smoPrintFilename, smoPrintDate, smoPrintPageNos })
        o.insert(option);
    v.memo.setOptions(o);
    const TRect rect { 0, 0, 400, 300 };
    QImage image = pageImage(400, 300);
    QPainter p(&image);
    EXPECT_FALSE(v.memo.renderPrintPage(p, rect, 1));
    p.end();
    const Metrics m = deviceMetrics(v.memo);
    // The header and footer rules run across the page; between them nothing is drawn.
    EXPECT_GT(count(image, QRect(0, 2 * m.lh, 400, 1), dark), 350);
    EXPECT_GT(count(image, QRect(0, 300 - 3 * m.lh, 400, 1), dark), 350);
    EXPECT_EQ(
        count(image, QRect(0, 2 * m.lh + 1, 400, 300 - 5 * m.lh - 2), [](QColor c) { return c != kMagenta; }),
        0);
    // The footer's "- 1 -" sits in the middle of its box.
    const QRect footer(0, 300 - (5 * m.lh) / 2, 400, m.lh);
    EXPECT_GT(count(image, footer.adjusted(150, 0, -150, 0), dark), 0);
    EXPECT_EQ(count(image, footer.adjusted(0, 0, -260, 0), dark), 0);
}

TEST(TSyntaxMemoPrint, PaperIsBlackOnWhiteWhateverTheDesktopColours)
{
    Viewer v(true); // style 0 in the system's window colours
    loadBytes(v.memo, "plain words and {a comment}\r\nmore words\r\n");
    QPalette darkDesktop = v.memo.palette();
    darkDesktop.setColor(QPalette::Base, Qt::black);
    darkDesktop.setColor(QPalette::Text, Qt::white);
    v.memo.setPalette(darkDesktop);
    v.options({ smoSyntaxHighlight }, false);
    v.memo.show();
    QImage screen = v.memo.renderView();
    EXPECT_EQ(screen.pixelColor(screen.width() - 5, 2), QColor(Qt::black))
        << "the screen follows the desktop";

    const TRect rect { 0, 0, 400, 300 };
    QImage page = firstPage(v.memo, rect, false);
    const Metrics m = deviceMetrics(v.memo);
    const QRect rows(0, 0, 400, 2 * m.lh);
    EXPECT_EQ(count(page, rows, [](QColor c) { return c.red() != c.green() || c.green() != c.blue(); }), 0)
        << "nothing but black, white and the greys of smoothed black text";
    EXPECT_GT(count(page, rows, dark), 50) << "text in black";
    EXPECT_GT(count(page, rows, [](QColor c) { return c == Qt::white; }), 400 * m.lh) << "on white";
    EXPECT_EQ(page.pixelColor(399, 2), QColor(Qt::white)) << "background white to the right edge";
    EXPECT_EQ(page.pixelColor(399, m.lh * 2 + 2), kMagenta) << "below the last row the page is left alone";
}

TEST(TSyntaxMemoPrint, MonoPrintDropsTheStyleColours)
{
    Viewer v(false);
    loadBytes(v.memo, "begin {a comment} end\r\n");
    const TRect rect { 0, 0, 400, 300 };
    const QRect row(0, 0, 400, deviceMetrics(v.memo).lh);
    QImage coloured = firstPage(v.memo, rect, false);
    EXPECT_GT(count(coloured, row, reddish), 10);
    EXPECT_EQ(coloured.pixelColor(399, 2), kPaperBack) << "the default background reaches the right edge";
    QImage mono = firstPage(v.memo, rect, true);
    EXPECT_EQ(count(mono, row, reddish), 0);
    EXPECT_EQ(count(mono, row, [](QColor c) { return c == kPaperBack || c == QColor(200, 255, 200); }), 0);
    EXPECT_GT(count(mono, row, dark), 50);
}

TEST(TSyntaxMemoPrint, LongLinesAreCutAtTheRightEdgeOrWrapped)
{
    Viewer v;
    loadBytes(v.memo, std::string(300, 'W') + "\r\nnext\r\n");
    const TRect rect { 0, 0, 300, 300 };
    const Metrics m = deviceMetrics(v.memo);
    QImage cut = firstPage(v.memo, rect, false);
    EXPECT_EQ(count(cut, QRect(300, 0, 100, 300), [](QColor c) { return c != kMagenta; }), 0);
    EXPECT_GT(count(cut, QRect(280, 0, 20, m.lh), ink), 0);
    EXPECT_GT(count(cut, QRect(0, m.lh, 100, m.lh), ink), 0) << "the next line on the second row";
    EXPECT_EQ(count(cut, QRect(0, 2 * m.lh, 300, m.lh), ink), 0);

    v.options({ smoPrintWrap }, true);
    QImage wrapped = firstPage(v.memo, rect, false);
    const int rowsOfW = (300 + (300 / m.cw - 1) - 1) / (300 / m.cw - 1);
    for (int r = 0; r <= rowsOfW; ++r)
        EXPECT_GT(count(wrapped, QRect(0, r * m.lh, 50, m.lh), ink), 0) << "row " << r;
    EXPECT_EQ(count(wrapped, QRect(300, 0, 100, 300), [](QColor c) { return c != kMagenta; }), 0);
}

TEST(TSyntaxMemoPrint, RowsAreOfferedToOnDrawLine)
{
    Viewer v;
    loadBytes(v.memo, "one\r\ntwo\tx\r\nthree\r\n");
    std::vector<std::string> rows;
    std::vector<int> tops;
    v.memo.OnDrawLine = [&](TCustomSyntaxMemo&, TDrawLineInfo& info) {
        rows.emplace_back(info.chars, static_cast<size_t>(info.length));
        tops.push_back(info.rect.top);
        info.handled = true;
    };
    QImage page = firstPage(v.memo, { 0, 0, 400, 300 }, false);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], "two x\r"); // TABs expanded from the row's start
    const int lh = deviceMetrics(v.memo).lh;
    EXPECT_EQ(tops, (std::vector<int> { 0, lh, 2 * lh }));
    EXPECT_EQ(count(page, QRect(0, 0, 400, 300), dark), 0) << "handled rows are not drawn";
}

TEST(TSyntaxMemoPrint, AHeaderFooterHandlerReplacesTheBuiltInOnes)
{
    Viewer v(false);
    loadBytes(v.memo, lrl::test::numberedLines(5));
    auto o = v.memo.options();
    o.insert(smoPrintFilename);
    o.insert(smoPrintPageNos);
    v.memo.setOptions(o);
    int calls = 0;
    v.memo.OnPrintHeaderFooter = [&](TSyntaxMemo&, QPainter&, TRect& area, bool& transparent) {
        ++calls;
        area.top += 100;
        transparent = true;
    };
    QImage image = pageImage(400, 300);
    QPainter p(&image);
    EXPECT_FALSE(v.memo.renderPrintPage(p, { 0, 0, 400, 300 }, 1));
    p.end();
    EXPECT_GE(calls, 1);
    EXPECT_EQ(count(image, QRect(0, 0, 400, 100), [](QColor c) { return c != kMagenta; }), 0)
        << "no built-in header";
    EXPECT_GT(count(image, QRect(0, 100, 400, 20), dark), 0);
    const int cw = deviceMetrics(v.memo).cw;
    EXPECT_EQ(count(image, QRect(0, 100, 5 * cw, 20), [](QColor c) { return c == kPaperBack; }), 0)
        << "transparent text leaves the runs' background unfilled";
    EXPECT_GT(count(image, QRect(10 * cw, 100, 100, 10), [](QColor c) { return c == kPaperBack; }), 0)
        << "the rest of the row is filled";
}

TEST(TSyntaxMemoPrint, PrintingLeavesTheScreenAsItWasAlsoOnError)
{
    Viewer v;
    loadBytes(v.memo, lrl::test::numberedLines(100));
    const TViewerMetrics before = v.memo.metrics();
    TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, (dir.path() / "out.pdf").string());
    v.memo.printDocument(&printer);
    EXPECT_EQ(v.memo.metrics(), before);
    EXPECT_EQ(v.memo.styleFonts().resolution(), 0);
    EXPECT_FALSE(v.memo.isPrinting());

    bool sawPrinting = false;
    v.memo.OnDrawLine = [&](TCustomSyntaxMemo&, TDrawLineInfo&) {
        sawPrinting = v.memo.isPrinting();
        throw std::runtime_error("paper jam");
    };
    QPrinter second(QPrinter::HighResolution);
    pdfPrinter(second, (dir.path() / "second.pdf").string());
    EXPECT_THROW(v.memo.printDocument(&second), std::runtime_error);
    EXPECT_TRUE(sawPrinting);
    EXPECT_FALSE(v.memo.isPrinting());
    EXPECT_EQ(v.memo.metrics(), before);
    EXPECT_TRUE(v.memo.textStore().first()->flags & lfRepaint);
    QImage image = pageImage(400, 300);
    QPainter p(&image);
    EXPECT_THROW(v.memo.renderPrintPage(p, { 0, 0, 400, 300 }, 1), std::runtime_error);
    EXPECT_FALSE(v.memo.isPrinting());
}

// Abort Print's way into a running document: asked before each further page, false ends it there.
TEST(TSyntaxMemoPrint, ContinuePrintingEndsTheDocumentBeforeTheNextPage)
{
    Viewer v;
    loadBytes(v.memo, lrl::test::numberedLines(400));
    TempDir dir;
    QPrinter all(QPrinter::HighResolution);
    pdfPrinter(all, (dir.path() / "all.pdf").string());
    v.memo.printDocument(&all);
    const int pages = v.memo.printedPages();
    ASSERT_GT(pages, 3);

    int asked = 0;
    v.memo.continuePrinting = [&] { return ++asked < 2; };
    QPrinter two(QPrinter::HighResolution);
    pdfPrinter(two, (dir.path() / "two.pdf").string());
    v.memo.printDocument(&two);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(v.memo.printedPages(), 2);
    EXPECT_FALSE(v.memo.isPrinting());
}

TEST(TSyntaxMemoPrint, APageRecordedAsAPictureKeepsItsText)
{
    Viewer v(false);
    loadBytes(v.memo, "begin {a comment} end\r\nplain\tline\r\n");
    const TRect rect { 0, 0, 400, 300 };
    QPicture picture;
    {
        QPainter p(&picture);
        EXPECT_FALSE(v.memo.renderPrintPage(p, rect, 1));
    }
    QImage replayed = pageImage(400, 300);
    {
        QPainter p(&replayed);
        p.drawPicture(0, 0, picture);
    }
    QImage direct = pageImage(400, 300);
    {
        QPainter p(&direct);
        v.memo.renderPrintPage(p, rect, 1);
    }
    const QRect rows(0, 0, 400, 2 * deviceMetrics(v.memo).lh);
    const int ink = count(direct, rows, dark);
    EXPECT_GT(ink, 50);
    EXPECT_NEAR(count(replayed, rows, dark), ink, ink / 5) << "the same text, drawn as text";
    EXPECT_GT(count(replayed, rows, reddish), 10);
    // Recorded as strings, not as glyph outlines: a page of text stays small.
    EXPECT_LT(picture.size(), 4000u);
}
