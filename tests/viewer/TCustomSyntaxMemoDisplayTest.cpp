// The display model of the viewer: metrics, display settings, row layout, gutter, positions, scrolling.

#include "viewer/TCustomSyntaxMemo.h"

#include "FakeScanner.h"
#include "ViewerTestUtil.h"
#include "viewer/TMetricsSource.h"
#include "viewer/TStyleColors.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::FakeScanner;
using lrl::test::loadBytes;

namespace {

// Sizes of a made-up font: "i" 3 pixels wide, everything else `wide` (bold one more), or every character
// `wide` when fixed.
class FakeMetrics : public TMetricsSource {
public:
    TFontMeasure regular { 14, 2, 6 };
    TFontMeasure boldItalic { 15, 2, 7 };
    bool fixed = true;
    int wide = 8;
    int calls = 0;

    TFontMeasure measure(const TSM_Font&, uint8_t style) override
    {
        ++calls;
        return style ? boldItalic : regular;
    }
    int charWidth(const TSM_Font&, uint8_t style, uint8_t c) override
    {
        if (fixed)
            return wide;
        return c == 'i' ? 3 : wide + ((style & TSM_Effect::Bold) ? 1 : 0);
    }
};

void setOption(TCustomSyntaxMemo& memo, TSyntaxMemoOption option, bool on)
{
    auto o = memo.options();
    o.set(option, on);
    memo.setOptions(o);
}

// A viewer 500 x 300 pixels with the fallback sizes (7 x 18 per character), gutter 34, margin 2.
struct Window {
    TCustomSyntaxMemo memo;
    Window() { memo.setClientSize(500, 300); }
    TRowPlan row(int line)
    {
        TRowPlan plan;
        memo.layoutRow(memo.textStore().findLine(line), plan);
        return plan;
    }
};

} // namespace

TEST(TViewerMetrics, FallbackSizesWithoutAWindow)
{
    TCustomSyntaxMemo memo;
    EXPECT_EQ(memo.metrics().charWidth(), 7);
    EXPECT_EQ(memo.metrics().textHeight(), 17);
    EXPECT_EQ(memo.metrics().lineHeight(), 18);
    EXPECT_FALSE(memo.metrics().fixedPitch());
    EXPECT_EQ(memo.rowsInWindow(), 40);
    EXPECT_EQ(memo.columnsInWindow(), 80);
}

TEST(TViewerMetrics, MeasuredInBoldItalicWithOneGridForFixedPitch)
{
    FakeMetrics source;
    TViewerMetrics m;
    m.compute(&source, {});
    EXPECT_EQ(m.lineHeight(), 15 + 2 + 1);
    EXPECT_TRUE(m.fixedPitch());
    EXPECT_EQ(m.cellWidth(), 8); // "W" in the regular style
    EXPECT_EQ(m.charWidth(), 6); // re-read in the regular style
    EXPECT_EQ(m.advance(TSM_Effect::Bold, 'i'), 8);

    source.fixed = false;
    m.compute(&source, {});
    EXPECT_FALSE(m.fixedPitch());
    EXPECT_EQ(m.charWidth(), 7);
    EXPECT_EQ(m.width(0, "iW", 2), 3 + 8);
    EXPECT_EQ(m.width(TSM_Effect::Bold, "iW", 2), 3 + 9);

    source.boldItalic = { 0, -3, 0 };
    m.compute(&source, {});
    EXPECT_EQ(m.textHeight(), 17);
    EXPECT_EQ(m.lineHeight(), 18);
    EXPECT_EQ(m.charWidth(), 7);
}

TEST(TViewerMetrics, RowsAndColumnsFollowTheWindowAndTheFont)
{
    Window w;
    EXPECT_EQ(w.memo.textLeft(), 34 + 2);
    EXPECT_EQ(w.memo.rowsInWindow(), 300 / 18);
    EXPECT_EQ(w.memo.columnsInWindow(), (500 - 36) / 7);
    FakeMetrics source;
    w.memo.setMetricsSource(&source);
    EXPECT_EQ(w.memo.rowsInWindow(), 300 / 18);
    EXPECT_EQ(w.memo.columnsInWindow(), (500 - 36) / 6);
    int calls = source.calls;
    w.memo.setTextFont({ "Other", 12, 1 });
    EXPECT_GT(source.calls, calls);
    EXPECT_EQ(w.memo.settings().font, (TSM_Font { "Other", 12, 1 }));
}

TEST(TCustomSyntaxMemoDisplay, GutterAndMarginRefuseBadWidths)
{
    TCustomSyntaxMemo hidden;
    EXPECT_FALSE(hidden.setGutter(40)); // no window width yet
    EXPECT_EQ(hidden.gutter(), 34);

    Window w;
    EXPECT_FALSE(w.memo.setGutter(20));
    EXPECT_FALSE(w.memo.setGutter(-1));
    EXPECT_FALSE(w.memo.setGutter(103)); // 20.6% of 500
    EXPECT_TRUE(w.memo.setGutter(102)); // 20.4%, rounded 20
    EXPECT_EQ(w.memo.textLeft(), 104);
    EXPECT_TRUE(w.memo.setGutter(0));
    EXPECT_EQ(w.memo.textLeft(), 2);

    EXPECT_FALSE(w.memo.setMargin(8)); // wider than a character
    EXPECT_TRUE(w.memo.setMargin(7));
    EXPECT_EQ(w.memo.textLeft(), 7);
    setOption(w.memo, smoShowGutter, false);
    w.memo.setGutter(40);
    EXPECT_EQ(w.memo.textLeft(), 7);
}

TEST(TCustomSyntaxMemoDisplay, GuideLinesOnlyWhereTheirColumnIsInView)
{
    Window w;
    loadBytes(w.memo, std::string(200, 'x'));
    EXPECT_EQ(w.memo.rightMarginX(), 36 + 80 * 7 < 500 ? 36 + 80 * 7 : -1);
    w.memo.setScrollColumn(20);
    EXPECT_EQ(w.memo.rightMarginX(), 36 + 60 * 7);
    w.memo.setScrollColumn(90);
    EXPECT_EQ(w.memo.rightMarginX(), -1);

    w.memo.setScrollColumn(0);
    w.memo.setWrapAtColumn(30);
    EXPECT_EQ(w.memo.wrapColumnX(), -1); // word wrap is off
    setOption(w.memo, smoWordWrap, true);
    EXPECT_EQ(w.memo.wrapColumnX(), 36 + 30 * 7);
    setOption(w.memo, smoShowRMargin, false);
    EXPECT_EQ(w.memo.rightMarginX(), -1);
}

TEST(TCustomSyntaxMemoDisplay, RowsAreRunsOfEqualValueCutAtTheSelection)
{
    FakeScanner scanner;
    Window w;
    w.memo.setScanSource(&scanner);
    loadBytes(w.memo, "ab+cd\r\nxy");
    w.memo.setHideSelection(false);
    w.memo.setSelection(1, 4);
    TRowPlan plan = w.row(0);
    std::vector<std::tuple<int, int, bool>> runs;
    for (const auto& r : plan.runs)
        runs.emplace_back(r.column, r.count, r.selected);
    EXPECT_EQ(runs, (std::vector<std::tuple<int, int, bool>> { { 0, 1, false }, { 1, 1, true }, { 2, 1, true },
                        { 3, 1, true }, { 4, 1, false } }));
    EXPECT_EQ(plan.runs[0].x, 36);
    EXPECT_EQ(plan.runs[4].x, 36 + 4 * 7);
    EXPECT_EQ(plan.runs[1].colors, (TColorPair { colors::clHighlightText, colors::clHighlight }));
    // The CR run is not drawn; the fill starts behind the text in style 0's background.
    EXPECT_EQ(plan.fillX, 36 + 5 * 7);
    EXPECT_EQ(plan.fillColor, colors::clWindow);
    EXPECT_TRUE(plan.endVisible);

    // A selection running past the line end fills the rest of the row with the selection background.
    w.memo.setSelection(1, 7);
    plan = w.row(0);
    EXPECT_EQ(plan.fillColor, colors::clHighlight);
    EXPECT_EQ(w.row(1).fillColor, colors::clWindow);

    // Hidden without focus.
    w.memo.setHideSelection(true);
    EXPECT_FALSE(w.memo.selectionShown());
    w.memo.setFocused(true);
    EXPECT_TRUE(w.memo.selectionShown());
}

// Every row ends in a display column for its line end: a line's CR, or, for a row that ends in neither CR
// nor a blank (a piece of a longer line, the text's last line), one column added behind its characters.
// Neither is drawn: the fill starts right behind the characters.
TEST(TCustomSyntaxMemoDisplay, EveryRowEndsInAColumnForItsLineEnd)
{
    Window w;
    loadBytes(w.memo, "ab\r\n" + std::string(3000, 'x') + "\r\nlast");
    const std::pair<int, int> columns[] = { { 0, 3 }, { 1, 2048 }, { 2, 954 }, { 3, 5 } };
    for (const auto& [line, count] : columns) {
        w.row(line);
        EXPECT_EQ(w.memo.displayLine().length(), count) << line;
    }
    EXPECT_EQ(w.row(0).fillX, 36 + 2 * 7);
    EXPECT_EQ(w.row(3).fillX, 36 + 4 * 7);
    EXPECT_EQ(w.memo.displayLine().kinds()[4], TDisplayLine::LineEnd);

    loadBytes(w.memo, "ends in a blank ");
    w.row(0);
    EXPECT_EQ(w.memo.displayLine().length(), 16);
}

TEST(TCustomSyntaxMemoDisplay, ATabInTheSelectionShowsAsSelectedBlanks)
{
    Window w;
    loadBytes(w.memo, "a\tb");
    w.memo.setFocused(true);
    w.memo.setSelection(1, 2);
    TRowPlan plan = w.row(0);
    ASSERT_EQ(plan.runs.size(), 3u);
    EXPECT_EQ(w.memo.displayLine().length(), 6); // with the column of the text's unended last line
    EXPECT_EQ(std::string(w.memo.displayLine().chars(), 5), "a   b");
    EXPECT_EQ(plan.runs[1].column, 1);
    EXPECT_EQ(plan.runs[1].count, 3);
    EXPECT_TRUE(plan.runs[1].selected);
    EXPECT_EQ(plan.runs[2].x, 36 + 4 * 7);
}

TEST(TCustomSyntaxMemoDisplay, ARunPastTheRightEdgeIsCut)
{
    Window w;
    w.memo.setClientSize(36 + 10 * 7 + 3, 100);
    loadBytes(w.memo, std::string(40, 'x'));
    TRowPlan plan = w.row(0);
    ASSERT_EQ(plan.runs.size(), 1u);
    EXPECT_TRUE(plan.runs[0].clipped);
    EXPECT_EQ(plan.runs[0].count, 15); // 1.5 x the 10 whole columns left
    EXPECT_FALSE(plan.endVisible);
    w.memo.setScrollColumn(39);
    plan = w.row(0);
    EXPECT_EQ(plan.runs[0].count, 1);
    EXPECT_TRUE(plan.endVisible);
}

TEST(TStyleColors, RunColoursFollowTheirOrderOfPrecedence)
{
    TSM_Settings s;
    s.effects[0] = { 0, 0x111111, 0x222222, false, false, false, true };
    s.effects[3] = { TSM_Effect::Bold, 0x333333, 0x444444, false, true, false, true };
    TRowColoring row;
    row.selection = { 0xAAAAAA, 0xBBBBBB };
    EXPECT_EQ(TStyleColors::runColors(s, 3, false, row), (TColorPair { 0x333333, 0x222222 }));
    EXPECT_EQ(TStyleColors::runColors(s, 3, true, row), (TColorPair { 0xAAAAAA, 0xBBBBBB }));
    row.lineColors = { 0x555555, 0x666666 };
    EXPECT_EQ(TStyleColors::runColors(s, 3, false, row), (TColorPair { 0x555555, 0x666666 }));
    row.highlight = false;
    EXPECT_EQ(TStyleColors::runColors(s, 3, false, row), (TColorPair { 0x111111, 0x222222 }));
    TLineColors breakpoint { 0x777777, 0x888888 };
    row.breakpoint = &breakpoint;
    EXPECT_EQ(TStyleColors::runColors(s, 3, true, row), (TColorPair { 0x888888, 0x777777 }));
    row.disabled = true;
    EXPECT_EQ(TStyleColors::runColors(s, 3, false, row), (TColorPair { 0x777777, colors::clSilver }));
    row.monochrome = true;
    EXPECT_EQ(TStyleColors::runColors(s, 3, true, row), (TColorPair { colors::clBlack, colors::clWhite }));

    // Style 0 marked default takes the system colours, and so does a style that defers to it.
    s.effects[0].foregroundDefault = s.effects[0].backgroundDefault = true;
    EXPECT_EQ(TStyleColors::styleColors(s, 3), (TColorPair { 0x333333, colors::clWindow }));
}

TEST(TGutterPlan, NumbersOnlyOnTheFirstRowOfALineAndGlyphsInstead)
{
    Window w;
    loadBytes(w.memo, "one two three four five six\r\nnext\r\nthird");
    w.memo.setWrapAtColumn(10);
    auto o = w.memo.options();
    o.insert(smoWordWrap);
    o.insert(smoLineNumbers);
    w.memo.setOptions(o);
    ASSERT_EQ(w.memo.textStore().lineCount(), 5);
    auto plan = [&](int line) { return w.memo.gutterPlan(w.memo.textStore().findLine(line)); };
    EXPECT_EQ(plan(0).lineNumber, 1);
    EXPECT_EQ(plan(1).glyph, TGutterPlan::WrapGlyph);
    EXPECT_EQ(plan(1).lineNumber, 0);
    EXPECT_EQ(plan(2).glyph, TGutterPlan::WrapGlyph);
    EXPECT_EQ(plan(3).lineNumber, 2);
    EXPECT_EQ(plan(4).lineNumber, 3);
    EXPECT_EQ(w.memo.lineNumberOf(4), 3);
    EXPECT_EQ(w.memo.lineNumberOf(1), 1);

    w.memo.setBookmark(3, w.memo.lineIndex(3));
    EXPECT_EQ(plan(3).glyph, TGutterPlan::BookmarkGlyph);
    EXPECT_EQ(plan(3).bookmark, 3);
    EXPECT_EQ(plan(3).lineNumber, 0);
    w.memo.textStore().last()->markBits = 0b101;
    EXPECT_EQ(plan(4).markImage, 2);
    EXPECT_EQ(plan(4).lineNumber, 0);

    o.erase(smoShowWrapGlyph);
    w.memo.setOptions(o);
    EXPECT_EQ(plan(1).glyph, TGutterPlan::NoGlyph);
    EXPECT_EQ(w.memo.gutterPlan({}).glyph, TGutterPlan::NoGlyph); // a row below the text
    // Without word wrap every node counts as a line; the bookmark went with its line.
    o.erase(smoWordWrap);
    w.memo.setOptions(o);
    ASSERT_EQ(w.memo.textStore().lineCount(), 3);
    EXPECT_EQ(plan(1).bookmark, 3);
    EXPECT_EQ(w.memo.lineNumberOf(2), 3);
}

TEST(TCustomSyntaxMemoDisplay, PositionsOfCharactersAndCharactersAtPositions)
{
    Window w;
    loadBytes(w.memo, "ab\tc\r\nsecond line\r\n");
    EXPECT_EQ(w.memo.posFromChar(0), (TPoint { 36, 0 }));
    EXPECT_EQ(w.memo.posFromChar(3), (TPoint { 36 + 4 * 7, 0 })); // after the TAB
    EXPECT_EQ(w.memo.posFromChar(6), (TPoint { 36 + 1 * 7, 18 }));
    EXPECT_EQ(w.memo.charFromPos({ 36 + 4 * 7 + 3, 5 }), 3);
    EXPECT_EQ(w.memo.charFromPos({ 36 + 2 * 7 + 1, 5 }), 2); // inside the TAB
    EXPECT_EQ(w.memo.charFromPos({ 499, 20 }), 5 + 11); // past the end: before the CR
    EXPECT_EQ(w.memo.charFromPos({ 40, 290 }), w.memo.textStore().charCount()); // below the text
    EXPECT_EQ(w.memo.charFromPos({ 10, 5 }), -1); // in the gutter
    EXPECT_EQ(w.memo.charFromPos({ 40, 300 }), -1);

    w.memo.setScrollColumn(2);
    EXPECT_EQ(w.memo.posFromChar(0).x, 36 - 2 * 7);
    w.memo.setTopLine(1);
    EXPECT_EQ(w.memo.firstVisibleLine(), 1);
    EXPECT_EQ(w.memo.posFromChar(0).y, -18);
    EXPECT_EQ(w.memo.caretControl().topLine(), 2);
    w.memo.caretControl().setTopLine(1);
    EXPECT_EQ(w.memo.topLine(), 0);
}

TEST(TCustomSyntaxMemoDisplay, TheCaretIsABlockInOverwriteModeAndFollowsItsColumnPastTheEnd)
{
    FakeMetrics source;
    Window w;
    w.memo.setMetricsSource(&source);
    loadBytes(w.memo, "a\tb\r\nxy");
    w.memo.setSelection(1, 1);
    EXPECT_EQ(w.memo.caretWidth(), 2);
    w.memo.setOverwrite(true);
    EXPECT_EQ(w.memo.caretWidth(), 3 * 8); // the TAB's blanks
    w.memo.setSelection(9, 9);
    EXPECT_EQ(w.memo.caretWidth(), 6); // past the text: the average width

    w.memo.setSelection(3, 3);
    w.memo.setRememberedColumn(10);
    EXPECT_EQ(w.memo.caretPos().x, w.memo.posFromChar(3).x);
    setOption(w.memo, smoCaretAfterEOL, true);
    EXPECT_EQ(w.memo.caretPos().x, 36 + 10 * 6);
}

TEST(TCustomSyntaxMemoDisplay, ScrollingTheCaretIntoViewGoesInStepsOfEight)
{
    Window w;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += std::string(200, 'a' + i % 26) + "\r\n";
    loadBytes(w.memo, text);
    int rows = w.memo.rowsInWindow();
    int columns = w.memo.columnsInWindow();
    w.memo.setSelection(w.memo.lineIndex(50) + 100, w.memo.lineIndex(50) + 100);
    w.memo.scrollCaret();
    EXPECT_EQ(w.memo.topLine(), 50 - rows + 1);
    EXPECT_EQ(w.memo.scrollColumn() % 8, 0);
    EXPECT_LE(w.memo.scrollColumn(), 100);
    EXPECT_GT(w.memo.scrollColumn() + columns, 100);

    w.memo.setSelection(w.memo.lineIndex(3) + 5, w.memo.lineIndex(3) + 5);
    w.memo.scrollCaret();
    EXPECT_EQ(w.memo.topLine(), 3);
    EXPECT_EQ(w.memo.scrollColumn(), 0);

    // End of a line whose TABs give it more columns than the longest line has characters.
    loadBytes(w.memo, "x\r\n" + std::string(40, '\t') + "S := 1;\r\nend.\r\n");
    const int end = w.memo.lineIndex(1) + 47;
    w.memo.setSelection(end, end);
    w.memo.scrollCaret();
    EXPECT_LE(w.memo.scrollColumn(), 167);
    EXPECT_GT(w.memo.scrollColumn() + columns, 167);
    EXPECT_LT(w.memo.caretPos().x, 500);
    loadBytes(w.memo, text);

    w.memo.caretControl().setLine(80);
    EXPECT_EQ(w.memo.caretControl().line(), 80);
    EXPECT_EQ(w.memo.caretControl().column(), 1);
    EXPECT_EQ(w.memo.topLine(), 79 - rows + 1);
}
