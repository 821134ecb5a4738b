// listrel-cli print, run as a program without a display: the PDF it writes, read back with pdftotext.

#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using lrl::test::TempDir;
namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& s) { return "'" + s + "'"; }

using Result = lrl::test::CommandResult;

Result shell(const std::string& command) { return lrl::test::runCommand(command + " 2>&1"); }

// Runs the tool with neither a display nor a platform named.
Result print(const std::string& args)
{
    return shell(
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + quoted(LRL_CLI_PATH) + " print " + args);
}

std::vector<std::string> pdfPages(const std::string& path)
{
    std::string text = shell("pdftotext -layout " + quoted(path) + " -").out;
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
        pages.push_back(text.substr(start, ff - start));
    return pages;
}

std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

// Whether `needles` appear in `hay` in order (not necessarily next to each other).
bool inOrder(
    const std::vector<std::string>& hay, const std::vector<std::string>& needles, std::string& missing)
{
    size_t at = 0;
    for (const std::string& n : needles) {
        while (at < hay.size() && hay[at] != n)
            ++at;
        if (at == hay.size()) {
            missing = n;
            return false;
        }
        ++at;
    }
    return true;
}

std::string today()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

// Lines of words that say where they come from ("l12w3"), some long, some with TABs.
std::string generatedSource(int lines, std::vector<std::string>& tokens)
{
    std::string text;
    for (int i = 1; i <= lines; ++i) {
        int n = i % 23 == 0 ? 60 : 1 + i % 9;
        for (int k = 1; k <= n; ++k) {
            std::string w = "l" + std::to_string(i) + "w" + std::to_string(k);
            tokens.push_back(w);
            text += w + (k % 4 == 0 ? "\t" : " ");
        }
        text += "\r\n";
    }
    return text;
}

} // namespace

TEST(CmdPrint, AGeneratedFileReadsBackWholeWithNumbersFootersTitleAndDate)
{
    TempDir dir;
    std::vector<std::string> tokens;
    const std::string source = dir.write("Gen.pas", generatedSource(400, tokens));
    const std::string pdf = (dir.path() / "gen.pdf").string();
    Result r = print("--pdf " + quoted(pdf) + " --line-numbers --wrap " + quoted(source));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_FALSE(fs::exists(pdf + ".part"));

    const std::vector<std::string> pages = pdfPages(pdf);
    ASSERT_GT(pages.size(), 3u);
    std::vector<std::string> all;
    std::vector<std::string> numbers;
    for (size_t n = 0; n < pages.size(); ++n) {
        EXPECT_NE(pages[n].find(source), std::string::npos) << "title on page " << n + 1;
        EXPECT_NE(pages[n].find(today() + " - "), std::string::npos) << "date on page " << n + 1;
        EXPECT_NE(pages[n].find("- " + std::to_string(n + 1) + " -"), std::string::npos)
            << "footer " << n + 1;
        for (const std::string& w : words(pages[n])) {
            all.push_back(w);
            if (w.size() > 1 && w.back() == ':' && w.find_first_not_of("0123456789") == w.size() - 1)
                numbers.push_back(w);
        }
    }
    std::string missing;
    EXPECT_TRUE(inOrder(all, tokens, missing)) << "lost or out of order: " << missing;
    // Numbers on the first row of each line only: 1 to 400, once each.
    ASSERT_EQ(numbers.size(), 400u);
    for (int i = 0; i < 400; ++i)
        EXPECT_EQ(numbers[static_cast<size_t>(i)], std::to_string(i + 1) + ":");
    EXPECT_NE(pages[0].find("     1:"), std::string::npos);
}

TEST(CmdPrint, TheSampleUnitReadsBackLineByLine)
{
    TempDir dir;
    const std::string unit = std::string(LRL_SOURCE_DIR) + "/examples/Sample/Main.pas";
    const std::string pdf = (dir.path() / "main.pdf").string();
    Result r = print("--pdf " + quoted(pdf) + " --wrap --no-date " + quoted(unit));
    ASSERT_EQ(r.status, 0) << r.out;
    std::vector<std::string> all;
    for (const std::string& page : pdfPages(pdf)) {
        EXPECT_EQ(page.find(today() + " - "), std::string::npos) << "--no-date";
        for (const std::string& w : words(page))
            all.push_back(w);
    }
    std::ifstream in(unit, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string missing;
    EXPECT_TRUE(inOrder(all, words(text), missing)) << "lost or out of order: " << missing;

    // A binary form prints as its text form.
    const std::string form = (dir.path() / "form.pdf").string();
    ASSERT_EQ(print("--pdf " + quoted(form) + " "
                  + quoted(std::string(LRL_SOURCE_DIR) + "/examples/Sample/About.dfm"))
                  .status,
        0);
    EXPECT_NE(pdfPages(form).at(0).find("object AboutBox: TAboutBox"), std::string::npos);
}

TEST(CmdPrint, WithoutWrapOnlyTheRightEdgeIsCut)
{
    TempDir dir;
    std::string longLine;
    for (int k = 0; k < 100; ++k)
        longLine += "word" + std::to_string(k) + " ";
    const std::string source = dir.write("Long.pas", "first\r\n" + longLine + "\r\nlast\r\n");
    const std::string pdf = (dir.path() / "long.pdf").string();
    ASSERT_EQ(print("--pdf " + quoted(pdf) + " --no-header --no-page-numbers " + quoted(source)).status, 0);
    std::vector<std::string> w = words(pdfPages(pdf).at(0));
    std::string missing;
    EXPECT_TRUE(inOrder(w, { "first", "word0", "word1", "word2", "word3", "word4", "last" }, missing))
        << missing;
    EXPECT_EQ(std::find(w.begin(), w.end(), "word99"), w.end());
    EXPECT_EQ(std::find(w.begin(), w.end(), "1"), w.end()) << "no page number";
}

TEST(CmdPrint, LinesPrintsTheRangeNumberedAsInTheFile)
{
    TempDir dir;
    std::vector<std::string> tokens;
    const std::string source = dir.write("Gen.pas", generatedSource(20, tokens));
    const std::string pdf = (dir.path() / "lines.pdf").string();
    Result r = print(
        "--pdf " + quoted(pdf) + " --line-numbers --lines 5-7 --paper Letter --landscape " + quoted(source));
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<std::string> pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    std::vector<std::string> w = words(pages[0]);
    std::string missing;
    EXPECT_TRUE(inOrder(w, { "5:", "l5w1", "6:", "l6w1", "7:", "l7w1" }, missing)) << missing;
    EXPECT_EQ(pages[0].find("l4w1"), std::string::npos);
    EXPECT_EQ(pages[0].find("l8w1"), std::string::npos);
    EXPECT_NE(shell("pdfinfo " + quoted(pdf)).out.find("792 x 612 pts"), std::string::npos)
        << "Letter, landscape";
}

TEST(CmdPrint, ErrorsLeaveNoFileBehind)
{
    TempDir dir;
    const std::string source = dir.write("A.pas", "unit A;\r\n");
    const std::string pdf = (dir.path() / "a.pdf").string();

    Result missing = print("--pdf " + quoted(pdf) + " " + quoted((dir.path() / "none.pas").string()));
    EXPECT_EQ(missing.status, 1) << missing.out;
    EXPECT_NE(missing.out.find("none.pas"), std::string::npos) << missing.out;

    const std::string unwritable = (dir.path() / "no-such-folder" / "a.pdf").string();
    Result cannot = print("--pdf " + quoted(unwritable) + " " + quoted(source));
    EXPECT_EQ(cannot.status, 1);
    EXPECT_NE(cannot.out.find("Cannot create file"), std::string::npos) << cannot.out;

    Result beyond = print("--pdf " + quoted(pdf) + " --lines 5-9 " + quoted(source));
    EXPECT_EQ(beyond.status, 1);

    for (const std::string& bad :
        { std::string("--paper A3"), std::string("--margins 1,2,3"), std::string("--margins 1,x,1,1"),
            std::string("--lines 7-5"), std::string("--lines 0-2"), std::string("--bogus") }) {
        Result usage = print("--pdf " + quoted(pdf) + " " + bad + " " + quoted(source));
        EXPECT_EQ(usage.status, 2) << bad << ": " << usage.out;
        EXPECT_NE(usage.out.find("usage: listrel-cli print"), std::string::npos) << bad;
    }
    EXPECT_EQ(print(quoted(source)).status, 2) << "--pdf is required";
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().extension(), ".pas") << entry.path();
}

// A file prints in the characters it holds, whatever its encoding, and never with a byte-order mark.
TEST(CmdPrint, EveryEncodingPrintsItsOwnCharacters)
{
    struct Case {
        const char* file;
        const char* line;
    };
    const Case cases[] = {
        { "cp1252.pas", "// Preis in \u20AC: \u00E4\u00F6\u00FC" },
        { "utf8-bom.pas", "// Preis in \u20AC: \u00E4\u00F6\u00FC" },
        { "utf8.pas", "procedure Gr\u00FC\u00DFe;" },
        { "utf16le-bom.pas", "// Preis in \u20AC: \u00E4\u00F6\u00FC" },
        { "utf8-cyrillic.pas", "// \u0416\u0451\u043B\u0442\u044B\u0439 \u0442\u0435\u043A\u0441\u0442" },
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string pdf = (dir.path() / (std::string(c.file) + ".pdf")).string();
        Result r = print(
            "--pdf " + quoted(pdf) + " " + quoted(std::string(LRL_TEST_DATA_DIR) + "/encoding/" + c.file));
        ASSERT_EQ(r.status, 0) << c.file << ": " << r.out;
        const std::string page = pdfPages(pdf).at(0);
        EXPECT_NE(page.find(c.line), std::string::npos) << c.file << "\n" << page;
        EXPECT_EQ(page.find("\xEF\xBB\xBF"), std::string::npos) << c.file;
    }
}
