#include "viewer/TSyntaxMemoStrings.h"

#include "ViewerTestUtil.h"
#include "viewer/TSyntaxMemoListener.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::loadBytes;

namespace {

class Repaints : public TSyntaxMemoListener {
public:
    void repaintNeeded(TCustomSyntaxMemo&) override { ++count; }
    void changed(TCustomSyntaxMemo&) override { ++changes; }
    int count = 0;
    int changes = 0;
};

} // namespace

TEST(TSyntaxMemoStrings, GetAndPutReadAndReplaceALineWithoutItsLineEnd)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "one\r\ntwo\r\nthree");
    TSyntaxMemoStrings& lines = memo.lines();
    EXPECT_EQ(lines.count(), 3);
    EXPECT_EQ(lines.get(1), "two");
    EXPECT_EQ(lines.get(7), "");
    lines.put(1, "2");
    EXPECT_EQ(memo.text(), "one\r\n2\r\nthree");
    lines.put(5, "ignored");
    lines.put(-1, "ignored");
    EXPECT_EQ(memo.text(), "one\r\n2\r\nthree");
}

TEST(TSyntaxMemoStrings, InsertPutsALineBeforeOrAppendsAfterTheLast)
{
    TCustomSyntaxMemo memo;
    TSyntaxMemoStrings& lines = memo.lines();
    lines.add("a"); // line 0 of an empty text exists
    EXPECT_EQ(memo.text(), "a\r\n");
    lines.add("b"); // the implied line after the final CR exists too
    EXPECT_EQ(memo.text(), "a\r\nb\r\n");
    lines.insert(1, "x");
    EXPECT_EQ(memo.text(), "a\r\nx\r\nb\r\n");
    EXPECT_EQ(lines.count(), 3);

    loadBytes(memo, "a\r\nb");
    lines.add("c"); // the last line has text: a line end goes first
    EXPECT_EQ(memo.text(), "a\r\nb\r\nc");
    lines.insert(10, "");
    EXPECT_EQ(memo.text(), "a\r\nb\r\nc\r\n");
}

TEST(TSyntaxMemoStrings, DeleteRemovesALineWithItsLineEnd)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "a\r\nb\r\nc");
    TSyntaxMemoStrings& lines = memo.lines();
    lines.deleteLine(1);
    EXPECT_EQ(memo.text(), "a\r\nc");
    lines.deleteLine(1);
    EXPECT_EQ(memo.text(), "a\r\n");
    lines.deleteLine(5);
    lines.deleteLine(-1);
    EXPECT_EQ(memo.text(), "a\r\n");
    lines.deleteLine(0);
    EXPECT_EQ(lines.count(), 0);
}

TEST(TSyntaxMemoStrings, AddStringsLoadsAnEmptyTextAndAppendsToAnotherOne)
{
    TCustomSyntaxMemo memo;
    TSyntaxMemoStrings& lines = memo.lines();
    lines.addStrings({ "x", "y" });
    EXPECT_EQ(memo.text(), "x\r\ny\r\n");
    EXPECT_FALSE(memo.modified());
    loadBytes(memo, "keep");
    memo.setSelection(1, 2);
    lines.addStrings({ "z" });
    EXPECT_EQ(memo.text(), "keep\r\nz\r\n");
    EXPECT_EQ(memo.selection(), std::make_pair(1, 2));
}

TEST(TSyntaxMemoStrings, SetTextSkipsAnEqualText)
{
    TCustomSyntaxMemo memo;
    Repaints events;
    memo.addListener(&events);
    TSyntaxMemoStrings& lines = memo.lines();
    lines.setText("a\nb\rc\n\rd");
    EXPECT_EQ(lines.getText(), "a\r\nb\r\nc\r\nd");
    int changes = events.changes;
    lines.setText("a\r\nb\nc\r\nd");
    EXPECT_EQ(events.changes, changes);
    lines.setText("a");
    EXPECT_EQ(events.changes, changes + 1);
    lines.clear();
    EXPECT_EQ(lines.count(), 0);
}

TEST(TSyntaxMemoStrings, UpdatesNestAndTheLastOneRefreshes)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "a\r\nb");
    Repaints repaints;
    memo.addListener(&repaints);
    TSyntaxMemoStrings& lines = memo.lines();
    lines.beginUpdate();
    lines.beginUpdate();
    EXPECT_FALSE(memo.redraw());
    lines.endUpdate();
    EXPECT_FALSE(memo.redraw());
    EXPECT_EQ(repaints.count, 0);
    lines.endUpdate();
    EXPECT_TRUE(memo.redraw());
    EXPECT_EQ(repaints.count, 1);
    lines.endUpdate(); // unbalanced: ignored
    EXPECT_EQ(lines.updateCount(), 0);
}
