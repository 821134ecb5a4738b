// The read-only behaviour of the editor commands on the display model.

#include "viewer/TCommandDispatcher.h"

#include "ViewerTestUtil.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/keymap/DefaultKeyMap.h"
#include "viewer/keymap/TEditorCommand.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::loadBytes;
using lrl::test::numberedLines;

namespace {

// A viewer 500 x 300 pixels with the fallback metrics (16 rows of 18 pixels).
struct Viewer {
    TCustomSyntaxMemo memo;
    TCommandDispatcher commands { memo };

    explicit Viewer(const std::string& text)
    {
        memo.setClientSize(500, 300);
        loadBytes(memo, text);
    }
    void run(int32_t command, bool extend = false) { commands.execute(command, extend); }
    void option(TSyntaxMemoOption o, bool on)
    {
        auto opts = memo.options();
        opts.set(o, on);
        memo.setOptions(opts);
    }
    std::pair<int, int> sel() const { return memo.selection(); }
};

using Sel = std::pair<int, int>;

} // namespace

TEST(TCommandDispatcher, MovesCollapseOrExtendTheSelection)
{
    //       0123456 7 8901234
    Viewer v("alpha beta\r\ngamma\r\n");
    v.memo.setSelection(2, 4);
    v.run(caRIGHT);
    EXPECT_EQ(v.sel(), (Sel { 5, 5 })); // from the caret, not from the selection's end
    v.run(caLEFT, true);
    v.run(caLEFT, true);
    EXPECT_EQ(v.sel(), (Sel { 5, 3 }));
    v.run(caLINEEND, true);
    EXPECT_EQ(v.sel(), (Sel { 5, 10 }));
    v.run(caRIGHT);
    EXPECT_EQ(v.sel(), (Sel { 11, 11 })); // over the line end
    v.run(caLEFT);
    v.run(caLINEHOME);
    EXPECT_EQ(v.sel(), (Sel { 0, 0 }));
    v.run(caLEFT);
    EXPECT_EQ(v.sel(), (Sel { 0, 0 }));
    v.run(caDOCEND, true);
    EXPECT_EQ(v.sel(), (Sel { 0, 17 }));
    v.run(caRIGHT);
    EXPECT_EQ(v.sel(), (Sel { 17, 17 }));
    v.run(caDOCSTART);
    v.run(caWORDRIGHT);
    EXPECT_EQ(v.sel(), (Sel { 6, 6 }));
    v.run(caWORDRIGHT, true);
    EXPECT_EQ(v.sel(), (Sel { 6, 11 }));
    v.run(caWORDLEFT);
    EXPECT_EQ(v.sel(), (Sel { 6, 6 }));
}

TEST(TCommandDispatcher, VerticalMovesKeepTheRememberedColumnWithColumnTracking)
{
    // Lines start at 0, 11 and 14; the text ends at 22 with the empty line after the final line end.
    Viewer v("abcdefghij\r\nab\r\n\tcdefgh\r\n");
    for (int i = 0; i < 6; ++i)
        v.run(caRIGHT);
    ASSERT_EQ(v.memo.selCaret(), 6);
    v.run(caDOWN);
    EXPECT_EQ(v.sel(), (Sel { 13, 13 })); // the end of the short line
    v.run(caDOWN, true);
    // Column 6 on the third line: the TAB takes columns 0-3, so "e" at offset 17.
    EXPECT_EQ(v.sel(), (Sel { 13, 17 }));
    v.run(caUP);
    v.run(caUP);
    EXPECT_EQ(v.sel(), (Sel { 6, 6 }));

    v.option(smoColumnTrack, false);
    v.run(caDOWN);
    v.run(caDOWN);
    EXPECT_EQ(v.memo.lineFromChar(v.memo.selCaret()), 2);
    EXPECT_LE(v.memo.columnOfOffset(v.memo.selCaret()), 4); // column 2 of the short line, inside the TAB
    v.run(caDOWN);
    EXPECT_EQ(v.sel(), (Sel { 22, 22 }));
    v.run(caDOWN);
    EXPECT_EQ(v.sel(), (Sel { 22, 22 }));
}

TEST(TCommandDispatcher, PageMovesGoByTheVisibleRows)
{
    Viewer v(numberedLines(100));
    ASSERT_EQ(v.memo.rowsInWindow(), 16);
    v.run(caPAGEDOWN);
    EXPECT_EQ(v.memo.lineFromChar(v.memo.selCaret()), 16);
    EXPECT_EQ(v.memo.topLine(), 16);
    v.run(caPAGEDOWN, true);
    EXPECT_EQ(v.memo.lineFromChar(v.memo.selCaret()), 32);
    EXPECT_EQ(v.memo.lineFromChar(v.memo.selAnchor()), 16);
    v.run(caPAGEUP);
    v.run(caPAGEUP);
    v.run(caPAGEUP);
    EXPECT_EQ(v.sel(), (Sel { 0, 0 }));
    EXPECT_EQ(v.memo.topLine(), 0);
    v.run(caDOCEND);
    EXPECT_EQ(v.memo.lineFromChar(v.memo.selCaret()), 100);
    EXPECT_GE(v.memo.topLine() + v.memo.rowsInWindow(), 100); // brought into view
}

TEST(TCommandDispatcher, WordDeletionsOnlySelectAndEditingCommandsDoNothing)
{
    //       0123456789012
    Viewer v("alpha beta gamma\r\n");
    const std::string before = v.memo.text();
    v.memo.setSelStart(13);
    v.run(caDELPREVWORD);
    EXPECT_EQ(v.sel(), (Sel { 13, 11 }));
    v.memo.setSelStart(8);
    v.run(caDELNEXTWORD);
    EXPECT_EQ(v.sel(), (Sel { 8, 11 }));
    for (int32_t c : std::initializer_list<int32_t> { caCUT, caPASTE, caDELETE, caBACKSPACE, caBLOCKIND, caBLOCKUND, caDELETELINE, caUNDO, caREDO, 99, -1 })
        v.run(c);
    EXPECT_EQ(v.memo.text(), before);
    EXPECT_EQ(v.sel(), (Sel { 8, 11 }));
    EXPECT_FALSE(v.memo.modified());

    v.run(caINSTOGGLE);
    EXPECT_TRUE(v.memo.overwrite());
    v.run(caINSTOGGLE);
    EXPECT_FALSE(v.memo.overwrite());
}

TEST(TCommandDispatcher, CopyHandsOverCrLfTextOfANonEmptySelection)
{
    Viewer v("one\r\ntwo\r\n");
    std::vector<std::string> copied;
    v.commands.OnCopy = [&](TCustomSyntaxMemo&, const std::string& text) { copied.push_back(text); };
    v.memo.setSelLineStyle(lsLF);
    v.run(caCOPY);
    EXPECT_TRUE(copied.empty());
    v.memo.setSelection(1, 6);
    v.run(caCOPY);
    EXPECT_EQ(copied, std::vector<std::string> { "ne\r\ntw" });

    int printed = 0;
    v.commands.OnPrintSelection = [&](TCustomSyntaxMemo&) { ++printed; };
    v.run(caPRINTSEL);
    EXPECT_EQ(printed, 1);
}

TEST(TCommandDispatcher, SetBookmarkTogglesAndKeepsOneBookmarkPerLine)
{
    Viewer v(numberedLines(40));
    std::vector<int> set;
    v.commands.OnBookmarkSet = [&](TCustomSyntaxMemo&, int n) { set.push_back(n); };
    v.memo.setSelStart(v.memo.lineIndex(5) + 3);
    v.run(caSETBOOKMARK0 + 3);
    EXPECT_EQ(v.memo.bookmarkLine(3), 5);
    v.run(caSETBOOKMARK0 + 3);
    EXPECT_EQ(v.memo.bookmarkLine(3), -1);
    v.run(caGOTOBOOKMARK0 + 3); // not set: nothing happens
    EXPECT_EQ(v.memo.selCaret(), v.memo.lineIndex(5) + 3);

    v.run(caSETBOOKMARK0 + 3);
    v.run(caSETBOOKMARK0 + 7); // the same line: 3 goes
    EXPECT_EQ(v.memo.bookmarkLine(3), -1);
    EXPECT_EQ(v.memo.bookmarkLine(7), 5);
    EXPECT_EQ(set, (std::vector<int> { 3, 3, 7 }));

    v.run(caDOCEND);
    v.run(caGOTOBOOKMARK0 + 7);
    EXPECT_EQ(v.memo.selCaret(), v.memo.lineIndex(5) + 3);
    v.memo.setSelStart(v.memo.lineIndex(30));
    v.run(caSETBOOKMARK0 + 7); // moves from line 5
    EXPECT_EQ(v.memo.bookmarkLine(7), 30);
}

// A line cut into rows (by word wrap, or into nodes when it is longer than a node holds) keeps its
// bookmark on the first row, and the jump comes back to the caret's column on whichever row it was.
TEST(TCommandDispatcher, BookmarkOfALineOfSeveralRowsGoesOnItsFirstRowAndKeepsTheColumn)
{
    Viewer v("short\r\n" + std::string(50, 'x') + "\r\n\t" + std::string(5000, 'y') + "\r\nend\r\n");
    v.memo.setWrapAtColumn(20);
    v.option(smoWordWrap, true);
    v.memo.prepareDisplay();
    ASSERT_GE(v.memo.textStore().lineCount(), 4);
    const int wrapped = v.memo.lineIndex(2) + 5; // on the second row of the wrapped line
    v.memo.setSelStart(wrapped);
    v.run(caSETBOOKMARK0 + 1);
    EXPECT_EQ(v.memo.bookmarkLine(1), 1);
    v.run(caDOCSTART);
    v.run(caGOTOBOOKMARK0 + 1);
    EXPECT_EQ(v.memo.selCaret(), wrapped);

    v.option(smoWordWrap, false);
    const int longLine = v.memo.lineIndex(2);
    ASSERT_EQ(v.memo.lineFromChar(longLine + 4500), 4); // the third node of the 5001 characters
    v.memo.setSelStart(longLine + 4500);
    v.run(caSETBOOKMARK0 + 2);
    EXPECT_EQ(v.memo.bookmarkLine(2), 2);
    v.run(caDOCEND);
    v.run(caGOTOBOOKMARK0 + 2);
    EXPECT_EQ(v.memo.selCaret(), longLine + 4500);
}

TEST(TCommandDispatcher, ScrollingByOneLineDragsTheCaretAlong)
{
    Viewer v(numberedLines(100));
    v.run(caSCROLLUP);
    EXPECT_EQ(v.memo.topLine(), 0);
    v.run(caSCROLLDOWN);
    EXPECT_EQ(v.memo.topLine(), 1);
    EXPECT_EQ(v.memo.lineFromChar(v.memo.selCaret()), 1); // it would have left the window at the top
    v.run(caSCROLLDOWN);
    EXPECT_EQ(v.memo.topLine(), 2);
    EXPECT_EQ(v.memo.lineFromChar(v.memo.selCaret()), 2);

    v.memo.setSelStart(v.memo.lineIndex(17)); // the last row in the window
    v.run(caSCROLLUP, true);
    EXPECT_EQ(v.memo.topLine(), 1);
    EXPECT_EQ(v.memo.lineFromChar(v.memo.selCaret()), 16);
    EXPECT_EQ(v.memo.selAnchor(), v.memo.lineIndex(17));

    v.memo.setTopLine(99);
    v.run(caSCROLLDOWN);
    EXPECT_EQ(v.memo.topLine(), 99);
}

TEST(TCommandDispatcher, ShippedSchemeBindsTheDefaultMap)
{
    TCustomSyntaxMemo unbound;
    EXPECT_TRUE(unbound.keyMap() == defaultKeyMap());
    auto parser = createShippedParser();
    TCustomSyntaxMemo memo(*parser);
    EXPECT_TRUE(memo.keyMap() == defaultKeyMap());
}
