#include "viewer/TMemoSearch.h"

#include "ViewerTestUtil.h"
#include "viewer/TCustomSyntaxMemo.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace lrl;

namespace {

using Sel = std::pair<int, int>;

class TMemoSearchTest : public testing::Test {
protected:
    void load(const std::string& bytes)
    {
        test::loadBytes(memo, bytes);
        search.onMessage = [this](const TSearchMessage& m) { messages.push_back(m); };
    }
    Sel sel() const { return { memo.selStart(), memo.selEnd() }; }
    // Find Next until it fails; the start of every match. Bounded, so that a search that finds the same
    // match again and again shows as a long list instead of running for ever.
    std::vector<int> every(const TFindRequest& request)
    {
        std::vector<int> starts;
        while (starts.size() < 50 && search.findNext(request))
            starts.push_back(memo.selStart());
        return starts;
    }

    TCustomSyntaxMemo memo;
    TMemoSearch search { memo };
    std::vector<TSearchMessage> messages;
};

TFindRequest forward(const std::string& text) { return { text, false, false, true }; }
TFindRequest backward(const std::string& text) { return { text, false, false, false }; }

} // namespace

TEST_F(TMemoSearchTest, FailsAtOnceAtTheEndItSearchesTowards)
{
    load("x := 1;");
    memo.setSelection(0, 0);
    EXPECT_FALSE(search.findNext(backward("x")));
    memo.setSelection(7, 7);
    EXPECT_FALSE(search.findNext(forward("x")));
    memo.setSelection(3, 7); // the selection's end at the end of the text
    EXPECT_FALSE(search.findNext(forward("x")));
    EXPECT_EQ(sel(), Sel(3, 7));
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].kind, TSearchMessage::NotFound);
    EXPECT_EQ(messages[0].text, "Search string \"x\" not found.");
}

TEST_F(TMemoSearchTest, FindNextMovesOnToTheNextMatch)
{
    load("aaa aa\r\nab");
    EXPECT_EQ(every(forward("aa")), (std::vector<int> { 0, 4 }));
    EXPECT_EQ(sel(), Sel(4, 6)); // a failed search leaves the selection alone
    search.setRegexMode(true);
    memo.setSelection(0, 0);
    EXPECT_EQ(every(forward("a+")), (std::vector<int> { 0, 4, 7 }));
    search.setRegexMode(false);
    memo.setSelection(9, 9);
    EXPECT_EQ(every(backward("aa")), (std::vector<int> { 4, 1, 0 }));
    // A caret put back on the last match's start counts as asking again.
    memo.setSelection(0, 0);
    EXPECT_EQ(every(forward("a")), (std::vector<int> { 1, 2, 4, 5, 7 }));
}

// F3 and Shift+F3 repeat the last search as it ran: its text, options and mode, forwards or backwards.
TEST_F(TMemoSearchTest, FindAgainRepeatsTheLastSearchAsItRan)
{
    load("Ab ab AB aB\r\nx1 x22");
    EXPECT_FALSE(search.hasLastSearch());
    EXPECT_FALSE(search.findAgain(true));
    memo.setSelection(0, 0);
    ASSERT_TRUE(search.findNext({ "ab", true, false, true }));
    EXPECT_EQ(sel(), Sel(3, 5));
    EXPECT_TRUE(search.hasLastSearch());
    EXPECT_FALSE(search.findAgain(true)) << "match case is kept";
    EXPECT_FALSE(search.findAgain(false));
    EXPECT_EQ(sel(), Sel(3, 5));

    // A pattern search stays one after the box was unticked without a search.
    search.setRegexMode(true);
    ASSERT_TRUE(search.findNext(forward("x[0-9]+")));
    EXPECT_EQ(sel(), Sel(12, 14));
    search.setRegexMode(false);
    EXPECT_TRUE(search.findAgain(true));
    EXPECT_EQ(sel(), Sel(15, 18));
    EXPECT_TRUE(search.findAgain(false));
    EXPECT_EQ(sel(), Sel(12, 14));

    // FindText searching at once counts too, with its flags; an empty text leaves the last search alone.
    memo.setSelection(0, 0);
    TSearchResult result;
    ASSERT_TRUE(search.findText("AB", result, sfFindNow | sfWholeWord));
    EXPECT_EQ(sel(), Sel(0, 2));
    search.findNext(forward(""));
    EXPECT_TRUE(search.findAgain(true));
    EXPECT_EQ(sel(), Sel(3, 5));
    EXPECT_TRUE(search.findAgain(true));
    EXPECT_EQ(sel(), Sel(6, 8));
}

// "^" consumes the line end before the match's start, so the try just before a match finds it again;
// asking again must still move on, in both directions.
TEST_F(TMemoSearchTest, RepeatedPatternSearchesMoveOnPastLineStarts)
{
    load("begin\r\nbegin\r\nx\r\nbegin\r\n");
    search.setRegexMode(true);
    memo.setSelection(20, 20);
    EXPECT_EQ(every(backward("^begin")), (std::vector<int> { 14, 6 }));
    memo.setSelection(0, 0);
    EXPECT_EQ(every(forward("^begin")), (std::vector<int> { 6, 14 }));
}

TEST_F(TMemoSearchTest, AMovedSelectionStartsTheSearchAtItsEnd)
{
    load("end end end end");
    memo.setSelection(0, 0);
    ASSERT_TRUE(search.findNext(forward("end")));
    memo.setSelection(9, 10); // the user clicked elsewhere
    ASSERT_TRUE(search.findNext(forward("end")));
    EXPECT_EQ(sel(), Sel(12, 15));
    memo.setSelection(9, 10);
    ASSERT_TRUE(search.findNext(backward("end")));
    EXPECT_EQ(sel(), Sel(8, 11));
}

TEST_F(TMemoSearchTest, FindTextSearchesAtOnceWithFlagEight)
{
    load("Begin\r\n  begin\r\nEND");
    TSearchResult r;
    EXPECT_TRUE(search.findText("BEGIN", r, sfFindNow));
    EXPECT_EQ(r.start, 0);
    EXPECT_TRUE(search.findText("BEGIN", r, sfFindNow));
    EXPECT_EQ(r.start, 8);
    EXPECT_EQ(search.lastMatchStart(), 8);
    EXPECT_EQ(search.lastSearchText(), "BEGIN");
    EXPECT_FALSE(search.findText("BEGIN", r, sfFindNow | sfMatchCase));
    memo.setSelection(0, 0);
    EXPECT_FALSE(search.findText("egin", r, sfFindNow | sfWholeWord));
    ASSERT_TRUE(search.findText("^ +b\\w+\\n", r, sfFindNow | sfRegExpr));
    EXPECT_EQ(std::make_pair(r.start, r.end), std::make_pair(6, 14));
    EXPECT_EQ(sel(), Sel(6, 14));
    memo.setSelection(17, 17);
    ASSERT_TRUE(search.findText("end", r, sfFindNow | sfBackward));
    EXPECT_EQ(r.start, 14);
}

TEST_F(TMemoSearchTest, FindTextWithoutFlagEightPreparesTheDialog)
{
    load("one\r\ntwo");
    memo.setSelection(1, 5);
    TSearchResult r;
    EXPECT_FALSE(search.findText("", r, sfMatchCase | sfBackward));
    EXPECT_TRUE(search.dialogSetup().create);
    EXPECT_EQ(search.dialogSetup().findText, "ne\rt"); // the selection as stored
    EXPECT_TRUE(search.dialogSetup().matchCase);
    EXPECT_FALSE(search.dialogSetup().down);
    EXPECT_EQ(sel(), Sel(1, 5));

    EXPECT_FALSE(search.findText("two", r, 0));
    EXPECT_FALSE(search.dialogSetup().create); // created once; it keeps its boxes
    EXPECT_EQ(search.dialogSetup().findText, "two");
    EXPECT_FALSE(search.findText("", r, sfRegExpr));
    EXPECT_EQ(search.dialogSetup().findText, ""); // no selected text in regular-expression mode
    EXPECT_TRUE(search.regexMode());
    // A later call without the flag (the toolbar's Find) keeps the mode the dialog is in.
    search.findText("", r, 0);
    EXPECT_TRUE(search.regexMode());

    // Opening the dialog forgets the last match: the next search starts at the selection's end.
    search.setRegexMode(false);
    memo.setSelection(0, 0);
    ASSERT_TRUE(search.findNext(forward("o")));
    ASSERT_TRUE(search.findText("o", r, sfFindNow));
    EXPECT_EQ(r.start, 6);
    memo.setSelection(6, 6);
    search.findText("o", r, 0);
    EXPECT_EQ(search.lastMatchStart(), -1);
    ASSERT_TRUE(search.findNext(forward("o")));
    EXPECT_EQ(sel(), Sel(6, 7));
}

TEST_F(TMemoSearchTest, OnSearchFailReplacesTheMessage)
{
    load("abc");
    std::vector<std::string> failed;
    search.onSearchFail = [&](TCustomSyntaxMemo& sender, const std::string& text) {
        EXPECT_EQ(&sender, &memo);
        failed.push_back(text);
    };
    EXPECT_FALSE(search.findNext(forward("Foo")));
    EXPECT_EQ(failed, (std::vector<std::string> { "Foo" }));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(TMemoSearch::notFoundText("Foo"), "Search string \"Foo\" not found.");
}

TEST_F(TMemoSearchTest, PatternErrorsShowThreeLinesAndCountAsFailed)
{
    load("x{3,1}");
    search.setRegexMode(true);
    bool failCalled = false;
    search.onSearchFail = [&](TCustomSyntaxMemo&, const std::string&) { failCalled = true; };
    EXPECT_FALSE(search.findNext(forward("x{3,1}")));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, TSearchMessage::Error);
    EXPECT_EQ(messages[0].text, "Invalid range\nx{3,1}\n     ^");
    EXPECT_FALSE(failCalled);

    std::string text(80, 'a');
    load(text);
    search.onMessage = [&](const TSearchMessage& m) { messages.push_back(m); };
    search.parser().setStepAllowance(100'000, 16);
    EXPECT_FALSE(search.findNext(forward("(a|aa)+b")));
    EXPECT_EQ(
        messages.back().text, "Search stopped: the pattern takes too long to match\n(a|aa)+b\n        ^");
    EXPECT_EQ(sel(), Sel(0, 0));
}

TEST_F(TMemoSearchTest, WholeWordFollowsTheViewersWordTests)
{
    load("x-end end_of end");
    TFindRequest word { "end", true, true, true };
    EXPECT_EQ(every(word), (std::vector<int> { 13 }));
    memo.wordTests().charIsInWord = [](uint8_t c) { return c == 'x'; };
    memo.wordTests().charStartsWord = [](uint8_t) { return false; };
    memo.setSelection(0, 0);
    EXPECT_EQ(every(word), (std::vector<int> { 2, 6, 13 }));
}

TEST_F(TMemoSearchTest, LineEscapesMeetTheLoadedLineEnds)
{
    load("begin\r\nbegin\nend\n");
    search.setRegexMode(true);
    EXPECT_EQ(every(forward("^begin")), (std::vector<int> { 6 }));
    memo.setSelection(1, 1);
    EXPECT_EQ(every(forward("\\n")), (std::vector<int> { 5, 11, 15 }));
    memo.setSelection(0, 0);
    EXPECT_EQ(every(forward("\\r")), std::vector<int> {});
}

TEST_F(TMemoSearchTest, AnEmptyTextIsLeftAlone)
{
    load("");
    TSearchResult r;
    EXPECT_FALSE(search.findText("a", r, sfFindNow));
    EXPECT_FALSE(search.findNext(forward("a")));
    EXPECT_TRUE(messages.empty());
}
