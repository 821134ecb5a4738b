#include "viewer/TWordWrap.h"

#include "FakeScanner.h"
#include "ViewerTestUtil.h"
#include "viewer/TCustomSyntaxMemo.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::FakeScanner;
using lrl::test::loadBytes;
using lrl::test::nodeTexts;
using Rows = std::vector<std::string>;

namespace {

void setOption(TCustomSyntaxMemo& memo, TSyntaxMemoOption option, bool on)
{
    auto o = memo.options();
    o.set(option, on);
    memo.setOptions(o);
}

// A viewer without a window (7 pixels a character) wrapping at `columns`.
void wrapAt(TCustomSyntaxMemo& memo, int columns)
{
    memo.setWrapAtColumn(columns);
    setOption(memo, smoWordWrap, true);
}

} // namespace

TEST(TWordWrap, RowsEndAtWordBoundariesWithTheirBlanks)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "aaaa bbbb cccc dddd\r\nabcdefghijklmnop\r\n  x");
    wrapAt(memo, 10);
    EXPECT_EQ(nodeTexts(memo.textStore()),
        (Rows { "aaaa bbbb ", "cccc dddd\r", "abcdefghij", "klmnop\r", "  x" }));
    EXPECT_EQ(memo.textStore().lineCount(), 5);
    EXPECT_EQ(memo.text(), "aaaa bbbb cccc dddd\r\nabcdefghijklmnop\r\n  x");

    // Blanks at the cut stay with the row before it, however many there are.
    loadBytes(memo, "aaaaaaaa     bb\r\n");
    EXPECT_EQ(nodeTexts(memo.textStore()), (Rows { "aaaaaaaa     ", "bb\r" }));
    // Without a blank in the row the cut is hard; a break character at the end counts (160 too).
    loadBytes(memo, "aaaaaaaaaa\xA0"
                    "b c");
    EXPECT_EQ(nodeTexts(memo.textStore()), (Rows { "aaaaaaaaaa\xA0", "b c" }));
}

TEST(TWordWrap, ATabTakesTheColumnsUpToItsTabStop)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "ab\tcd\tef gh");
    wrapAt(memo, 9);
    // "ab" + TAB to column 4, "cd" to 6, TAB to 8, "e" to 9: the cut goes back to after the TAB.
    EXPECT_EQ(nodeTexts(memo.textStore()), (Rows { "ab\tcd\t", "ef gh" }));
    EXPECT_TRUE(memo.textStore().first()->hasTab());
    EXPECT_FALSE(memo.textStore().last()->hasTab());
}

TEST(TWordWrap, ContinuationRowsCarryOnlyTheContinuationBit)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "one two three four five\r\nnext");
    memo.setBookmark(3, 4);
    memo.textStore().first()->markBits = 2;
    memo.textStore().first()->setLineColors({ 0x123456, 0x654321 });
    wrapAt(memo, 9);
    auto rows = nodeTexts(memo.textStore());
    ASSERT_EQ(rows, (Rows { "one two ", "three ", "four five\r", "next" }));
    const TLineNode* first = memo.textStore().first();
    EXPECT_EQ(first->bookmarkBits, 1 << 3);
    EXPECT_EQ(first->markBits, 2);
    EXPECT_EQ(first->lineColors(), (TLineColors { 0x123456, 0x654321 }));
    EXPECT_EQ(first->next->bookmarkBits, kContinuationBit);
    EXPECT_EQ(first->next->next->bookmarkBits, kContinuationBit);
    EXPECT_EQ(first->next->markBits, 0);
    EXPECT_EQ(memo.textStore().last()->bookmarkBits, 0);
    for (const TLineNode* n = first; n; n = n->next)
        EXPECT_TRUE(n->flags & lfRepaint);

    // Off again: the rows join into one line that keeps everything.
    setOption(memo, smoWordWrap, false);
    EXPECT_EQ(nodeTexts(memo.textStore()), (Rows { "one two three four five\r", "next" }));
    EXPECT_EQ(memo.textStore().first()->bookmarkBits, 1 << 3);
    EXPECT_EQ(memo.bookmarkLine(3), 0);
}

TEST(TWordWrap, WrapOverrideKeepsMarkedLinesWhole)
{
    TCustomSyntaxMemo memo;
    std::string quoted = ">" + std::string(100, 'q') + " tail";
    loadBytes(memo, quoted + "\r\n|" + std::string(3000, 'p') + "\r\n" + std::string(30, 'w'));
    setOption(memo, smoWrapOverride, true);
    wrapAt(memo, 10);
    auto rows = nodeTexts(memo.textStore());
    ASSERT_EQ(rows.size(), 1u + 2u + 3u);
    EXPECT_EQ(rows[0], quoted + "\r");
    // 2048 characters or more are always cut, into pieces as loading cuts them.
    EXPECT_EQ(rows[1].size(), 2047u);
    EXPECT_EQ(rows[2].size(), 3002u - 2047u);
    EXPECT_EQ(rows[3], std::string(10, 'w'));

    memo.setWrapOverride(":");
    EXPECT_EQ(nodeTexts(memo.textStore())[0], ">qqqqqqqqq");
}

TEST(TWordWrap, LinesOf2048CharactersAreCutEvenWithoutWordWrap)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, std::string(2047, 'a') + "\r\n" + std::string(4100, 'b'));
    wrapAt(memo, 100);
    setOption(memo, smoWordWrap, false);
    auto rows = nodeTexts(memo.textStore());
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].size(), 2047u);
    EXPECT_EQ(rows[1], "\r"); // the CR of the first line
    EXPECT_EQ(rows[2].size(), 2047u);
    EXPECT_EQ(rows[3].size(), 2047u);
    EXPECT_EQ(rows[4].size(), 6u);
    EXPECT_TRUE(memo.textStore().findLine(1).node->isContinuation());
}

TEST(TWordWrap, RowsKeepTheirTokenValuesAndNeedNoRescan)
{
    FakeScanner scanner;
    TCustomSyntaxMemo memo;
    memo.setScanSource(&scanner);
    loadBytes(memo, "alpha {beta gamma} delta\r\n");
    int tokens = scanner.tokens;
    wrapAt(memo, 8);
    EXPECT_EQ(scanner.tokens, tokens);
    std::string values;
    for (const TLineNode* n = memo.textStore().first(); n; n = n->next) {
        ASSERT_TRUE(n->hasAttrs());
        EXPECT_FALSE(n->flags & lfRescan);
        values.append(n->attrs(), n->attrs() + n->length);
    }
    EXPECT_EQ(values[0], FakeScanner::kWord);
    EXPECT_EQ(values[8], FakeScanner::kComment);
    EXPECT_EQ(values[17], FakeScanner::kComment);
}

TEST(TWordWrap, AnEditRecutsOnlyItsLine)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "aaa bbb ccc\r\nddd eee fff\r\nggg hhh iii\r\n");
    wrapAt(memo, 8);
    ASSERT_EQ(memo.textStore().lineCount(), 6);
    const TLineNode* firstRow = memo.textStore().first();
    const TLineNode* lastRow = memo.textStore().last();
    int start = memo.lineIndex(2) + 4;
    memo.setSelection(start, start);
    memo.replaceSelection("xxxxx ");
    EXPECT_EQ(nodeTexts(memo.textStore()),
        (Rows { "aaa bbb ", "ccc\r", "ddd ", "xxxxx ", "eee fff\r", "ggg hhh ", "iii\r" }));
    EXPECT_EQ(memo.textStore().first(), firstRow);
    EXPECT_EQ(memo.textStore().last(), lastRow);
}

TEST(TWordWrap, AtTheWindowEdgeTheWidthFollowsTheWindow)
{
    TCustomSyntaxMemo memo;
    memo.setScrollBarWidth(10);
    memo.setClientSize(7 * 10 + memo.textLeft() + 20, 100);
    loadBytes(memo, "aaaa bbbb cccc dddd");
    setOption(memo, smoWordWrap, true);
    EXPECT_EQ(memo.wrapWidth(), 70);
    EXPECT_EQ(memo.textStore().lineCount(), 2);
    memo.setClientSize(7 * 20 + memo.textLeft() + 20, 100);
    EXPECT_EQ(memo.textStore().lineCount(), 1);
    // Too narrow a window still gets rows of at least one character.
    memo.setClientSize(1, 100);
    EXPECT_EQ(memo.wrapWidth(), 8);
    EXPECT_EQ(memo.textStore().lineCount(), 16); // "a", "a", "a", "a ", ...
}

TEST(TWordWrap, ABreakHandlerReplacesTheWordBreakRule)
{
    TCustomSyntaxMemo memo;
    memo.OnWordBreakProc = [](const char* text, int length, int start, int end) {
        for (int k = end - 1; k > start; --k)
            if (text[k] == ',')
                return k + 1;
        return end < length ? end : length;
    };
    loadBytes(memo, "aa,bb cc,dd");
    wrapAt(memo, 7);
    EXPECT_EQ(nodeTexts(memo.textStore()), (Rows { "aa,", "bb cc,", "dd" }));
}
