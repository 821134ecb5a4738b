#include "viewer/PlainSearch.h"

#include "common/StringCharStream.h"
#include "support/SegmentedCharStream.h"
#include "viewer/CharCase.h"
#include "viewer/TSkipTable.h"
#include "viewer/WordTests.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace lrl;
using lrl::test::SegmentedCharStream;

namespace {

constexpr auto kFwd = SearchDirection::Forward;
constexpr auto kBack = SearchDirection::Backward;

int64_t find(const std::string& text, const std::string& pattern, int64_t from, SearchDirection dir,
    bool matchCase = true, bool wholeWord = false)
{
    StringCharStream s(text);
    TSkipTable t;
    t.prepare(pattern, matchCase);
    WordTests words;
    return plainSearch(s, t, from, dir, wholeWord ? &words : nullptr);
}

// The obvious search, one window after the other, for cross-checking.
int64_t naiveFind(const std::string& text, const std::string& pattern, int64_t from, SearchDirection dir,
    bool matchCase, bool wholeWord)
{
    const auto n = static_cast<int64_t>(text.size());
    const auto m = static_cast<int64_t>(pattern.size());
    WordTests words;
    auto fold = [&](char c) { return matchCase ? static_cast<uint8_t>(c) : CharCase::upper(static_cast<uint8_t>(c)); };
    auto hitAt = [&](int64_t w) {
        for (int64_t i = 0; i < m; ++i)
            if (fold(text[w + i]) != fold(pattern[i]))
                return false;
        if (!wholeWord)
            return true;
        if (w > 0 && words.isWordChar(static_cast<uint8_t>(text[w - 1])))
            return false;
        return w + m >= n || !words.isWordChar(static_cast<uint8_t>(text[w + m]));
    };
    if (m == 0 || m > n)
        return -1;
    if (dir == SearchDirection::Forward) {
        for (int64_t w = std::max<int64_t>(from, 0); w + m <= n; ++w)
            if (hitAt(w))
                return w;
    } else {
        for (int64_t w = std::min(from, n - m); w >= 0; --w)
            if (hitAt(w))
                return w;
    }
    return -1;
}

} // namespace

TEST(PlainSearch, FindsForwardAndBackwardFromAPosition)
{
    const std::string text = "begin x := 1; x := 2; end";
    EXPECT_EQ(find(text, "x :=", 0, kFwd), 6);
    EXPECT_EQ(find(text, "x :=", 7, kFwd), 14);
    EXPECT_EQ(find(text, "x :=", 15, kFwd), -1);
    EXPECT_EQ(find(text, "x :=", 25, kBack), 14);
    EXPECT_EQ(find(text, "x :=", 14, kBack), 14);
    EXPECT_EQ(find(text, "x :=", 13, kBack), 6);
    EXPECT_EQ(find(text, "x :=", 5, kBack), -1);
    EXPECT_EQ(find(text, "end", 0, kFwd), 22); // the last possible start is the text's last window
    EXPECT_EQ(find(text, "begin", 0, kBack), 0);
    EXPECT_EQ(find(text, "", 0, kFwd), -1);
    EXPECT_EQ(find("ab", "abc", 0, kFwd), -1);
}

TEST(PlainSearch, IgnoresCaseByUpperCasingBothSides)
{
    EXPECT_EQ(find("Begin END", "end", 0, kFwd, false), 6);
    EXPECT_EQ(find("Begin END", "end", 0, kFwd, true), -1);
    EXPECT_EQ(find("x \xE4gypten", "\xC4GYPTEN", 0, kFwd, false), 2); // Latin-1 small a umlaut
    EXPECT_EQ(find("aXbxc", "X", 4, kBack, false), 3);
}

TEST(PlainSearch, WholeWordNeedsNonWordCharactersAround)
{
    EXPECT_EQ(find("append end", "end", 0, kFwd, true, true), 7);
    EXPECT_EQ(find("append end", "end", 10, kBack, true, true), 7);
    EXPECT_EQ(find("append end", "end", 6, kBack, true, true), -1);
    EXPECT_EQ(find("end_of", "end", 0, kFwd, true, true), -1);
    EXPECT_EQ(find("x-end", "end", 0, kFwd, true, true), -1); // "-" counts as a word character
    EXPECT_EQ(find("it's", "s", 0, kFwd, true, true), -1); // so does "'"
    EXPECT_EQ(find("x end", "end", 0, kFwd, true, true), 2);
    EXPECT_EQ(find("end.", "end", 0, kFwd, true, true), 0);
    // A rejected hit does not hide an overlapping whole-word occurrence.
    EXPECT_EQ(find("xab ab ab", "ab ab", 0, kFwd, true, true), 4);
}

TEST(PlainSearch, WholeWordUsesTheViewersHandlersWhenSet)
{
    StringCharStream s("a-end b.end");
    TSkipTable t;
    t.prepare("end", true);
    WordTests words;
    words.charIsInWord = [](uint8_t c) { return c == '.'; };
    words.charStartsWord = [](uint8_t) { return false; };
    EXPECT_EQ(plainSearch(s, t, 0, kFwd, &words), 2);
    EXPECT_EQ(plainSearch(s, t, 3, kFwd, &words), -1);
}

TEST(PlainSearch, AgreesWithTheObviousSearchOnRandomTexts)
{
    std::mt19937 rng(7);
    const std::string alphabet = "abAB \r-_";
    auto randomText = [&](size_t maxLen) {
        std::string s(rng() % (maxLen + 1), ' ');
        for (char& c : s)
            c = alphabet[rng() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(60);
        std::string pattern = randomText(4);
        if (pattern.empty())
            pattern = "a";
        const bool matchCase = rng() % 2;
        const bool wholeWord = rng() % 3 == 0;
        const auto dir = rng() % 2 ? kFwd : kBack;
        const int64_t from = static_cast<int64_t>(rng() % (text.size() + 2)) - 1;
        const int64_t expected = naiveFind(text, pattern, from, dir, matchCase, wholeWord);

        TSkipTable t;
        t.prepare(pattern, matchCase);
        WordTests words;
        StringCharStream whole(text);
        SegmentedCharStream pieces(text, 1 + rng() % 5);
        SCOPED_TRACE("text \"" + text + "\" pattern \"" + pattern + "\" from " + std::to_string(from));
        EXPECT_EQ(plainSearch(whole, t, from, dir, wholeWord ? &words : nullptr), expected);
        EXPECT_EQ(plainSearch(pieces, t, from, dir, wholeWord ? &words : nullptr), expected);
    }
}

TEST(TSkipTable, RebuildsOnlyForAnotherStringOrCaseMode)
{
    TSkipTable t;
    EXPECT_TRUE(t.prepare("abc", true));
    EXPECT_FALSE(t.prepare("abc", true));
    EXPECT_TRUE(t.prepare("abc", false));
    EXPECT_EQ(t.compareForm(), "ABC");
    EXPECT_TRUE(t.prepare("abd", false));
    // Shifts: distance of a character's last occurrence before the final one to the window's end.
    EXPECT_EQ(t.forwardShift('a'), 2u);
    EXPECT_EQ(t.forwardShift('D'), 3u);
    EXPECT_EQ(t.forwardShift('z'), 3u);
    EXPECT_EQ(t.backwardShift('d'), 2u);
}
