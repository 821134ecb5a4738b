#include "viewer/print/TRichTextWriter.h"

#include "common/MemoryStream.h"
#include "viewer/FakeScanner.h"
#include "viewer/print/ExportTestUtil.h"

#include <gtest/gtest.h>

namespace lrl {
namespace {

using test::exportSettings;
using test::loadBytes;
using test::loadStyled;

const std::string kHead = "{\\rtf1\\ansi\\ansicpg1252 \\deff1{\\fonttbl {\\f1 \\fnil Courier New;}}\r\n";
const std::string kTwoColors = "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;}\r\n";
const std::string kOpen = "{\\f1\\fs20\\cf0\\cb1 ";

std::string body(const std::string& rtf)
{
    size_t at = rtf.find(kOpen);
    return at == std::string::npos ? rtf : rtf.substr(at + kOpen.size());
}

class RichText : public ::testing::Test {
protected:
    RichText() { memo.setSettings(exportSettings()); }
    std::string rtf() { return TRichTextWriter().text(memo); }
    TCustomSyntaxMemo memo;
};

TEST_F(RichText, WritesRunsWithTheCommandsThatChangeAndEscapedCharacters)
{
    loadStyled(memo, "b\\x 'y'\r\n{z}\tq", "112 333022  1");
    memo.selectAll();
    EXPECT_EQ(rtf(),
        kHead
            + "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;"
              "\\red0\\green0\\blue255;\\red255\\green255\\blue0;}\r\n"
            + kOpen
            + "\\b1 \\cf2 b\\\\\\b0 \\i1 \\cf3 \\cb4 x\\i0 \\cf0 \\cb1  \\ul1 \\'27y\\'27\\ul0 \\line \r\n"
              "\\i1 \\cf3 \\cb4 \\{z\\i0 \\cf0 \\cb1 \\}\\tab \\b1 \\cf2 q\r\n}}");
}

TEST_F(RichText, EmptySelectionWritesHeadOneLineEndAndTrailer)
{
    memo.setSettings(TSM_Settings());
    loadBytes(memo, "abc\r\ndef");
    memo.setSelection(2, 2);
    EXPECT_EQ(rtf(), kHead + kTwoColors + kOpen + "\r\n}}");
    memo.clear();
    EXPECT_EQ(rtf(), kHead + kTwoColors + kOpen + "\r\n}}");
}

TEST_F(RichText, SelectionStartsAndEndsInsideLines)
{
    loadBytes(memo, "first\r\nsecond\r\nthird");
    memo.setSelection(2, 15); // "rst", CR, "second", CR, "th"
    EXPECT_EQ(body(rtf()), "rst\\line \r\nsecond\\line \r\nth\r\n}}");
    memo.setSelection(1, 3);
    EXPECT_EQ(body(rtf()), "ir\r\n}}");
}

TEST_F(RichText, SelectionEndingRightAfterALineEndStopsThere)
{
    loadBytes(memo, "ab\r\ncd\r\n");
    memo.setSelection(0, 3);
    EXPECT_EQ(body(rtf()), "ab\\line \r\n}}");
    memo.selectAll();
    EXPECT_EQ(body(rtf()), "ab\\line \r\ncd\\line \r\n}}");
}

TEST_F(RichText, ConsecutiveBoldRunsSwitchBoldOnOnce)
{
    // Token values 1 and 4 both show bold: 4 maps to a second bold style.
    TSM_Settings s = exportSettings();
    s.effects[4] = s.effects[1];
    s.map[4] = 4;
    memo.setSettings(s);
    loadStyled(memo, "ab;cd", "11411");
    memo.selectAll();
    EXPECT_EQ(body(rtf()), "\\b1 \\cf2 ab;cd\r\n}}");
}

TEST_F(RichText, StylesInTheDefaultColoursGiveTwoEntriesAndNoColourCommands)
{
    TSM_Settings s;
    s.effects[0].defined = true;
    for (int v = 1; v < 40; ++v) {
        s.effects[static_cast<size_t>(v)]
            = { TSM_Effect::Italic, 0x00FF00, 0x0000FF, true, true, false, true };
        s.map[static_cast<size_t>(v)] = static_cast<uint8_t>(v);
    }
    memo.setSettings(s);
    loadStyled(memo, "ab cd", "12 34");
    memo.selectAll();
    std::string out = rtf();
    EXPECT_EQ(out, kHead + kTwoColors + kOpen + "\\i1 ab\\i0  \\i1 cd\r\n}}");
}

TEST_F(RichText, ColourTableEntriesReadRedGreenBlueFromTheStoredBytes)
{
    TSM_Settings s;
    s.effects[1] = { 0, 16711680, 0x123456, false, false, false, true };
    memo.setSettings(s);
    loadBytes(memo, "x");
    EXPECT_NE(
        rtf().find("{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue255;"
                   "\\red86\\green52\\blue18;}"),
        std::string::npos);
}

TEST_F(RichText, UndefinedStylesAndSystemColoursInTheTable)
{
    TSM_Settings s; // style 0 in the window's colours, which resolve to black on white
    s.effects[5] = { 0, 0x00FF00, 0xFFFFFF, false, false, false, false }; // not defined: not in the table
    s.map[7] = 5;
    memo.setSettings(s);
    loadStyled(memo, "ab", "07");
    memo.selectAll();
    // The undefined style's green is in no entry: its run asks for entry 0 again.
    EXPECT_EQ(rtf(), kHead + kTwoColors + kOpen + "a\\cf0 b\r\n}}");
}

TEST_F(RichText, ColourTableStopsAt256Entries)
{
    TSM_Settings s;
    for (int v = 1; v < 256; ++v) {
        // 255 styles with two new colours each: 510 candidates for 254 free entries.
        s.effects[static_cast<size_t>(v)] = { 0, v, 0x010000 * v, false, false, false, true };
        s.map[static_cast<size_t>(v)] = static_cast<uint8_t>(v);
    }
    memo.setSettings(s);
    loadBytes(memo, "xyz");
    const uint8_t values[] = { 1, 127, 200 };
    memo.setLineAttrs(0, 0, values, sizeof values);
    memo.selectAll();
    std::string out = rtf();
    const size_t from = out.find("{\\colortbl");
    std::string table = out.substr(from, out.find("}\r\n", from) - from);
    size_t entries = 0;
    for (size_t at = table.find(';'); at != std::string::npos; at = table.find(';', at + 1))
        ++entries;
    EXPECT_EQ(entries, 256u);
    // Style 1 (entries 2 and 3) and style 127 (entries 254 and 255) made it; style 200 did not, so its
    // text goes to entry 0 and its background to entry 1.
    EXPECT_EQ(body(out), "\\cf2 \\cb3 x\\cf254 \\cb255 y\\cf0 \\cb1 z\r\n}}");
}

TEST_F(RichText, ALongLineKeepsItsPiecesTogether)
{
    std::string line(5000, 'a');
    loadBytes(memo, line + "\r\nb");
    ASSERT_EQ(memo.textStore().lineCount(), 4);
    memo.selectAll();
    EXPECT_TRUE(body(rtf()) == line + "\\line \r\nb\r\n}}");
}

TEST_F(RichText, FontFaceAndSizeComeFromTheViewerFont)
{
    memo.setTextFont({ "Mono {x}", 13, 1 });
    loadBytes(memo, "x");
    std::string out = rtf();
    EXPECT_EQ(out.substr(0, out.find("\r\n")), "{\\rtf1\\ansi\\ansicpg1252 \\deff1{\\fonttbl {\\f1 \\fnil Mono \\{x\\};}}");
    EXPECT_NE(out.find("{\\f1\\fs26\\cf0\\cb1 "), std::string::npos);
    memo.setTextFont({ "Mono", -12, 1 }); // 12 pixels: 9 points
    EXPECT_NE(rtf().find("{\\f1\\fs18\\cf0\\cb1 "), std::string::npos);
}

TEST_F(RichText, RescansBeforeWriting)
{
    test::FakeScanner scanner;
    TSM_Settings s = exportSettings();
    s.map[test::FakeScanner::kWord] = 1;
    s.map[test::FakeScanner::kComment] = 2;
    memo.setSettings(s);
    loadBytes(memo, "ab {c}");
    memo.setScanSource(&scanner);
    memo.selectAll();
    EXPECT_EQ(body(rtf()), "\\b1 \\cf2 ab\\b0 \\cf0  \\i1 \\cf3 \\cb4 \\{c\\}\r\n}}");
}

TEST_F(RichText, HighlightingOffWritesEverythingInTheDefaultStyle)
{
    loadStyled(memo, "ab", "12");
    TSyntaxMemoOptions o = memo.options();
    o.erase(smoSyntaxHighlight);
    memo.setOptions(o);
    memo.selectAll();
    EXPECT_EQ(body(rtf()), "ab\r\n}}");
}

TEST(RichTextEscape, EscapesControlsQuotesBracesAndHighCharacters)
{
    EXPECT_EQ(TRichTextWriter::escape(0), "");
    EXPECT_EQ(TRichTextWriter::escape('\t'), "\\tab ");
    EXPECT_EQ(TRichTextWriter::escape('\f'), "\\page ");
    EXPECT_EQ(TRichTextWriter::escape('\r'), "\\line ");
    EXPECT_EQ(TRichTextWriter::escape('\n'), "\\'0a");
    EXPECT_EQ(TRichTextWriter::escape(1), "\\'01");
    EXPECT_EQ(TRichTextWriter::escape('\''), "\\'27");
    EXPECT_EQ(TRichTextWriter::escape('\\'), "\\\\");
    EXPECT_EQ(TRichTextWriter::escape('{'), "\\{");
    EXPECT_EQ(TRichTextWriter::escape('}'), "\\}");
    EXPECT_EQ(TRichTextWriter::escape(233), "\\u233\\'e9");
    EXPECT_EQ(TRichTextWriter::escape(128), "\\u8364\\'80");
    EXPECT_EQ(TRichTextWriter::escape(0xC6, 1251), "\\u1046\\'c6");
    EXPECT_EQ(TRichTextWriter::escape(0xAA, 1253), "\\u-3\\'aa"); // U+FFFD as a signed 16-bit number
    EXPECT_EQ(TRichTextWriter::escape(127), "\x7f");
    EXPECT_EQ(TRichTextWriter::escape('"'), "\"");
    EXPECT_EQ(TRichTextWriter::escape('~'), "~");
}

// Every fixture's characters reach the rich text as Unicode escapes, with its code page in the header.
TEST_F(RichText, FixturesWriteTheirCharactersWhateverTheEncoding)
{
    struct Case {
        const char* file;
        int codePage;
        const char* line; // the escaped form of the fixture's fifth line
    };
    const std::string umlauts = "// Preis in \\u8364\\'80: \\u228\\'e4\\u246\\'f6\\u252\\'fc\\line ";
    for (const Case& c : { Case { "cp1252.pas", 1252, umlauts.c_str() }, Case { "utf8-bom.pas", 1252, umlauts.c_str() },
             Case { "utf8.pas", 1252, umlauts.c_str() }, Case { "utf16le-bom.pas", 1252, umlauts.c_str() },
             Case { "utf8-cyrillic.pas", 1251,
                 "// \\u1046\\'c6\\u1105\\'b8\\u1083\\'eb\\u1090\\'f2\\u1099\\'fb\\u1081\\'e9 "
                 "\\u1090\\'f2\\u1077\\'e5\\u1082\\'ea\\u1089\\'f1\\u1090\\'f2\\line " } }) {
        memo.loadFromFile(std::string(LRL_TEST_DATA_DIR "/encoding/") + c.file);
        memo.selectAll();
        std::string out = rtf();
        EXPECT_EQ(out.rfind("{\\rtf1\\ansi\\ansicpg" + std::to_string(c.codePage) + " ", 0), 0u) << c.file;
        EXPECT_NE(out.find(c.line), std::string::npos) << c.file << "\n" << out;
    }
    // Greek mixed with Cyrillic: the Greek in 1253, the Cyrillic the page lacks as "?".
    memo.loadFromFile(LRL_TEST_DATA_DIR "/encoding/utf8-greek-cyrillic.pas");
    memo.selectAll();
    std::string out = rtf();
    EXPECT_EQ(out.rfind("{\\rtf1\\ansi\\ansicpg1253 ", 0), 0u);
    EXPECT_NE(out.find("// \\u917\\'c5\\u955\\'eb"), std::string::npos) << out;
    EXPECT_NE(out.find(" ???\\line "), std::string::npos) << out;
}

} // namespace
} // namespace lrl
