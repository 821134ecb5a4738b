#include "common/Exception.h"
#include "common/MemoryStream.h"
#include "scheme/ESYM_COMP_ERROR.h"
#include "scheme/TSyntaxMemoParser.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(TSyntaxMemoParserCompile, CompilesTheScriptFileWithIncludesFromItsFolder)
{
    test::TempDir dir;
    dir.write("schemes/common.txt", "#define tvWord 7\r\n");
    TSyntaxMemoParser parser("SyntaxMemoParser1");
    parser.Script = dir.write("schemes/main.txt", "#include <common.txt>\r\n%%words 'w' '[^a-z]' tvWord\r\n");
    parser.compileScriptFile();
    ASSERT_NE(parser.table().keywords().find("w"), nullptr);
    EXPECT_EQ((*parser.table().keywords().find("w"))[0].token, 7);
    EXPECT_EQ(parser.compileLabel(), "%%Words - [^a-z]");
    // Lines are counted over the included text too.
    EXPECT_EQ(parser.compileLine(), 4);
    EXPECT_EQ(parser.compileColumn(), 1);
}

TEST(TSyntaxMemoParserCompile, FailuresLeaveWhatWasBuilt)
{
    test::TempDir dir;
    TSyntaxMemoParser parser("SyntaxMemoParser1");
    parser.Script = dir.write("s.txt", "%%map 1 5\r\n%%effects 1 [] 0 0\r\n  2 [9] 0 0");
    try {
        parser.compileScriptFile();
        FAIL();
    } catch (const ESYM_COMP_ERROR& e) {
        EXPECT_STREQ(e.what(), "** ERROR near line 3, Column 8: Bad font style specifier");
    }
    EXPECT_EQ(parser.compileLabel(), "%%Effects - 2");
    EXPECT_EQ(parser.compileLine(), 3);
    EXPECT_EQ(parser.settings().map[1], 5);
    EXPECT_TRUE(parser.settings().effects[1].defined);

    parser.Script = (dir.path() / "missing.txt").string();
    EXPECT_THROW(parser.compileScriptFile(), EFOpenError);
    EXPECT_EQ(parser.settings().map[1], 5);
}

// Everything the compiler can put in a table survives the stored form: saving, loading and saving again
// gives the same bytes. (The loaded table numbers its character classes in stored order, so it is
// compared with a second load rather than with the compiled one.)
TEST(TSyntaxMemoParserCompile, CompiledTablesSurviveTheStoredForm)
{
    const std::string script = "%%language name = 'Round trip' case = __sensitive startstate = [0 2]\r\n"
                               "contextstates = (5 [2]) boundstates = 3 anchor = [0 5] tabcolumns = '5 9'\r\n"
                               "seltextcolor = [*] clRed GutterFontStyle [fsItalic] editablestyles ('A', 1)\r\n"
                               "%%words 'if' '[^a-z]' 7 [0 2] '#' '[0-9]' 11\r\n"
                               "%%kwTables forstate [3] endswith ' ' ( 8 is 'then', 'else' )\r\n"
                               "%%handlers 11 '[0-9]' '[^0-9]' 0 12 match (4) 13 2 * match (5) 1\r\n"
                               "%%tokens 2 __STD_IDENTIFIER ? 2 ( 3 '\"' 6 '\"' 1 4 '<' '[^>]' * '>' 1 [4] )\r\n"
                               "%%states 7 push ( +[2] -[0] ) pop %%containers 4 ( +[3] )\r\n"
                               "%%map 2 1 %%effects 1 [fsBold] clNavy clWhite * 'hotspot'\r\n"
                               "%%keys 13 ([ctrl] 'C') 'Copy' 17 ([ctrl] 'K', 'I') 'Indent'\r\n"
                               "%%autoreplace actionkeys = '\\{Tab}' 'teh' = 'the'\r\n"
                               "%%templates 'b' ('block') = 'begin\\nend;' hotkey = ([ctrl] 'J')\r\n";
    TSyntaxMemoParser first("P1");
    MemoryStream in(std::vector<uint8_t>(script.begin(), script.end()));
    first.compileScript(in, "");
    auto bytes = first.parser();

    TSyntaxMemoParser second("P2");
    second.setParser(bytes);
    EXPECT_EQ(second.parser(), bytes);
    TSyntaxMemoParser third("P3");
    third.setParser(second.parser());
    EXPECT_TRUE(third.table() == second.table());
    EXPECT_EQ(second.settings().keys.commandName(17), "Indent");
    EXPECT_TRUE(second.table().tokenValue(4)->container);
    EXPECT_EQ(second.table().stateTable(2)->count(), 2u);
}
