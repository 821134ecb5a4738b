#include "viewer/TREParser.h"

#include "common/StringCharStream.h"
#include "support/SegmentedCharStream.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace lrl;

namespace {

using Match = std::pair<int64_t, int64_t>; // start, end
constexpr Match kNone { -1, -1 };

Match search(TREParser& re, CharStream& s, int64_t from, SearchDirection dir = SearchDirection::Forward)
{
    s.seek(from);
    if (!re.search(s, dir))
        return kNone;
    return { re.matchStart(), re.matchEnd() };
}

Match first(const std::string& pattern, const std::string& text, int64_t from = 0,
    SearchDirection dir = SearchDirection::Forward)
{
    TREParser re;
    EXPECT_TRUE(re.compile(pattern)) << pattern << ": " << re.errorText();
    StringCharStream s(text);
    return search(re, s, from, dir);
}

// Every match in order, each search starting at the previous match's end.
std::vector<std::string> all(const std::string& pattern, const std::string& text)
{
    TREParser re;
    EXPECT_TRUE(re.compile(pattern)) << pattern;
    StringCharStream s(text);
    std::vector<std::string> out;
    for (Match m = search(re, s, 0); m != kNone; m = search(re, s, m.second))
        out.push_back(text.substr(static_cast<size_t>(m.first), static_cast<size_t>(m.second - m.first)));
    return out;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(TREParser, MatchesAtomsSetsAndEscapes)
{
    EXPECT_EQ(all("b.d", "abcd b\rd bxd"), (Strings { "bcd", "bxd" })); // "." stops at the line end
    EXPECT_EQ(all("[a-c]+", "xabcz cab"), (Strings { "abc", "cab" }));
    EXPECT_EQ(all("[^a-c\\n]+", "ab12\rc3"), (Strings { "12", "3" }));
    EXPECT_EQ(all("\\d+", "x12 345"), (Strings { "12", "345" }));
    EXPECT_EQ(all("\\w+", "a_1 b-c"), (Strings { "a_1", "b", "c" }));
    EXPECT_EQ(all("\\s", "a \tb"), (Strings { " ", "\t" }));
    EXPECT_EQ(all("\\S+", "ab cd"), (Strings { "ab", "cd" }));
    EXPECT_EQ(all("\\D\\W", "1a-b"), (Strings { "a-" }));
    EXPECT_EQ(all("\\x41\\101\\T", "AA\t"), (Strings { "AA\t" }));
    EXPECT_EQ(all("\"a.b*\"", "ab a.b*"), (Strings { "a.b*" }));
    EXPECT_EQ(all("\\.\\*", "a.*"), (Strings { ".*" }));
    EXPECT_EQ(all("ab*", "a abbb"), (Strings { "a", "abbb" })); // a repeat takes the last character only
    EXPECT_EQ(all("(ab)*c", "ababc c"), (Strings { "ababc", "c" }));
    EXPECT_EQ(all("\\0", std::string("a\0b", 3)), (Strings { std::string(1, '\0') }));
}

TEST(TREParser, LineEscapesStandForTheStoresLineEnd)
{
    // "\n" is CR, the line end of the text store; "\r" is LF, which a loaded text never holds.
    EXPECT_EQ(first("a\\nb", "xa\rb"), Match(1, 4));
    EXPECT_EQ(first("\\r", "a\rb\rc"), kNone);
    EXPECT_EQ(first("x$", "ax\rbx"), Match(1, 2));
    EXPECT_EQ(first("x$\\n", "ax\rbx"), Match(1, 3));
}

TEST(TREParser, LineStartMatchesOnlyAfterALineEnd)
{
    EXPECT_EQ(first("^begin", "begin\rbegin"), Match(6, 11)); // the CR is consumed but not part of the match
    EXPECT_EQ(first("^begin", "begin x"), kNone);
    EXPECT_EQ(first("^$", "a\r\rb"), kNone); // an empty line is an empty match
    EXPECT_EQ(first("end$", "end"), kNone); // no line end at the end of the text
}

TEST(TREParser, DoubleBarMatchesBothSidesInEitherOrder)
{
    EXPECT_EQ(all("a||b", "a.ab.b.ba"), (Strings { "a", "ab", "b", "ba" }));
    EXPECT_EQ(all("x(a||b)y", "xy xay xaby xbay"), (Strings { "xay", "xaby", "xbay" }));
}

TEST(TREParser, CountsOnlyNonEmptyMatches)
{
    EXPECT_EQ(first("x*", "abc"), kNone);
    EXPECT_EQ(first("x*", "abxxc"), Match(2, 4));
    EXPECT_EQ(first("x?|ab", "zab"), Match(1, 3)); // an empty alternative gives way to a longer one
    EXPECT_EQ(first("()", "abc"), kNone);
}

TEST(TREParser, SearchesBackwardFromThePosition)
{
    TREParser re;
    ASSERT_TRUE(re.compile("ab+"));
    StringCharStream s("ab abb ab");
    EXPECT_EQ(search(re, s, 9, SearchDirection::Backward), Match(7, 9)); // from the end: one back first
    EXPECT_EQ(search(re, s, 6, SearchDirection::Backward), Match(3, 6));
    EXPECT_EQ(search(re, s, 2, SearchDirection::Backward), Match(0, 2));
    StringCharStream none("ba");
    EXPECT_EQ(search(re, none, 2, SearchDirection::Backward), kNone);
}

TEST(TREParser, ReadsTextAcrossSegments)
{
    TREParser re;
    ASSERT_TRUE(re.compile("c\\nd+e"));
    test::SegmentedCharStream s("abc\rdddde", 2);
    EXPECT_EQ(search(re, s, 0), Match(2, 9));
    EXPECT_EQ(search(re, s, 8, SearchDirection::Backward), Match(2, 9));
}

TEST(TREParser, RecompilesOnlyAnotherPattern)
{
    TREParser re;
    ASSERT_TRUE(re.compile("a||b"));
    EXPECT_TRUE(re.compile("a||b"));
    EXPECT_EQ(re.pattern(), "(((a)(b)?)|((b)(a)?))");
    EXPECT_FALSE(re.compile("[ab"));
    EXPECT_FALSE(re.compiled());
    EXPECT_EQ(re.errorText(), "Unmatched bracket\n[ab\n   ^");
    EXPECT_TRUE(re.compile("a"));
    EXPECT_EQ(re.error(), RegexError::None);
    EXPECT_STREQ(regexErrorMessage(re.error()), "No errors detected");
}

TEST(TREParser, PositionTableHoldsTheTrailOfTheMatch)
{
    TREParser re;
    ASSERT_TRUE(re.compile("ab+c"));
    StringCharStream s("xabbbc");
    ASSERT_TRUE(re.search(s, SearchDirection::Forward));
    EXPECT_EQ(re.counter(), 3);
    EXPECT_EQ(re.position(0), 1);
    EXPECT_EQ(re.position(1), 2); // the run of b starts here
    EXPECT_EQ(re.position(2), 5);
    EXPECT_EQ(re.position(3), 6); // the end
    EXPECT_EQ(re.position(4), -1);
    EXPECT_THROW(re.position(256), ERegexError);
    EXPECT_THROW(re.position(-1), ERegexError);
}

TEST(TREParser, FailsWithIndexRangeErrorWhenTheTableOverflows)
{
    TREParser re;
    ASSERT_TRUE(re.compile("(ab)+"));
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "ab";
    StringCharStream s(text);
    try {
        re.search(s, SearchDirection::Forward);
        FAIL() << "no error";
    } catch (const ERegexError& e) {
        EXPECT_EQ(e.code(), RegexError::IndexRange);
        EXPECT_EQ(e.boxText(), "Index range error\n(ab)+\n     ^");
    }
}

TEST(TREParser, SearchingWithoutACompiledPatternIsAnError)
{
    TREParser re;
    StringCharStream s("abc");
    EXPECT_THROW(re.search(s, SearchDirection::Forward), ERegexError);
    EXPECT_FALSE(re.compile("(a"));
    EXPECT_THROW(re.search(s, SearchDirection::Forward), ERegexError);
}

TEST(TREParser, StopsARunawayPatternWithinItsStepAllowance)
{
    // Each start position of this pattern explores exponentially many ways to split the run of a.
    TREParser re;
    ASSERT_TRUE(re.compile("(a|aa)+b"));
    std::string text(60, 'a');
    StringCharStream s(text);
    try {
        re.search(s, SearchDirection::Forward);
        FAIL() << "no error";
    } catch (const ERegexError& e) {
        EXPECT_EQ(e.code(), RegexError::TooComplex);
        EXPECT_EQ(e.message(), "Search stopped: the pattern takes too long to match");
    }
    EXPECT_LE(re.steps(), TREParser::kBaseSteps + TREParser::kStepsPerChar * text.size() + 1);

    // A pattern that is merely slow per position gets more steps the more text the search covers.
    ASSERT_TRUE(re.compile(".a*a*b"));
    re.setStepAllowance(10000, 64);
    std::string flat(40, 'a');
    StringCharStream small(flat);
    EXPECT_THROW(re.search(small, SearchDirection::Forward), ERegexError);
    re.setStepAllowance(10000, 4096);
    small.seek(0);
    EXPECT_FALSE(re.search(small, SearchDirection::Forward));
}
