#include "viewer/TTextStore.h"

#include "ViewerTestUtil.h"
#include "viewer/TLineTrack.h"
#include "viewer/TTextStoreCheck.h"
#include "viewer/TTextStoreClient.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::nodeTexts;
using lrl::test::storeText;

namespace {

std::string repeat(char c, size_t n) { return std::string(n, c); }

class RecordingClient : public TTextStoreClient {
public:
    void textStoreChanged(const TTextChange& change) override { changes.push_back(change); }
    void textStoreDestroyed() override { destroyed = true; }
    std::vector<TTextChange> changes;
    bool destroyed = false;
};

} // namespace

TEST(TTextStore, SplitsAtEachCr)
{
    TTextStore store;
    store.replace(0, 0, "ab\r\rc");
    EXPECT_EQ(nodeTexts(store), (std::vector<std::string> { "ab\r", "\r", "c" }));

    // A CR as the 2047th character ends the node there.
    TTextStore exact;
    exact.replace(0, 0, repeat('x', 2046) + "\ry");
    EXPECT_EQ(nodeTexts(exact).size(), 2u);
    EXPECT_TRUE(exact.first()->endsLine());
    EXPECT_FALSE(exact.last()->isContinuation());
}

TEST(TTextStore, NewNodesAreMarkedAndFlagTheirTabs)
{
    TTextStore store;
    store.replace(0, 0, "a\tb\rcd");
    EXPECT_EQ(store.first()->flags, uint32_t(lfRepaint | lfRescan | lfHasTab));
    EXPECT_EQ(store.last()->flags, uint32_t(lfRepaint | lfRescan));
}

TEST(TTextStore, InsertingOneCharacterGrowsTheNodeInPlace)
{
    TTextStore store;
    store.replace(0, 0, "abc\rdef");
    TLineNode* first = store.first();
    first->flags = 0;
    first->bookmarkBits = 1;
    store.replace(1, 1, "\t");
    EXPECT_EQ(store.first(), first);
    EXPECT_EQ(std::string(first->text()), "a\tbc\r");
    EXPECT_EQ(first->flags, uint32_t(lfRepaint | lfRescan | lfHasTab));
    EXPECT_EQ(store.charCount(), 8);
    EXPECT_EQ(store.findOffset(5).line, 1);
    EXPECT_EQ(checkTextStore(store), "");
}

TEST(TTextStore, RebuiltNodeHandsItsLineDataToTheFirstNewNode)
{
    TTextStore store;
    store.replace(0, 0, "one\rtwo\rthree");
    TLineNode* two = store.first()->next;
    two->bookmarkBits = 1u << 3;
    two->markBits = 5;
    two->setLineColors({ 255, 0 });
    TLineTrack* track = store.addTrack(two, std::make_unique<TLineTrack>(4));

    store.replace(5, 5, "X\rY"); // "two" becomes "tX\r" and "Ywo\r"
    EXPECT_EQ(nodeTexts(store), (std::vector<std::string> { "one\r", "tX\r", "Ywo\r", "three" }));
    TLineNode* head = store.first()->next;
    EXPECT_EQ(head->bookmarkBits, 1u << 3);
    EXPECT_EQ(head->markBits, 5);
    EXPECT_EQ(head->lineColors(), (TLineColors { 255, 0 }));
    EXPECT_EQ(head->trackObject(), track);
    EXPECT_EQ(track->node(), head);
    TLineNode* second = head->next;
    EXPECT_EQ(second->bookmarkBits, 0);
    EXPECT_EQ(second->markBits, 0);
    EXPECT_EQ(second->lineColors(), TLineColors {});
    EXPECT_EQ(store.lineCount(), 4);
    EXPECT_EQ(checkTextStore(store), "");
}

TEST(TTextStore, DeletingLineEndsJoinsLinesAndKeepsTheirBookmarks)
{
    TTextStore store;
    store.replace(0, 0, "ab\rcd\ref\rgh");
    store.findLine(1).node->bookmarkBits = 1u << 1;
    store.findLine(2).node->bookmarkBits = 1u << 2;
    store.replace(1, 7, ""); // "a" + "f\rgh"
    EXPECT_EQ(nodeTexts(store), (std::vector<std::string> { "af\r", "gh" }));
    EXPECT_EQ(store.first()->bookmarkBits, (1u << 1) | (1u << 2));
    EXPECT_EQ(checkTextStore(store), "");

    store.replace(0, store.charCount(), "");
    EXPECT_EQ(store.lineCount(), 0);
    EXPECT_EQ(store.first(), nullptr);
    EXPECT_EQ(store.last(), nullptr);
}

TEST(TTextStore, FollowingPieceLearnsWhetherItContinuesALine)
{
    TTextStore store;
    store.replace(0, 0, repeat('x', 3000));
    // A CR after the first piece turns the next piece into a line of its own.
    store.replace(2047, 2047, "\r");
    EXPECT_EQ(checkTextStore(store), "");
    EXPECT_FALSE(store.last()->isContinuation());
    // Taking it away makes it a continuation again.
    int cr = store.charCount() - store.last()->length - 1;
    store.replace(cr, cr + 1, "");
    EXPECT_EQ(checkTextStore(store), "");
    EXPECT_TRUE(store.last()->isContinuation());
}

TEST(TTextStore, TopLineCacheIsDroppedByChangesBeforeIt)
{
    TTextStore store;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "\r";
    store.replace(0, 0, text);
    TNodePos top = store.topLineCache(50);
    EXPECT_EQ(std::string(top.node->text()), "line 50\r");

    store.replace(0, 0, "new\r");
    top = store.topLineCache(50);
    EXPECT_EQ(std::string(top.node->text()), "line 49\r");
    EXPECT_EQ(top.start, store.lineStart(50));

    // A change after the top line leaves it in place.
    store.replace(store.lineStart(80), store.lineStart(80), "x");
    EXPECT_EQ(store.topLineCache(50).node, top.node);
    EXPECT_EQ(store.topLineCache(1000).line, store.lineCount() - 1);
}

TEST(TTextStore, ShiftsNamedBookmarksTracksAndBreakpoints)
{
    TTextStore store;
    store.replace(0, 0, "aa\rbb\rcc\rdd\r");
    store.namedBookmarks().set("before", 1);
    store.namedBookmarks().set("inside", 4);
    store.namedBookmarks().set("after", 10);
    TLineTrack* track = store.addTrack(store.findLine(3).node, std::make_unique<TLineTrack>(9));
    store.breakpoints().set(1, {});
    store.breakpoints().set(2, {});
    store.breakpoints().set(3, {});

    store.replace(3, 8, "X\rY\rZ"); // lines 1-2 ("bb\rcc") become three lines
    EXPECT_EQ(*store.namedBookmarks().find("before"), 1);
    EXPECT_EQ(*store.namedBookmarks().find("inside"), 3);
    EXPECT_EQ(*store.namedBookmarks().find("after"), 10);
    EXPECT_EQ(track->position(), 9);
    EXPECT_NE(store.breakpoints().find(1), nullptr);
    EXPECT_EQ(store.breakpoints().find(2), nullptr); // its line was removed
    EXPECT_NE(store.breakpoints().find(4), nullptr); // line 3 moved down by one

    // Freeing the tracked node frees its track and unlists it.
    store.replace(store.lineStart(4), store.charCount(), "");
    EXPECT_TRUE(store.lineTracks().empty());
}

TEST(TTextStore, ReplaceNodesSwapsARunForTheDisplayLayer)
{
    TTextStore store;
    store.replace(0, 0, "abcdef\rgh");
    RecordingClient client;
    store.addClient(&client);
    TNodePos first = store.findLine(0);
    std::vector<TNodeHandle> rows;
    rows.push_back(store.newNode("abc"));
    rows.push_back(store.newNode("def\r"));
    rows.back()->bookmarkBits = kContinuationBit;
    rows.front()->takeExtrasFrom(*first.node);
    TTextChange change = store.replaceNodes(first, first.node, std::move(rows));
    EXPECT_EQ(nodeTexts(store), (std::vector<std::string> { "abc", "def\r", "gh" }));
    EXPECT_EQ(change.linesRemoved, 1);
    EXPECT_EQ(change.linesInserted, 2);
    EXPECT_EQ(change.removed, change.inserted);
    EXPECT_EQ(store.findOffset(7).line, 2);
    EXPECT_EQ(checkTextStore(store), "");
    ASSERT_EQ(client.changes.size(), 1u);
    store.removeClient(&client);
}

TEST(TTextStore, ClearFreesEverythingAndTellsItsClients)
{
    auto store = std::make_unique<TTextStore>();
    store->replace(0, 0, "a\rb\r" + repeat('c', 5000));
    store->addTrack(store->first(), std::make_unique<TLineTrack>(0));
    store->bookmarkColumns()[2] = 5;
    RecordingClient client;
    store->addClient(&client);
    store->addClient(&client); // listed once
    store->clear();
    ASSERT_EQ(client.changes.size(), 1u);
    EXPECT_TRUE(client.changes[0].wholeText);
    EXPECT_EQ(client.changes[0].removed, 5004);
    EXPECT_EQ(store->charCount(), 0);
    EXPECT_TRUE(store->lineTracks().empty());
    EXPECT_EQ(store->bookmarkColumns()[2], 0);
    EXPECT_EQ(checkTextStore(*store), "");
    store.reset();
    EXPECT_TRUE(client.destroyed);
}

TEST(TTextStore, ATextPast32BitOffsetsIsRefusedUnchanged)
{
    TTextStore store;
    store.replace(0, 0, "abc");
    // A view of the same few bytes claiming to be huge: the size check comes before any read of it.
    std::string_view huge("x", 1);
    huge = std::string_view(huge.data(), size_t(INT32_MAX));
    EXPECT_THROW(store.replace(0, 0, huge), std::bad_alloc);
    EXPECT_EQ(storeText(store), "abc");
}
