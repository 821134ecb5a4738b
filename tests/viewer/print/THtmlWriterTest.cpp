#include "viewer/print/THtmlWriter.h"

#include "viewer/print/ExportTestUtil.h"

#include <gtest/gtest.h>

namespace lrl {
namespace {

using test::exportSettings;
using test::fixedEnvironment;
using test::loadBytes;
using test::loadStyled;

const std::string kOpen = "<PRE><FONT FACE=\"Courier New\">\r\n";
const std::string kTrailer = "</PRE></FONT></BODY></HTML>\r\n";

std::string head(const std::string& title, const std::string& text, const std::string& back)
{
    return "<HTML><HEAD>\r\n"
           "<META NAME=\"Generator\" CONTENT=\"TCustomSyntaxMemo - listrel@corvane.example\">\r\n"
           "<TITLE>"
        + title
        + "</TITLE>\r\n"
          "<META NAME=\"Date\" CONTENT=\"08/12/2026\">\r\n"
          "</HEAD>\r\n"
          "<BODY TEXT=\"#"
        + text + "\" BGCOLOR=\"#" + back + "\">\r\n" + kOpen;
}

std::string body(const std::string& html)
{
    size_t at = html.find(kOpen);
    return at == std::string::npos ? html : html.substr(at + kOpen.size());
}

class Html : public ::testing::Test {
protected:
    Html() { memo.setSettings(exportSettings()); }
    std::string html() { return THtmlWriter(fixedEnvironment()).text(memo); }
    TCustomSyntaxMemo memo;
};

TEST_F(Html, WritesColourChangesAndFontStyleTagsPerRun)
{
    loadStyled(memo, "b\\x 'y'\r\n{z}\tq", "112 333022  1");
    memo.setTitle("unit1.pas");
    memo.selectAll();
    EXPECT_EQ(html(),
        head("unit1.pas", "000000", "ffffff")
            + "</FONT><FONT COLOR=\"#ff0000\"><B>b\\</FONT><FONT COLOR=\"#0000ff\"></B><I>x"
              "</FONT><FONT COLOR=\"#000000\"></I> <U>'y'</U>\r\n"
              "</FONT><FONT COLOR=\"#0000ff\"><I>{z</FONT><FONT COLOR=\"#000000\"></I>}&nbsp;"
              "</FONT><FONT COLOR=\"#ff0000\"><B>q\r\n"
            + kTrailer);
}

TEST_F(Html, EmptySelectionWritesHeadOneLineEndAndTrailer)
{
    loadBytes(memo, "abc");
    memo.setSelection(1, 1);
    EXPECT_EQ(html(), head("", "000000", "ffffff") + "\r\n" + kTrailer);
}

TEST_F(Html, BodyColoursAreTheDefaultStyleInRedGreenBlueOrder)
{
    TSM_Settings s;
    s.effects[0] = { 0, 255, 0x563412, false, false, false, true };
    memo.setSettings(s);
    loadBytes(memo, "x");
    EXPECT_NE(html().find("<BODY TEXT=\"#ff0000\" BGCOLOR=\"#123456\">"), std::string::npos);
}

TEST_F(Html, SystemColoursAreWrittenAsTheirCurrentValues)
{
    memo.setSettings(TSM_Settings()); // the window's text and background colours
    loadBytes(memo, "x");
    TExportEnvironment env = fixedEnvironment();
    env.resolveColor = [](int32_t c) { return c < 0 ? 0x00332211 : c; };
    std::string out = THtmlWriter(env).text(memo);
    EXPECT_NE(out.find("<BODY TEXT=\"#112233\" BGCOLOR=\"#112233\">"), std::string::npos);
}

TEST_F(Html, SelectionInsideLinesAndLongLines)
{
    std::string line(3000, 'a');
    loadBytes(memo, "first\r\n" + line + "\r\nthird");
    memo.setSelection(2, 6 + 3001 + 2); // "rst", CR, the long line, CR, "th"
    EXPECT_TRUE(body(html()) == "rst\r\n" + line + "\r\nth\r\n" + kTrailer);
}

TEST_F(Html, TitleAndFaceAreEscaped)
{
    memo.setTitle("a<b>&\"c\".pas");
    memo.setTextFont({ "Font & Co", 10, 1 });
    loadBytes(memo, "x");
    std::string out = html();
    EXPECT_NE(out.find("<TITLE>a&lt;b&gt;&amp;&quot;c&quot;.pas</TITLE>"), std::string::npos);
    EXPECT_NE(out.find("<FONT FACE=\"Font &amp; Co\">"), std::string::npos);
}

TEST_F(Html, NodesWithoutTokenValuesGetNoTags)
{
    loadBytes(memo, "a<b\r\nc");
    memo.selectAll();
    EXPECT_EQ(body(html()), "a&lt;b\r\nc\r\n" + kTrailer);
}

TEST(HtmlEscape, DropsControlsAndWritesEntitiesAndCharacterReferences)
{
    EXPECT_EQ(THtmlWriter::escape(0), "");
    EXPECT_EQ(THtmlWriter::escape(8), "");
    EXPECT_EQ(THtmlWriter::escape('\r'), "");
    EXPECT_EQ(THtmlWriter::escape('\n'), "");
    EXPECT_EQ(THtmlWriter::escape(31), "");
    EXPECT_EQ(THtmlWriter::escape('\t'), "&nbsp;");
    EXPECT_EQ(THtmlWriter::escape(160), "&nbsp;");
    EXPECT_EQ(THtmlWriter::escape('"'), "&quot;");
    EXPECT_EQ(THtmlWriter::escape('<'), "&lt;");
    EXPECT_EQ(THtmlWriter::escape('>'), "&gt;");
    EXPECT_EQ(THtmlWriter::escape('&'), "&amp;");
    EXPECT_EQ(THtmlWriter::escape(233), "&#233;");
    EXPECT_EQ(THtmlWriter::escape(128), "&#8364;"); // the character, not the byte
    EXPECT_EQ(THtmlWriter::escape(255), "&#255;");
    EXPECT_EQ(THtmlWriter::escape('\''), "'");
    EXPECT_EQ(THtmlWriter::escape('{'), "{");
}

TEST(HtmlHex, SwapsRedAndBlueAndDropsTheHighByte)
{
    THtmlWriter writer;
    EXPECT_EQ(writer.hex(0x0000FF), "ff0000");
    EXPECT_EQ(writer.hex(0xFF0000), "0000ff");
    EXPECT_EQ(writer.hex(0x02123456), "563412");
    EXPECT_EQ(writer.hex(TSM_Settings::clWindowText), "000000");
    EXPECT_EQ(writer.hex(static_cast<int32_t>(0x80000005u)), "ffffff");
}

// Every fixture's characters reach the page as references to their Unicode characters.
TEST(THtmlWriter, FixturesWriteTheirCharactersWhateverTheEncoding)
{
    struct Case {
        const char* file;
        const char* line;
    };
    const char* umlauts = "// Preis in &#8364;: &#228;&#246;&#252;\r\n";
    for (const Case& c : { Case { "cp1252.pas", umlauts }, Case { "utf8-bom.pas", umlauts }, Case { "utf8.pas", umlauts },
             Case { "utf16le-bom.pas", umlauts },
             Case { "utf8-cyrillic.pas", "// &#1046;&#1105;&#1083;&#1090;&#1099;&#1081; &#1090;&#1077;&#1082;&#1089;&#1090;\r\n" },
             Case { "utf8-greek-cyrillic.pas", "// &#917;&#955;&#955;&#951;&#957;&#953;&#954;&#940; &#954;&#945;&#953; ???\r\n" } }) {
        TCustomSyntaxMemo memo;
        memo.setSettings(exportSettings());
        memo.loadFromFile(std::string(LRL_TEST_DATA_DIR "/encoding/") + c.file);
        memo.selectAll();
        std::string out = THtmlWriter(fixedEnvironment()).text(memo);
        EXPECT_NE(out.find(c.line), std::string::npos) << c.file << "\n" << out;
    }
}

} // namespace
} // namespace lrl
