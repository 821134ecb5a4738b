#include "viewer/TIncrementalScan.h"

#include "FakeScanner.h"
#include "ViewerTestUtil.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TSyntaxMemoListener.h"

#include <gtest/gtest.h>

#include <random>

using namespace lrl;
using lrl::test::FakeScanner;
using lrl::test::loadBytes;

namespace {

// Every character's token value in text order; 255 for a character whose node has none.
std::string values(const TCustomSyntaxMemo& memo)
{
    std::string out;
    for (const TLineNode* n = memo.textStore().first(); n; n = n->next)
        for (int i = 0; i < n->length; ++i)
            out += n->hasAttrs() ? static_cast<char>('A' + n->attrs()[i] % 58) : '?';
    return out;
}

// What a scan of the whole text gives: a fresh viewer loading the same text scans all of it.
std::string scannedFresh(const TCustomSyntaxMemo& memo)
{
    FakeScanner scanner;
    TCustomSyntaxMemo fresh;
    fresh.setScanSource(&scanner);
    loadBytes(fresh, lrl::test::storeText(memo.textStore()));
    return values(fresh);
}

bool anyMarked(const TCustomSyntaxMemo& memo)
{
    for (const TLineNode* n = memo.textStore().first(); n; n = n->next)
        if (n->flags & (lfRescan | lfScanStart))
            return true;
    return false;
}

struct Token {
    int value, start, end;
    bool operator==(const Token&) const = default;
};

struct ScannedMemo {
    FakeScanner scanner;
    TCustomSyntaxMemo memo;
    std::vector<Token> seen;

    ScannedMemo()
    {
        memo.setScanSource(&scanner);
        memo.OnTokenSeen = [this](TCustomSyntaxMemo&, int& value, int start, int end) {
            seen.push_back({ value, start, end });
        };
    }
    // Tokens seen, not counting the -1 / -2 calls around each scan.
    int tokensSeen() const
    {
        int n = 0;
        for (const auto& t : seen)
            n += t.value >= 0 ? 1 : 0;
        return n;
    }
    void edit(int start, int end, const std::string& text)
    {
        memo.setSelection(start, end);
        seen.clear();
        memo.replaceSelection(text); // scans when the edit is complete
    }
};

std::string numberedLines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "word " + std::to_string(i) + " more;\r\n";
    return text;
}

} // namespace

TEST(TIncrementalScan, LoadScansTheWholeTextAndReportsEveryTokenInOrder)
{
    ScannedMemo m;
    loadBytes(m.memo, "ab {c\r\nd} <x y>\r\n");
    ASSERT_GE(m.seen.size(), 3u);
    EXPECT_EQ(m.seen.front(), (Token { -1, -1, -1 }));
    EXPECT_EQ(m.seen.back(), (Token { -2, -2, -2 }));
    // Tokens of the outer scan cover the text without gaps; the container's inner tokens follow it.
    std::vector<Token> tokens(m.seen.begin() + 1, m.seen.end() - 1);
    EXPECT_EQ(tokens[0], (Token { FakeScanner::kWord, 0, 2 }));
    EXPECT_EQ(tokens[2], (Token { FakeScanner::kComment, 3, 8 }));
    EXPECT_EQ(tokens[4], (Token { FakeScanner::kContainer, 9, 14 }));
    EXPECT_EQ(tokens[5], (Token { 0, 9, 10 }));
    EXPECT_EQ(tokens[6], (Token { FakeScanner::kInner, 10, 11 }));
    EXPECT_EQ(tokens.back().end, m.memo.textStore().charCount());
    EXPECT_FALSE(anyMarked(m.memo));
    // Container characters that no inner token claims keep the container's value.
    const uint8_t* attrs = m.memo.textStore().last()->attrs();
    EXPECT_EQ(attrs[3], FakeScanner::kContainer); // "<"
    EXPECT_EQ(attrs[4], FakeScanner::kInner); // "x"
    EXPECT_EQ(attrs[5], FakeScanner::kContainer); // " "
}

TEST(TIncrementalScan, TheHandlerMayChangeTheValueThatIsStored)
{
    ScannedMemo m;
    m.memo.OnTokenSeen = [](TCustomSyntaxMemo&, int& value, int, int) {
        if (value == FakeScanner::kWord)
            value = 77;
    };
    loadBytes(m.memo, "ab+cd");
    const uint8_t* attrs = m.memo.textStore().first()->attrs();
    EXPECT_EQ(std::vector<uint8_t>(attrs, attrs + 5), (std::vector<uint8_t> { 77, 77, 10, 77, 77 }));
}

TEST(TIncrementalScan, AnEditRescansFromTheLastRestartPointAndStopsWhenValuesAgree)
{
    ScannedMemo m;
    loadBytes(m.memo, numberedLines(200));
    m.memo.setRowsInWindow(0); // an edit marks only the two lines after it for rescanning
    int start = m.memo.lineIndex(100) + 2;
    m.edit(start, start, "X");
    // The line before the edit, the edited line and the one after it; not the rest of the text.
    EXPECT_LT(m.tokensSeen(), 30);
    EXPECT_EQ(m.seen.front(), (Token { -1, -1, -1 }));
    EXPECT_EQ(values(m.memo), scannedFresh(m.memo));
    EXPECT_FALSE(anyMarked(m.memo));
}

TEST(TIncrementalScan, AnOpenedCommentRunsOnUntilTheValuesAgreeAgain)
{
    ScannedMemo m;
    loadBytes(m.memo, numberedLines(200) + "}\r\n" + numberedLines(50));
    int start = m.memo.lineIndex(10);
    m.edit(start, start, "{");
    EXPECT_EQ(values(m.memo), scannedFresh(m.memo));
    EXPECT_GT(m.tokensSeen(), 0);
    // Closing it again scans the same stretch back.
    m.edit(start, start + 1, "");
    EXPECT_EQ(values(m.memo), scannedFresh(m.memo));
    const TLineNode* last = m.memo.textStore().last();
    EXPECT_EQ(last->attrs()[0], FakeScanner::kWord);
}

TEST(TIncrementalScan, AScannerThatMustContinueIsNotStoppedEarly)
{
    ScannedMemo m;
    loadBytes(m.memo, numberedLines(100));
    m.scanner.bound = true;
    int start = m.memo.lineIndex(10);
    m.edit(start, start, "X");
    EXPECT_EQ(m.seen[m.seen.size() - 2].end, m.memo.textStore().charCount());
}

TEST(TIncrementalScan, AScanAskedForAtALineDoesNotStopThere)
{
    ScannedMemo m;
    loadBytes(m.memo, numberedLines(100));
    m.seen.clear();
    m.memo.scanFrom(50);
    // Restarts in line 49, passes line 50 and stops after line 51, whose values agree.
    ASSERT_GT(m.tokensSeen(), 0);
    EXPECT_EQ(m.seen[1].start, m.memo.lineIndex(49) + 13); // the CR ending line 49
    EXPECT_EQ(m.seen[m.seen.size() - 2].end, m.memo.lineIndex(52));
    EXPECT_FALSE(anyMarked(m.memo));
}

TEST(TIncrementalScan, NothingIsScannedWithoutHighlightingOrWhileTheScannerIsBusy)
{
    ScannedMemo m;
    m.memo.setOptions([&] {
        auto o = m.memo.options();
        o.erase(smoSyntaxHighlight);
        return o;
    }());
    loadBytes(m.memo, "abc\r\n");
    EXPECT_TRUE(m.seen.empty());
    EXPECT_FALSE(m.memo.textStore().first()->hasAttrs());

    m.scanner.forceBusy = true;
    auto o = m.memo.options();
    o.insert(smoSyntaxHighlight);
    m.memo.setOptions(o);
    m.memo.rescan();
    EXPECT_TRUE(m.seen.empty());
    m.scanner.forceBusy = false;
    m.memo.rescan();
    EXPECT_TRUE(m.memo.textStore().first()->hasAttrs());
}

TEST(TIncrementalScan, ScannedLinesAreMarkedForRepaintOnlyWhenTheirValuesChanged)
{
    ScannedMemo m;
    loadBytes(m.memo, "a b\r\nc d\r\ne f\r\n");
    int start = m.memo.lineIndex(1);
    m.memo.setSelection(start, start + 1);
    for (TLineNode* n = m.memo.textStore().first(); n; n = n->next)
        n->flags &= ~uint32_t(lfRepaint);
    m.memo.replaceSelection("+");
    m.memo.rescan();
    TNodePos line0 = m.memo.textStore().findLine(0);
    TNodePos line2 = m.memo.textStore().findLine(2);
    EXPECT_FALSE(line0.node->flags & lfRepaint);
    EXPECT_EQ(line2.node->flags & (lfRepaint | lfRescan), 0u) << line2.node->flags; // rescanned, unchanged
    EXPECT_EQ(m.memo.textStore().findLine(1).node->attrs()[0], FakeScanner::kSymbol);
}

TEST(TIncrementalScan, RandomEditsGiveTheValuesOfAFullScan)
{
    const char* pieces[] = { "{", "}", "<", ">", "ab", " ", "\r\n", "x y", "\t", "<q r>", "{z}", "+" };
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        ScannedMemo m;
        std::string text;
        for (int i = 0; i < 60; ++i)
            text += pieces[rng() % std::size(pieces)];
        loadBytes(m.memo, text);
        for (int step = 0; step < 40; ++step) {
            int count = m.memo.textStore().charCount();
            int a = count ? static_cast<int>(rng() % (count + 1)) : 0;
            int b = std::min(count, a + static_cast<int>(rng() % 4));
            std::string insert = rng() % 3 ? pieces[rng() % std::size(pieces)] : "";
            m.edit(a, b, insert);
            ASSERT_EQ(values(m.memo), scannedFresh(m.memo)) << "round " << round << " step " << step;
        }
    }
}

TEST(TIncrementalScan, ValuesSurviveLinesCutIntoPieces)
{
    ScannedMemo m;
    std::string longLine = "{" + std::string(3000, 'a') + "} b\r\n";
    loadBytes(m.memo, longLine + numberedLines(3));
    ASSERT_GE(m.memo.textStore().lineCount(), 4);
    EXPECT_EQ(values(m.memo), scannedFresh(m.memo));
    m.edit(2500, 2500, "}");
    EXPECT_EQ(values(m.memo), scannedFresh(m.memo));
}
