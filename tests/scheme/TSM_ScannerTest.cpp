#include "ScanDump.h"
#include "ScanTableBuilder.h"
#include "common/StringCharStream.h"
#include "scheme/TSyntaxMemoParser.h"

#include <gtest/gtest.h>

using namespace lrl;
using test::ScanTableBuilder;
using test::scanDump;

namespace {

const Set256 s0 = Set256::of({ 0 });
const Set256 s1 = Set256::of({ 1 });
const Set256 s2 = Set256::of({ 2 });
const Set256 none;

class Scanner : public ::testing::Test {
protected:
    TSyntaxMemoParser parser { "SyntaxMemoParser1" };
    ScanTableBuilder b { parser.table() };

    std::string scan(const std::string& text, int start = -1) { return scanDump(parser, text, start); }
};

} // namespace

// ---- Words ----------------------------------------------------------------------------------------------

TEST_F(Scanner, LongestCountingWordWins)
{
    b.word("<", 10).word("<=", 11).word("<>", 12);
    EXPECT_EQ(scan("<=<><"), "11[<=] 12[<>] 10[<]");
    // A word end counts only when the next character is in its follow class.
    b.word("ab", 6, "x").word("a", 5);
    EXPECT_EQ(scan("abx aby"), "6[ab] 0[x] 0[ ] 5[a] 0[b] 0[y]");
}

TEST_F(Scanner, FollowClassSeesCharacterZeroAtTheEnd)
{
    b.word("#", 11, "[0-9]").word("end", 31, "[^a-z]");
    EXPECT_EQ(scan("#1#a#"), "11[#] 0[1] 0[#] 0[a] 0[#]");
    EXPECT_EQ(scan("end"), "31[end]");
    EXPECT_EQ(scan("ends"), "0[e] 0[n] 0[d] 0[s]");
}

TEST_F(Scanner, WordsCountOnlyInTheirStates)
{
    b.word("x", 7, "", s0).word("x", 8, "", s1).word("y", 9, "", s1);
    EXPECT_EQ(scan("xy"), "7[x] 0[y]");
    parser.table().setContextStates(50, s1);
    EXPECT_EQ(scan("xy", 50), "8[x] 9[y]");
}

TEST_F(Scanner, CaseOfWordsFollowsTheStore)
{
    b.word("begin", 30);
    EXPECT_EQ(scan("BeGiN"), "30[BeGiN]");
    parser.table().keywords().setCaseSensitive(true);
    b.word("End", 31);
    EXPECT_EQ(scan("Endend"), "31[End] 0[e] 0[n] 0[d]");
}

TEST_F(Scanner, KeywordTablesOfTheCurrentStatesFollowTheStore)
{
    b.word("b", 5).keywordTable(s0, "[^a-z]", { { "begin", 30 }, { "be", 7 } });
    b.keywordTable(s1, "[^a-z]", { { "read", 40 } });
    // The store first ("b" counts, so no keyword table is tried), then the table of state 0.
    EXPECT_EQ(scan("begin"), "5[b] 0[e] 0[g] 0[i] 0[n]");
    parser.table().keywords().clear();
    EXPECT_EQ(scan("BEGIN be bee read"), "30[BEGIN] 0[ ] 7[be] 0[ ] 0[b] 0[e] 0[e] 0[ ] 0[r] 0[e] 0[a] 0[d]");
    parser.table().setContextStates(50, Set256::of({ 0, 1 }));
    EXPECT_EQ(scan("read;be", 50), "40[read] 0[;] 7[be]");
}

TEST_F(Scanner, KeywordTableCaseFlagIsItsOwn)
{
    b.keywordTable(s0, "", { { "Sub", 7 } }, true);
    EXPECT_EQ(scan("SubsubSUB"), "7[Sub] 0[s] 0[u] 0[b] 0[S] 0[U] 0[B]");
}

// ---- Handlers -------------------------------------------------------------------------------------------

TEST_F(Scanner, HandlerWithStarMayBeEmptyAndConsumesItsEnd)
{
    b.word("{", 8).handler(8, b.chars("[^}]", true), b.closing({ "}" }, true));
    EXPECT_EQ(scan("{}{a\rb}c"), "8[{}] 8[{a\rb}] 0[c]");
    // Unterminated: the comment runs to the end of the text.
    EXPECT_EQ(scan("x{ab"), "0[x] 8[{ab]");
}

TEST_F(Scanner, HandlerEndWithoutConsumeStaysForTheNextToken)
{
    b.word("//", 1).handler(1, b.chars("[^\r]", true), b.closing({ "\r" }, false));
    b.word("\r", 61);
    EXPECT_EQ(scan("//a b\r//\r"), "1[//a b] 61[\r] 1[//] 61[\r]");
}

TEST_F(Scanner, HandlerWithoutStarNeedsOneStep)
{
    b.word("#", 11).handler(11, b.chars("[0-9]"), b.closing({ "[^0-9]" }, false));
    EXPECT_EQ(scan("#12x#x#"), "11[#12] 0[x] 0[#] 0[x] 11[#]");
}

TEST_F(Scanner, HandlerEndOfSeveralCharacters)
{
    b.word("(*", 9).handler(9, b.chars("[^\x01]", true), b.closing({ "*", ")" }, true));
    EXPECT_EQ(scan("(**)(* a*b *)c(* *"), "9[(**)] 9[(* a*b *)] 0[c] 9[(* *]");
}

TEST_F(Scanner, HandlerWithoutEndTakesOneStep)
{
    b.word("$", 6).handler(6, b.chars("[a-z]"));
    EXPECT_EQ(scan("$ab$"), "6[$a] 0[b] 6[$]"); // the end of the text completes it
}

TEST_F(Scanner, HandlerBuiltInCompletesOrFailsTheTokenAtOnce)
{
    b.word("@", 20).handler(20, ScanTableBuilder::routine(10), b.closing({ ";" }, true));
    EXPECT_EQ(scan("@name;@1"), "20[@name] 0[;] 0[@] 0[1]");
}

TEST_F(Scanner, HandlerRoutineStepsAndRoutineEnds)
{
    // Digits (routine 9) as steps, ended by an address run (routine 1) that is not consumed.
    b.word("n", 4).handler(4, ScanTableBuilder::routine(9), ScanTableBuilder::routineEnd(1, false));
    EXPECT_EQ(scan("n12x"), "4[n12] 0[x]");
    b.word("m", 5).handler(5, ScanTableBuilder::routine(9), ScanTableBuilder::routineEnd(1, true));
    EXPECT_EQ(scan("m12x. "), "5[m12x] 0[.] 0[ ]");
    // A routine number outside the table fails the step.
    b.word("q", 3).handler(3, ScanTableBuilder::routine(99));
    EXPECT_EQ(scan("qx"), "0[q] 0[x]");
}

// ---- Token entries --------------------------------------------------------------------------------------

TEST_F(Scanner, TokenEntriesWithAndWithoutBodies)
{
    b.token("[;,]", 10);
    b.token("[ \t\r]", 61, b.chars("[ \t\r]", true), b.closing({ "[^ \t\r]" }, false));
    b.token("$", 6, b.chars("[0-9A-F]"), b.closing({ "[^0-9A-F]" }, false));
    EXPECT_EQ(scan(";  \t\r,$1F $ $"), "10[;] 61[  \t\r] 10[,] 6[$1F] 61[ ] 0[$] 61[ ] 6[$]");
}

TEST_F(Scanner, BuiltInStartsRecogniseFromTheFirstCharacter)
{
    b.builtIn("[A-Za-z_]", 10, 2).builtIn("[0-9.]", 11, 4).builtIn("'", 12, 3).word("..", 10);
    EXPECT_EQ(scan("a1 1..2 'it''s' .x"), "2[a1] 0[ ] 4[1] 10[..] 4[2] 0[ ] 3['it''s'] 0[ ] 0[.] 2[x]");
}

TEST_F(Scanner, TokenBodyRoutineAndRoutineEnd)
{
    // "<" then digits, ended by ">"; "=" then more "=", ended by an identifier (routine 3).
    b.token("<", 30, ScanTableBuilder::routine(9), b.closing({ ">" }, true));
    EXPECT_EQ(scan("<12><><3"), "30[<12>] 0[<] 0[>] 30[<3]");
    b.token("=", 31, b.chars("=", true), ScanTableBuilder::routineEnd(3, true));
    EXPECT_EQ(scan("==abc="), "31[==abc] 31[=]");
}

TEST_F(Scanner, TokenEntriesCountOnlyInTheirStates)
{
    b.token("a", 5, {}, {}, s1);
    EXPECT_EQ(scan("a"), "0[a]");
    parser.table().setContextStates(50, s1);
    EXPECT_EQ(scan("a", 50), "5[a]");
}

TEST_F(Scanner, StateTablesChooseTheLowestCurrentStateWithATable)
{
    b.token("a", 5).token("a", 6, {}, {}, Set256::of({ 2, 3 }), 2).token("a", 7, {}, {}, Set256::of({ 3 }), 3);
    EXPECT_EQ(scan("a"), "5[a]"); // no current state has a table: the table for all states
    parser.table().setContextStates(50, Set256::of({ 2, 3 }));
    EXPECT_EQ(scan("a", 50), "6[a]");
    parser.table().setContextStates(51, Set256::of({ 3 }));
    EXPECT_EQ(scan("a", 51), "7[a]");
}

// ---- Validity and fall back -----------------------------------------------------------------------------

TEST_F(Scanner, InvalidTokenValuesBecomeOneCharacterOfValueZero)
{
    b.token("[a-z]", 2, b.chars("[a-z]", true), b.closing({ "[^a-z]" }, false), Set256::of({ 0, 1 }));
    b.valid(2, s1);
    EXPECT_EQ(scan("ab"), "0[a] 0[b]");
    parser.table().setContextStates(50, s1);
    EXPECT_EQ(scan("ab", 50), "2[ab]");
    // Keyword-table tokens are not checked against their value's valid states.
    b.keywordTable(s0, "[^a-z]", { { "ab", 2 } });
    EXPECT_EQ(scan("ab"), "2[ab]");
}

TEST_F(Scanner, EmptyTextAndTheEndOfTheStream)
{
    b.token("a", 5);
    EXPECT_EQ(scan(""), "");
    StringCharStream s("a");
    parser.reset(0);
    int32_t length = -1;
    EXPECT_EQ(parser.nextToken(nullptr, s, length), 5);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(parser.nextToken(nullptr, s, length), 0);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(s.position(), 1);
}

TEST_F(Scanner, EmptyTableGivesOneCharacterTokensOfValueZero)
{
    EXPECT_EQ(scan("ab\r"), "0[a] 0[b] 0[\r]");
}

// ---- States ---------------------------------------------------------------------------------------------

TEST_F(Scanner, EntryAndExitSetsChangeTheStates)
{
    b.keywordTable(s0, "[^a-z]", { { "read", 7 }, { "property", 21 } });
    b.word(";", 20, "", Set256::of({ 0, 1 }));
    b.states(21, s1, s0).states(20, s0, s1);
    EXPECT_EQ(scan("read property read;read"), "7[read] 0[ ] 21[property] 0[ ] 0[r] 0[e] 0[a] 0[d] 20[;] 7[read]");
}

TEST_F(Scanner, PushAndPopNest)
{
    b.word("x", 7, "", s0).word("x", 8, "", s2);
    b.word("[", 5, "", Set256::of({ 0, 2 })).states(5, s2, s0, TSM_TokenValueRecord::PushBefore);
    b.word("]", 6, "", s2).states(6, none, none, TSM_TokenValueRecord::PopAfter);
    EXPECT_EQ(scan("x[x[x]x]x"), "7[x] 5[[] 8[x] 5[[] 8[x] 6[]] 8[x] 6[]] 7[x]");
    // One pop too many leaves the states as they are.
    EXPECT_EQ(scan("[]]x"), "5[[] 6[]] 0[]] 7[x]");
}

TEST_F(Scanner, PopBeforeAndPushAfter)
{
    b.word("x", 7, "", s0).word("x", 8, "", s1).word("x", 9, "", s2);
    // "(" enters state 1 and pushes the result; ")" pops it back before leaving for state 2.
    b.word("(", 5, "", Set256::all()).states(5, s1, s0, TSM_TokenValueRecord::PushAfter);
    b.word(")", 6, "", Set256::all()).states(6, s2, s1, TSM_TokenValueRecord::PopBefore);
    EXPECT_EQ(scan("x(x)x"), "7[x] 5[(] 8[x] 6[)] 9[x]");
    StringCharStream s("(");
    parser.reset(0);
    int32_t length = 0;
    parser.nextToken(nullptr, s, length);
    EXPECT_EQ(parser.scanner().stackDepth(), 1u);
    parser.reset(0);
    EXPECT_EQ(parser.scanner().stackDepth(), 0u);
}

TEST_F(Scanner, ResetStartsInTheContextStatesOfAValue)
{
    parser.table().startStates() = Set256::of({ 0, 4 });
    parser.table().setContextStates(8, s1);
    parser.reset(8);
    EXPECT_EQ(parser.scanner().states(), s1);
    parser.reset(9); // no context states of its own
    EXPECT_EQ(parser.scanner().states(), Set256::of({ 0, 4 }));
    parser.reset(-1);
    EXPECT_EQ(parser.scanner().states(), Set256::of({ 0, 4 }));
    parser.table().boundStates() = Set256::of({ 4 });
    parser.reset(9);
    EXPECT_TRUE(parser.inBoundState());
    parser.reset(8);
    EXPECT_FALSE(parser.inBoundState());
}

TEST_F(Scanner, AnchorSetIsTheTables)
{
    EXPECT_EQ(parser.anchorSet(), Set256::of({ 0 }));
    parser.table().anchorSet() = Set256::of({ 0, 8 });
    EXPECT_EQ(parser.anchorSet(), Set256::of({ 0, 8 }));
}

// ---- Containers -----------------------------------------------------------------------------------------

TEST_F(Scanner, ContainerTextIsScannedAgainInItsStates)
{
    // "<...>" is a container that enters state 3, in which "b" is a word.
    b.token("<", 40, b.chars("[^>]", true), b.closing({ ">" }, true));
    b.states(40, Set256::of({ 3 }), s0, 0, true);
    b.word("b", 41, "", Set256::of({ 3 }));
    b.token("b", 2);
    EXPECT_EQ(scan("b<ab>b"), "2[b] 40[<ab>] >0[<] >0[a] >41[b] >0[>] 2[b]");
}

TEST_F(Scanner, BusyWhileTheContainerIsScannedAgain)
{
    b.token("<", 40, b.chars("[^>]", true), b.closing({ ">" }, true)).states(40, s1, s0, 0, true);
    StringCharStream s("<a>x");
    parser.reset(0);
    int32_t length = 0;
    EXPECT_EQ(parser.nextToken(nullptr, s, length), 40);
    EXPECT_TRUE(parser.busy());
    EXPECT_FALSE(parser.safeStop());
    EXPECT_EQ(parser.scanner().containerEnd(), 3);
    EXPECT_EQ(parser.scanner().containerValue(), 40);
    EXPECT_EQ(parser.scanner().states(), s1);
    s.seek(0);
    parser.nextToken(nullptr, s, length); // "<" inside: not a container again
    EXPECT_TRUE(parser.busy());
    parser.nextToken(nullptr, s, length);
    parser.nextToken(nullptr, s, length);
    EXPECT_FALSE(parser.busy());
    EXPECT_EQ(parser.scanner().states(), s0);
    // A reset clears the container state.
    s.seek(0);
    parser.nextToken(nullptr, s, length);
    parser.reset(0);
    EXPECT_FALSE(parser.busy());
}

// ---- Custom parse ---------------------------------------------------------------------------------------

TEST_F(Scanner, MatchBodiesAskOnCustomParse)
{
    // "%" then a custom body that takes digits and answers value 90 + the routine number.
    b.token("%", 50, ScanTableBuilder::routine(7, false, true));
    parser.table().setCustomParse(true);
    EXPECT_FALSE(parser.canHighlight());
    EXPECT_EQ(scan("%1"), "0[%] 0[1]");
    std::vector<int32_t> lengths;
    parser.OnCustomParse = [&](TSyntaxMemoParser& sender, int32_t id, CharStream& s, int32_t& length, int32_t& value) {
        EXPECT_EQ(&sender, &parser);
        lengths.push_back(length);
        int n = 0;
        while (!s.atEnd() && s.current() >= '0' && s.current() <= '9') {
            s.next();
            ++n;
        }
        length += n;
        value = 90 + id;
        return n > 0;
    };
    EXPECT_TRUE(parser.canHighlight());
    EXPECT_EQ(scan("%12%x"), "97[%12] 0[%] 0[x]");
    ASSERT_FALSE(lengths.empty());
    EXPECT_EQ(lengths.front(), 1); // the "%" is already part of the token
}

TEST_F(Scanner, MatchStepsAndEndsInHandlers)
{
    parser.OnCustomParse = [](TSyntaxMemoParser&, int32_t id, CharStream& s, int32_t&, int32_t& value) {
        value = 99; // ignored outside token bodies
        if (s.atEnd() || s.current() != (id == 1 ? 'a' : 'z'))
            return false;
        s.next();
        return true;
    };
    b.word("!", 5).handler(5, ScanTableBuilder::routine(1, false, true), ScanTableBuilder::routineEnd(2, true, true));
    EXPECT_EQ(scan("!aaz!z"), "5[!aaz] 0[!] 0[z]");
}
