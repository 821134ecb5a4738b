#include "cli/CliCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace lrl;
using namespace lrl::cli;

namespace {

const std::string kData = LRL_TEST_DATA_DIR "/encoding/";

// What the command writes to standard output.
std::string run(const std::string& name, const std::vector<std::string>& args)
{
    for (const CliCommand& c : cliCommands()) {
        if (c.name != name)
            continue;
        testing::internal::CaptureStdout();
        try {
            c.run(args);
        } catch (...) {
            std::fflush(stdout);
            testing::internal::GetCapturedStdout();
            throw;
        }
        std::fflush(stdout);
        return testing::internal::GetCapturedStdout();
    }
    ADD_FAILURE() << "no command " << name;
    return {};
}

} // namespace

// Whatever the file's encoding, the texts on standard output are UTF-8.
TEST(CliEncoding, TreeCaptionsAndStatusTextsAreUtf8)
{
    for (const char* file : { "cp1252.pas", "utf8-bom.pas", "utf8.pas", "utf16le-bom.pas" }) {
        std::string out = run("tree", { kData + file });
        EXPECT_NE(out.find("    Gr\xC3\xBC\xC3\x9F" "e [5/6] @88\n"), std::string::npos) << file << "\n" << out;
    }
    EXPECT_NE(run("tree", { kData + "utf8-greek-cyrillic.pas" }).find("bytes  UTF-8, 3 characters replaced\n"),
        std::string::npos);
    // The legacy code page names what bytes in no Unicode form mean.
    EXPECT_NE(run("tree", { "--codepage", "1251", kData + "invalid-utf8.pas" }).find("bytes  Windows-1251\n"),
        std::string::npos);
    EXPECT_THROW(run("tree", { "--codepage", "437", kData + "ascii.pas" }), UsageError);
}

TEST(CliEncoding, TokenTextsAreUtf8)
{
    std::string out = run("tokens", { "--text", kData + "utf8-cyrillic.pas" });
    EXPECT_NE(out.find(" 3 '\xD0\x96\xD1\x83\xD0\xBA'\n"), std::string::npos) << out; // the string 'Жук'
    EXPECT_NE(out.find(" 61 \\n\n"), std::string::npos); // a line end, kept on its line
    // The same bytes read in another legacy page are other characters.
    std::string legacy = run("tokens", { "--text", "--codepage", "1250", kData + "invalid-utf8.pas" });
    EXPECT_NE(legacy.find(" 3 '\xC3\xA4'\n"), std::string::npos) << legacy; // 0xE4 is "ä" in 1250 too
}

TEST(CliEncoding, FindTakesAUtf8PatternIntoTheFilesCodePage)
{
    EXPECT_EQ(run("find", { "\xD0\x96\xD1\x83\xD0\xBA", kData + "utf8-cyrillic.pas" }), "115 3\n");
    // A character the file's page lacks is found nowhere, also not as the "?" of a replaced one.
    EXPECT_EQ(run("find", { "\xC3\xA4", kData + "utf8-cyrillic.pas" }), "");
    EXPECT_EQ(run("find", { "\xD0\x96", kData + "utf8-greek-cyrillic.pas" }), "");
}

TEST(CliEncoding, ConvertFormWritesUtf8)
{
    test::TempDir dir;
    std::string text = dir.write("Text.dfm", "object F: TF\r\n  Caption = 'Gr\xFC\xDF" "e'\r\nend\r\n");
    EXPECT_EQ(run("convert-form", { text }), "object F: TF\r\n  Caption = 'Gr\xC3\xBC\xC3\x9F" "e'\r\nend\r\n");
    std::string binary = dir.write("Bin.dfm",
        std::string("\xFF\x0A\x00" "F\x00" "\x30\x10\x00\x00\x00\x00" "TPF0\x02TF\x01" "F"
                    "\x07" "Caption\x06\x02\xC6\xE6\x00\x00",
            34));
    EXPECT_EQ(run("convert-form", { "--codepage", "1251", binary }), "object F: TF\r\n  Caption = '\xD0\x96\xD0\xB6'\r\nend\r\n");
}

TEST(CliEncoding, ExportDetectsTheEncoding)
{
    std::string rtf = run("export", { "--rtf", kData + "utf8-cyrillic.pas" });
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1251 ", 0), 0u);
    EXPECT_NE(rtf.find("\\u1046\\'c6"), std::string::npos);
    std::string html = run("export", { "--html", kData + "utf8-bom.pas" });
    EXPECT_NE(html.find("&#8364;&#228;&#246;&#252;"), std::string::npos);
    EXPECT_EQ(html.find("&#239;&#187;&#191;"), std::string::npos); // no byte-order mark in the text
}
