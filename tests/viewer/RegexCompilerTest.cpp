#include "viewer/RegexCompiler.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace lrl;

namespace {

struct ErrorCase {
    const char* pattern;
    RegexError error;
    int position;
};

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    *os << '"' << c.pattern << '"';
}

class RegexCompilerErrors : public testing::TestWithParam<ErrorCase> { };

} // namespace

TEST_P(RegexCompilerErrors, ReportsTheErrorAndWhereItIs)
{
    const ErrorCase& c = GetParam();
    RegexCompiler compiler;
    EXPECT_FALSE(compiler.compile(c.pattern));
    EXPECT_EQ(regexErrorMessage(compiler.error()), std::string(regexErrorMessage(c.error)));
    EXPECT_EQ(compiler.errorPosition(), c.position);
}

INSTANTIATE_TEST_SUITE_P(All, RegexCompilerErrors,
    testing::Values(ErrorCase { "", RegexError::InvalidParameter, 1 },
        ErrorCase { "(((((((((())))))))))", RegexError::TooManySubExpressions, 10 },
        ErrorCase { "(ab", RegexError::UnmatchedParenthesis, 4 },
        ErrorCase { "ab)", RegexError::UnmatchedParenthesis, 3 },
        ErrorCase { "*x", RegexError::InvalidRepeat, 1 },
        ErrorCase { "a|+", RegexError::InvalidRepeat, 3 },
        ErrorCase { "(a?)*", RegexError::InvalidRepeat, 5 },
        ErrorCase { "^+", RegexError::InvalidRepeat, 2 },
        ErrorCase { "()*", RegexError::InvalidRepeat, 3 },
        ErrorCase { "a?{2,}", RegexError::NestedRepeat, 3 },
        ErrorCase { "(a?){2,}", RegexError::InvalidRepeat, 5 },
        ErrorCase { "a**", RegexError::NestedRepeat, 3 },
        ErrorCase { "a{2}?", RegexError::NestedRepeat, 5 },
        ErrorCase { "x{3,1}", RegexError::InvalidRange, 6 },
        ErrorCase { "x{}", RegexError::InvalidRange, 3 },
        ErrorCase { "x{,}", RegexError::InvalidRange, 4 },
        ErrorCase { "x{2", RegexError::InvalidRange, 4 },
        ErrorCase { "x{2x}", RegexError::InvalidRange, 4 },
        ErrorCase { "x{70000}", RegexError::InvalidRange, 7 },
        ErrorCase { "[a-]", RegexError::InvalidRange, 3 },
        ErrorCase { "[a-", RegexError::InvalidRange, 3 },
        ErrorCase { "[z-a]", RegexError::InvalidRange, 4 },
        ErrorCase { "[ab", RegexError::UnmatchedBracket, 4 },
        ErrorCase { "[]", RegexError::UnmatchedBracket, 2 },
        ErrorCase { "[^]", RegexError::UnmatchedBracket, 3 },
        ErrorCase { "\\x", RegexError::HexDigitExpected, 3 },
        ErrorCase { "[\\xg]", RegexError::HexDigitExpected, 4 },
        ErrorCase { "ab\\", RegexError::UnexpectedEnd, 4 },
        ErrorCase { "\"ab", RegexError::QuoteExpected, 4 }));

TEST(RegexCompiler, AcceptsNineGroupsButNotTen)
{
    RegexCompiler compiler;
    EXPECT_TRUE(compiler.compile("(((((((((a)))))))))"));
    EXPECT_TRUE(compiler.compile("(a)(b)(c)(d)(e)(f)(g)(h)(i)"));
    EXPECT_FALSE(compiler.compile("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)"));
    EXPECT_EQ(compiler.error(), RegexError::TooManySubExpressions);
}

TEST(RegexCompiler, RewritesDoubleBarsIntoEitherOrder)
{
    RegexCompiler compiler;
    ASSERT_TRUE(compiler.compile("a||b"));
    EXPECT_EQ(compiler.text(), "(((a)(b)?)|((b)(a)?))");
    ASSERT_TRUE(compiler.compile("x|ab||(c)|y"));
    EXPECT_EQ(compiler.text(), "x|(((ab)(c)?)|((c)(ab)?))|y");
    // A side is left unwrapped only when it is one group as a whole.
    ASSERT_TRUE(compiler.compile("(a)b||[)]"));
    EXPECT_EQ(compiler.text(), "((((a)b)([)])?)|(([)])((a)b)?))");
    // Bars inside sets, quotes and escapes are no double bars.
    ASSERT_TRUE(compiler.compile("[||]\"||\"\\|\\|"));
    EXPECT_EQ(compiler.text(), "[||]\"||\"\\|\\|");
    // The rewrite's groups count against the limit of nine.
    EXPECT_TRUE(compiler.compile("(c)(d)|a||b"));
    EXPECT_FALSE(compiler.compile("(c)(d)(e)|a||b"));
    EXPECT_EQ(compiler.error(), RegexError::TooManySubExpressions);
    EXPECT_FALSE(compiler.compile("a||b||c"));
    EXPECT_EQ(compiler.error(), RegexError::TooManySubExpressions);
}

TEST(RegexCompiler, UsesACounterOnlyForCountsOfTwoOrMore)
{
    RegexCompiler compiler;
    auto listing = [&](const char* pattern) {
        EXPECT_TRUE(compiler.compile(pattern)) << pattern;
        return compiler.takeProgram().describe();
    };
    EXPECT_EQ(listing("ab{2,5}"), "1: BRANCH -> 31\n"
                                  "4: EXACTLY \"a\" -> 9\n"
                                  "9: CSET #0 -> 14\n"
                                  "14: CLOOP #0 {2,5} -> 31\n"
                                  "23: EXACTLY \"b\" -> 28\n"
                                  "28: BACK -> 14\n"
                                  "31: END\n");
    EXPECT_EQ(listing("b{1}"), listing("b"));
    EXPECT_EQ(listing("b{0,1}"), listing("b?"));
    EXPECT_EQ(listing("b{1,}"), listing("b+"));
    EXPECT_EQ(listing("b{,0}"), "1: BRANCH -> 12\n4: NOTHING -> 12\n7: EXACTLY \"b\"\n12: END\n");
}

TEST(RegexCompiler, EmitsTheMeasuredSizePlusSlack)
{
    RegexCompiler compiler;
    ASSERT_TRUE(compiler.compile("[a-c]x*"));
    RegexProgram p = compiler.takeProgram();
    EXPECT_EQ(p.code()[0], RegexProgram::kMarker);
    // marker + BRANCH + ANYOF(3+256) + STAR + EXACTLY(3+2) + END, then 256 spare bytes
    EXPECT_EQ(p.code().size(), 1u + 3 + 259 + 3 + 5 + 3 + 256);
}

TEST(RegexCompiler, RefusesProgramsBeyondSixteenBitOffsets)
{
    RegexCompiler compiler;
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += "[ab]";
    EXPECT_FALSE(compiler.compile(many));
    EXPECT_EQ(compiler.error(), RegexError::OutOfMemory);
}

TEST(RegexErrorText, PutsACaretUnderTheErrorPosition)
{
    EXPECT_EQ(regexErrorText("Invalid range", "x{3,1}", 6), "Invalid range\nx{3,1}\n     ^");
    EXPECT_EQ(regexErrorText("Invalid repeat", "*x", 1), "Invalid repeat\n*x\n^");
}
