// The viewer widget, rendered offscreen: what only pixels can tell.

#include "viewer/ui/TSyntaxMemo.h"

#include "../FakeScanner.h"
#include "../ViewerTestUtil.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "support/qt/DarkPalette.h"
#include "viewer/TStyleColors.h"

#include "widgets/EventHook.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::FakeScanner;
using lrl::test::loadBytes;

namespace {

const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kBack(250, 250, 240); // style 0's background
const QColor kSilver(192, 192, 192);
const QColor kCommentBack(200, 255, 200);

// 0x00BBGGRR of a colour.
int32_t stored(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

// A viewer 600 x 200 pixels without frame and scroll bars, in a 12-pixel Liberation Mono, scanned by the
// fake scanner: words bold red, comments on light green, everything else black on kBack.
struct Viewer {
    FakeScanner scanner;
    TSyntaxMemo memo;

    Viewer()
    {
        TSM_Settings s;
        s.font = { "Liberation Mono", -12, 0 };
        s.effects[0] = { 0, 0x000000, stored(kBack), false, false, false, true };
        s.effects[1] = { TSM_Effect::Bold, 0x0000FF, 0, false, true, false, true };
        s.effects[2] = { TSM_Effect::Italic, 0x008000, stored(kCommentBack), false, false, false, true };
        s.map[FakeScanner::kWord] = 1;
        s.map[FakeScanner::kComment] = 2;
        s.gutterColor = stored(kYellow);
        s.marginColor = stored(kWhite);
        s.selTextColor = stored(kWhite);
        s.selTextBack = stored(kBlue);
        s.gutterFont = { "Liberation Sans", -11, 0, 0x000000, 0 };
        memo.setSettings(s);
        memo.setFrameStyle(QFrame::NoFrame);
        memo.setScrollBars(ssNone);
        memo.setScanSource(&scanner);
        memo.setHideSelection(false);
        memo.resize(600, 200);
        memo.show();
    }
    void option(TSyntaxMemoOption o, bool on)
    {
        auto opts = memo.options();
        opts.set(o, on);
        memo.setOptions(opts);
    }
    int lh() { return memo.metrics().lineHeight(); }
    int cell() { return memo.metrics().cellWidth(); }
    int left() { return memo.textLeft(); }
    // The left edge of display column c.
    int x(int column) { return left() + column * cell(); }
};

bool hasColor(const QImage& image, const QRect& area, const QColor& color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

// Pixels in the area that are not `background`.
int inked(const QImage& image, const QRect& area, const QColor& background)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) != background ? 1 : 0;
    return n;
}

} // namespace

TEST(TSyntaxMemo, AnEmptyTextPaintsEmptyRowsWithTheRightMarginAndNoNumbers)
{
    Viewer v;
    v.option(smoLineNumbers, true);
    loadBytes(v.memo, "");
    QImage image = v.memo.renderView();
    int margin = v.x(80);
    ASSERT_LT(margin, image.width());
    for (int y = 0; y < image.height(); y += 7) {
        EXPECT_EQ(image.pixelColor(margin, y), kSilver);
        EXPECT_EQ(image.pixelColor(v.x(3), y), kBack);
        EXPECT_EQ(image.pixelColor(v.left() - 1, y), kWhite); // the left margin
    }
    // The gutter: yellow with its white line, and nothing written on it.
    EXPECT_EQ(inked(image, QRect(0, 0, 32, image.height()), kYellow), 0);
    EXPECT_EQ(image.pixelColor(32, 5), kWhite);
}

TEST(TSyntaxMemo, MetricsComeFromTheFontWithoutShowingTheWidget)
{
    FakeScanner scanner;
    TSyntaxMemo hidden;
    TSM_Settings s;
    s.font = { "Liberation Mono", -12, 0 };
    hidden.setSettings(s);
    hidden.setScanSource(&scanner);
    loadBytes(hidden, "abc {x}\r\n");
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_TRUE(hidden.metrics().fixedPitch());
    EXPECT_EQ(hidden.metrics().cellWidth(), QFontMetrics(TStyleFonts::makeFont("Liberation Mono", -12, 0)).horizontalAdvance('W'));
    EXPECT_NE(hidden.metrics().lineHeight(), 18);
    EXPECT_TRUE(hidden.textStore().first()->hasAttrs());
}

TEST(TSyntaxMemo, LineNumbersOnFirstRowsAndTheWrapGlyphOnTheOthers)
{
    Viewer v;
    v.option(smoLineNumbers, true);
    v.memo.setWrapAtColumn(10);
    v.option(smoWordWrap, true);
    loadBytes(v.memo, "aaaa bbbb cccc dddd eeee\r\nnext");
    ASSERT_EQ(v.memo.textStore().lineCount(), 4);
    v.memo.setBookmark(3, v.memo.lineIndex(3));
    QImage image = v.memo.renderView();
    const QColor navy(0, 0, 128);
    const QColor teal(0, 112, 112);
    auto gutter = [&](int row) { return QRect(0, row * v.lh(), 31, v.lh()); };
    EXPECT_GT(inked(image, gutter(0), kYellow), 5); // "1"
    EXPECT_FALSE(hasColor(image, gutter(0), navy));
    EXPECT_TRUE(hasColor(image, gutter(1), navy));
    EXPECT_TRUE(hasColor(image, gutter(2), navy));
    EXPECT_TRUE(hasColor(image, gutter(3), teal)); // bookmark 3, no number
    EXPECT_FALSE(hasColor(image, gutter(3), QColor(0, 0, 0)));
    EXPECT_EQ(inked(image, gutter(5), kYellow), 0); // below the text
    // The dotted wrap-column line.
    int wrap = v.x(10);
    EXPECT_EQ(image.pixelColor(wrap, 0), kSilver);
    EXPECT_NE(image.pixelColor(wrap, 1), kSilver);
}

TEST(TSyntaxMemo, GutterWidthsTheWindowRefusesOrHides)
{
    Viewer v;
    loadBytes(v.memo, "text");
    EXPECT_FALSE(v.memo.setGutter(20));
    QImage image = v.memo.renderView();
    EXPECT_EQ(image.pixelColor(25, 3), kYellow);
    EXPECT_TRUE(v.memo.setGutter(0));
    image = v.memo.renderView();
    EXPECT_EQ(v.memo.textLeft(), v.memo.margin());
    EXPECT_FALSE(hasColor(image, QRect(0, 0, 40, v.lh()), kYellow));
}

TEST(TSyntaxMemo, NoRightMarginLineWhenScrolledPastIt)
{
    Viewer v;
    loadBytes(v.memo, std::string(300, 'x') + "\r\n");
    v.memo.setScrollColumn(90);
    QImage image = v.memo.renderView();
    for (int x = v.left(); x < image.width(); ++x)
        ASSERT_NE(image.pixelColor(x, v.lh() + 3), kSilver) << x;
}

TEST(TSyntaxMemo, SelectedTabAndRowsRunningPastTheEnd)
{
    Viewer v;
    loadBytes(v.memo, "+\t+\r\nab\r\nlast");
    // The TAB selected: its blanks up to the tab stop are selected; the next character is not.
    v.memo.setSelection(1, 2);
    QImage image = v.memo.renderView();
    int mid = v.lh() / 2;
    EXPECT_EQ(image.pixelColor(v.x(0) + 1, 1), kBack);
    for (int column = 1; column < 4; ++column)
        EXPECT_EQ(image.pixelColor(v.x(column) + 1, mid), kBlue) << column;
    EXPECT_EQ(image.pixelColor(v.x(4) + 1, 1), kBack);
    EXPECT_EQ(image.pixelColor(v.x(20), mid), kBack);

    // A selection from inside the first line into the second fills the rest of the first row.
    v.memo.setSelection(2, 6);
    image = v.memo.renderView();
    EXPECT_EQ(image.pixelColor(v.x(20), mid), kBlue);
    EXPECT_EQ(image.pixelColor(v.x(20), v.lh() + mid), kBack);
    EXPECT_EQ(image.pixelColor(v.x(0) + 1, v.lh() + 1), kBlue);

    // Hidden without focus when HideSelection is on.
    v.memo.setHideSelection(true);
    image = v.memo.renderView();
    EXPECT_EQ(image.pixelColor(v.x(20), mid), kBack);
}

TEST(TSyntaxMemo, RunsInTheirStylesStayOnOneGrid)
{
    Viewer v;
    loadBytes(v.memo, "ab{cd}ef++");
    QImage image = v.memo.renderView();
    int mid = v.lh() / 2;
    // Comment background exactly over columns 2 ... 5.
    EXPECT_NE(image.pixelColor(v.x(2) - 1, 1), kCommentBack);
    EXPECT_EQ(image.pixelColor(v.x(2), 1), kCommentBack);
    EXPECT_EQ(image.pixelColor(v.x(6) - 1, 1), kCommentBack);
    EXPECT_NE(image.pixelColor(v.x(6), 1), kCommentBack);
    // Bold red words, black symbols.
    auto cell = [&](int column) { return QRect(v.x(column), 0, v.cell(), v.lh()); };
    auto reddish = [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                QColor c = image.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                    return true;
            }
        return false;
    };
    EXPECT_TRUE(reddish(cell(0)));
    EXPECT_TRUE(reddish(cell(7)));
    EXPECT_FALSE(reddish(cell(8)));
    EXPECT_GT(inked(image, cell(8), kBack), 3);
    EXPECT_EQ(inked(image, QRect(v.x(10), 0, 50, v.lh()), kBack), 0);
    (void)mid;
}

TEST(TSyntaxMemo, BytesAreDrawnAsWindows1252)
{
    Viewer v;
    loadBytes(v.memo, "\x80\xE9 ");
    QImage image = v.memo.renderView();
    // The euro sign and e-acute have glyphs; the blank has none.
    EXPECT_GT(inked(image, QRect(v.x(0), 0, v.cell(), v.lh()), kBack), 5);
    EXPECT_GT(inked(image, QRect(v.x(1), 0, v.cell(), v.lh()), kBack), 5);
    EXPECT_EQ(inked(image, QRect(v.x(2), 0, v.cell(), v.lh()), kBack), 0);

    // The same glyph as Qt draws for the character.
    QImage euro(v.cell(), v.lh(), QImage::Format_RGB32);
    euro.fill(kBack);
    QPainter p(&euro);
    p.setFont(TStyleFonts::makeFont("Liberation Mono", -12, 0));
    p.setPen(Qt::black);
    p.drawText(QPoint(0, v.memo.styleFonts().ascent()), QString(QChar(0x20AC)));
    p.end();
    EXPECT_EQ(image.copy(v.x(0), 0, v.cell(), v.lh()), euro);
}

// A decoded file is drawn in the characters of its code page: each cell holds the glyph Qt draws for the
// character, not the one of the byte in Windows-1252.
TEST(TSyntaxMemo, CharactersAreDrawnInTheTextsCodePage)
{
    struct Case {
        const char* utf8;
        int codePage;
        char16_t shown;
    };
    for (Case c : { Case { "\xC3\xA4", 1252, 0x00E4 }, Case { "\xD0\x96", 1251, 0x0416 },
             Case { "\xCE\xA9", 1253, 0x03A9 } }) {
        Viewer v;
        loadBytes(v.memo, c.utf8);
        ASSERT_EQ(v.memo.codePage(), c.codePage);
        QImage image = v.memo.renderView();
        QImage expected(v.cell(), v.lh(), QImage::Format_RGB32);
        expected.fill(kBack);
        QPainter p(&expected);
        p.setFont(TStyleFonts::makeFont("Liberation Mono", -12, 0));
        p.setPen(Qt::black);
        p.drawText(QPoint(0, v.memo.styleFonts().ascent()), QString(QChar(c.shown)));
        p.end();
        EXPECT_GT(inked(image, QRect(v.x(0), 0, v.cell(), v.lh()), kBack), 5) << c.codePage;
        EXPECT_EQ(image.copy(v.x(0), 0, v.cell(), v.lh()), expected) << c.codePage;
    }
}

TEST(TSyntaxMemo, DrawLineHandlerTakesOverARow)
{
    Viewer v;
    loadBytes(v.memo, "first\r\nsecond\r\n");
    std::vector<int> offsets;
    v.memo.OnDrawLine = [&](TCustomSyntaxMemo&, TDrawLineInfo& info) {
        offsets.push_back(info.offset);
        if (info.offset == 0) {
            auto* p = static_cast<QPainter*>(info.canvas);
            p->fillRect(QRect(info.rect.left, info.rect.top, info.rect.width(), info.rect.height()), Qt::green);
            info.handled = true;
        }
    };
    QImage image = v.memo.renderView();
    EXPECT_EQ(offsets, (std::vector<int> { 0, 6 }));
    EXPECT_EQ(image.pixelColor(v.x(2), 2), QColor(Qt::green));
    EXPECT_NE(image.pixelColor(v.x(2), v.lh() + 2), QColor(Qt::green));
}

TEST(TSyntaxMemo, ADisabledViewerPaintsOnSilver)
{
    Viewer v;
    loadBytes(v.memo, "ab cd\r\n");
    v.memo.setEnabled(false);
    QImage image = v.memo.renderView();
    EXPECT_EQ(image.pixelColor(v.x(2) + 1, 1), kSilver);
    EXPECT_EQ(image.pixelColor(v.x(30), 1), kSilver);
}

// On a dark desktop a style that fixes its text colour but takes the background from the palette is
// painted in the palette's text on its base, not red on the dark base; on a light one it keeps its red.
TEST(TSyntaxMemo, OnADarkPaletteMixedStylesTakeBothColoursFromIt)
{
    Viewer v;
    TSM_Settings s = v.memo.settings();
    s.effects[0] = TSM_Effect {};
    s.effects[1].backgroundDefault = true;
    v.memo.setSettings(s);
    loadBytes(v.memo, "abcd\r\n");
    const QRect word(v.x(0), 0, 4 * v.cell(), v.lh());
    const QColor red(255, 0, 0);
    ASSERT_TRUE(hasColor(v.memo.renderView(), word, red)) << "the light palette keeps the style's colour";

    const QPalette dark = test::darkPalette();
    v.memo.setPalette(dark);
    QImage image = v.memo.renderView();
    EXPECT_FALSE(hasColor(image, word, red));
    EXPECT_EQ(image.pixelColor(word.left() + 1, 1), dark.color(QPalette::Base));
    EXPECT_TRUE(hasColor(image, word, dark.color(QPalette::Text)));
    ASSERT_GT(v.left(), 0);
    EXPECT_EQ(image.pixelColor(v.left() - 1, 1), dark.color(QPalette::Base)) << "no white margin beside it";
}

TEST(TSyntaxMemo, ShowAllCharsMarksBlanksTabsAndLineEnds)
{
    Viewer v;
    loadBytes(v.memo, "a b\tc\r\nd");
    QImage plain = v.memo.renderView();
    v.option(smoShowAllChars, true);
    QImage marked = v.memo.renderView();
    auto cells = [&](int from, int to) { return QRect(v.x(from), 0, (to - from) * v.cell(), v.lh()); };
    EXPECT_EQ(plain.copy(cells(0, 1)), marked.copy(cells(0, 1)));
    EXPECT_NE(plain.copy(cells(1, 2)), marked.copy(cells(1, 2))); // the blank
    EXPECT_NE(plain.copy(cells(3, 4)), marked.copy(cells(3, 4))); // the TAB
    EXPECT_NE(plain.copy(cells(5, 6)), marked.copy(cells(5, 6))); // behind "c": the line end
    QRect lastRowEnd(v.x(1), v.lh(), v.cell(), v.lh());
    EXPECT_EQ(plain.copy(lastRowEnd), marked.copy(lastRowEnd)); // the text's last line has no end
}

// A painted row is done with: it is not marked for drawing again until something changes it, also with
// highlighting off, where no scan clears the rescan marks a load leaves.
TEST(TSyntaxMemo, PaintedRowsAreNoLongerMarked)
{
    for (bool highlight : { true, false }) {
        Viewer v;
        v.option(smoSyntaxHighlight, highlight);
        loadBytes(v.memo, "first\r\nsecond\r\nthird\r\n");
        v.memo.renderView();
        for (const TLineNode* n = v.memo.textStore().first(); n; n = n->next)
            EXPECT_EQ(n->flags & (lfRepaint | lfRescan | lfScanStart), 0u) << highlight;
    }
}

// The caret is repainted where it stood when it moves, also from the empty line after a final line end,
// a row that has no line node to be marked.
TEST(TSyntaxMemo, AMovedCaretIsRepaintedWhereItStood)
{
    Viewer v;
    loadBytes(v.memo, "first\r\nsecond\r\n");
    v.memo.activateWindow();
    v.memo.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v.memo));
    std::vector<QRegion> painted;
    EventHook hook(v.memo.viewport(), [&](QEvent* e) {
        if (e->type() == QEvent::Paint)
            painted.push_back(static_cast<QPaintEvent*>(e)->region());
        return false;
    });
    v.memo.setSelection(15, 15); // the empty last line
    QApplication::processEvents();
    const QRect stood = v.memo.caretRect();
    ASSERT_EQ(stood.top(), 2 * v.lh());
    painted.clear();
    v.memo.setSelection(0, 0);
    QApplication::processEvents();
    QRegion all;
    for (const QRegion& r : painted)
        all += r;
    EXPECT_TRUE(all.contains(stood)) << "repainted: " << all.boundingRect().top() << ".." << all.boundingRect().bottom();
}

TEST(TSyntaxMemo, ScrollBarsFollowTheModel)
{
    Viewer v;
    v.memo.setScrollBars(ssBoth);
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    loadBytes(v.memo, text);
    EXPECT_EQ(v.memo.verticalScrollBar()->maximum(), 199);
    v.memo.verticalScrollBar()->setValue(50);
    EXPECT_EQ(v.memo.topLine(), 50);
    v.memo.setTopLine(120);
    EXPECT_EQ(v.memo.verticalScrollBar()->value(), 120);
    v.memo.caretControl().setLine(10);
    EXPECT_EQ(v.memo.verticalScrollBar()->value(), 9);
}

// Bound to the scanner component, the widget shows the scheme: its gutter colour, its left margin and,
// through the map and the style records, each token value in its style's font and colours. A hidden
// viewer bound to the same component (the print buffer) scans alike without being shown.
TEST(TSyntaxMemo, BoundToTheShippedSchemeItShowsTheSchemesStyles)
{
    auto parser = createShippedParser();
    TSM_Settings& scheme = parser->settings();
    scheme.font = { "Liberation Mono", -12, 0 };
    TSM_Effect& reserved = scheme.effects[scheme.map[7]];
    reserved.style = TSM_Effect::Bold;
    reserved.foreground = 0x0000FF;
    reserved.foregroundDefault = false;
    TSM_Effect& comment = scheme.effects[scheme.map[8]];
    comment.background = stored(kCommentBack);
    comment.backgroundDefault = false;

    TSyntaxMemo memo(*parser);
    memo.setFrameStyle(QFrame::NoFrame);
    memo.setScrollBars(ssNone);
    memo.resize(600, 200);
    memo.show();
    loadBytes(memo, "uses {c} x;");
    EXPECT_EQ(memo.textLeft(), 34 + 8);
    QImage image = memo.renderView();
    const int lh = memo.metrics().lineHeight();
    const int cell = memo.metrics().cellWidth();
    auto column = [&](int c) { return QRect(memo.textLeft() + c * cell, 0, cell, lh); };
    auto reddish = [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                QColor c = image.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                    return true;
            }
        return false;
    };
    EXPECT_EQ(image.pixelColor(5, 5), kYellow);
    EXPECT_EQ(image.pixelColor(memo.textLeft() - 1, 5), kWhite);
    for (int c = 0; c < 4; ++c)
        EXPECT_TRUE(reddish(column(c))) << c;
    EXPECT_EQ(image.pixelColor(column(5).topLeft()), kCommentBack);
    EXPECT_EQ(image.pixelColor(column(7).bottomRight()), kCommentBack);
    EXPECT_FALSE(reddish(column(9)));
    EXPECT_GT(inked(image, column(9), kWhite), 3);

    TSyntaxMemo buffer(*parser);
    loadBytes(buffer, "uses {c} x;");
    EXPECT_FALSE(buffer.isVisible());
    EXPECT_EQ(buffer.settings().effects, memo.settings().effects);
    ASSERT_TRUE(buffer.textStore().first()->hasAttrs());
    EXPECT_EQ(buffer.textStore().first()->attrs()[0], 7);
    EXPECT_EQ(buffer.textStore().first()->attrs()[5], 8);
}
