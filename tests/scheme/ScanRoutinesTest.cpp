#include "ChoppedCharStream.h"
#include "common/StringCharStream.h"
#include "scheme/ScanRoutines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lrl;

namespace {

struct Case {
    int routine;
    std::string text;
    bool accepted;
    int64_t taken; // characters stepped over when accepted
    int64_t tokenStart = 0;
};

// Runs a routine from offset start of text (the token starting at tokenStart), over one segment and
// over segments of 1 to 4 characters; the outcome must not depend on the segments.
void expectRoutine(const Case& c, int64_t start = 0)
{
    auto run = [&](CharStream& s) {
        s.seek(start);
        bool ok = scan::runRoutine(c.routine, s, c.tokenStart);
        return std::pair(ok, s.position() - start);
    };
    StringCharStream whole(c.text);
    auto [ok, taken] = run(whole);
    EXPECT_EQ(ok, c.accepted) << "routine " << c.routine << " on \"" << c.text << "\"";
    if (ok && c.accepted) {
        EXPECT_EQ(taken, c.taken) << "routine " << c.routine << " on \"" << c.text << "\"";
    }
    for (size_t seg = 1; seg <= 4; ++seg) {
        test::ChoppedCharStream chopped(c.text, seg);
        auto [ok2, taken2] = run(chopped);
        EXPECT_EQ(ok2, ok) << "segments of " << seg << " on \"" << c.text << "\"";
        if (ok) {
            EXPECT_EQ(taken2, taken) << "segments of " << seg << " on \"" << c.text << "\"";
        }
    }
}

void expectAll(const std::vector<Case>& cases)
{
    for (const Case& c : cases)
        expectRoutine(c);
}

} // namespace

TEST(ScanRoutines, QuotedContinuationStopsAtALoneQuoteOrCR)
{
    expectAll({
        { 0, "abc' x", true, 3 },
        { 0, "it''s'", true, 5 },
        { 0, "ab\rcd'", true, 2 },
        { 0, "abc", true, 3 },
        { 0, "'", true, 0 },
        { 0, "''", true, 2 },
    });
}

TEST(ScanRoutines, AddressRunGivesBackAFinalDot)
{
    expectAll({
        { 1, "www.host.org/a-b?c=1&d=~x|y\\z#f. more", true, 31 },
        { 1, "host.", true, 4 },
        { 1, ".", false, 0 },
        { 1, " x", false, 0 },
        { 1, "A:Z_", true, 4 },
    });
}

TEST(ScanRoutines, RestOfLineOnlyWhereTheTokenStartsALine)
{
    expectAll({
        { 2, "#define X\rnext", true, 9 },
        { 2, "\r#x\r", false, 0, 2 },
    });
    expectRoutine({ 2, "\r#x\ry", true, 2, 1 }, 1);
    expectRoutine({ 2, "a#x\ry", false, 0, 1 }, 1);
}

TEST(ScanRoutines, IdentifiersStartWithALetterOrUnderscore)
{
    expectAll({
        { 3, "Foo_1 bar", true, 5 },
        { 3, "_x", true, 2 },
        { 3, "1x", false, 0 },
        { 3, "\xe9t\xe9", false, 0 },
        { 3, "Gr\xfc\xdf" "e;", true, 5 }, // letters of the code page go on a name
    });
}

TEST(ScanRoutines, NumbersLeaveARangeDotAlone)
{
    expectAll({
        { 4, "123;", true, 3 },
        { 4, "1..2", true, 1 },
        { 4, "3.14)", true, 4 },
        { 4, "1.", true, 2 },
        { 4, ".5", true, 2 },
        { 4, ".", false, 0 },
        { 4, "..", false, 0 },
        { 4, "1e10", true, 4 },
        { 4, "2.5E-3x", true, 6 },
        { 4, "1e", true, 1 },
        { 4, "1else", true, 1 },
        { 4, "7e+", true, 1 },
        { 4, "x", false, 0 },
    });
}

TEST(ScanRoutines, PascalStringsDoubleTheirQuotes)
{
    expectAll({
        { 5, "'abc' x", true, 5 },
        { 5, "'it''s' x", true, 7 },
        { 5, "''", true, 2 },
        { 5, "'''' x", true, 4 },
        { 5, "'open\rnext'", true, 5 },
        { 5, "'to the end", true, 11 },
        { 5, "x'", false, 0 },
    });
}

TEST(ScanRoutines, EscapedStringsAndCharacters)
{
    expectAll({
        { 6, "\"a\\\"b\" x", true, 6 },
        { 6, "\"a\\\\\" x", true, 5 },
        { 6, "\"open\\\rx", true, 6 },
        { 6, "'x'", false, 0 },
        { 7, "'\\'' x", true, 4 },
        { 7, "'a' x", true, 3 },
        { 13, "'ab\\'c' x", true, 7 },
        { 13, "'ab\rc'", true, 3 },
        { 13, "\"ab\"", false, 0 },
    });
}

TEST(ScanRoutines, SignedNumbersAndDigits)
{
    expectAll({
        { 8, "-12.5e3;", true, 7 },
        { 8, "+7", true, 2 },
        { 8, "+", false, 0 },
        { 8, "-x", false, 0 },
        { 9, "0042a", true, 4 },
        { 9, "a", false, 0 },
    });
}

TEST(ScanRoutines, MailAddressesNeedTheAtSign)
{
    expectAll({
        { 10, "someone@example.org. Next", true, 19 },
        { 10, "first.last-x_y~z@host ", true, 21 },
        { 10, "no.at.sign here", false, 0 },
    });
}

TEST(ScanRoutines, HtmlStringsAndScriptLineComments)
{
    expectAll({
        { 11, "\"a\\\" b", true, 4 },
        { 11, "\"open\rx", true, 5 },
        { 11, "x\"", false, 0 },
        { 12, "// note --> more", true, 8 },
        { 12, "// a - b -- c\rnext", true, 13 },
        { 12, "// a --->", true, 5 },
        { 12, "// to the end", true, 13 },
    });
}

TEST(ScanRoutines, NumbersOutsideTheTableAcceptNothing)
{
    expectAll({
        { -1, "abc", false, 0 },
        { 14, "abc", false, 0 },
        { 20, "abc", false, 0 },
    });
}
