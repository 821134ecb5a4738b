#include "browser/FormFileDisplay.h"
#include "common/CodePage.h"
#include "common/Exception.h"
#include "support/FakePascalViewer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::FakePascalViewer;
using lrl::test::readFile;
using lrl::test::TempDir;
using lrl::test::toViewerText;

namespace {

const std::filesystem::path kSample = std::filesystem::path(LRL_SOURCE_DIR) / "examples";

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "|";
    return text;
}

// The message a failure with `message` shows.
std::string errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.message();
    }
    return "(no error)";
}

} // namespace

TEST(FormFileDisplay, SplitLinesTakesEveryLineEnd)
{
    EXPECT_EQ(joined(splitLines("a\r\nb\rc\nd")), "a|b|c|d|");
    EXPECT_EQ(joined(splitLines("a\r\n\r\n")), "a||");
    EXPECT_EQ(joined(splitLines("")), "");
}

TEST(FormFileDisplay, BinaryDataBecomesOneNote)
{
    std::vector<std::string> lines { "object Image1: TImage", "  Picture.Data = {", "    0A0B0C", "    0D0E}",
        "  Left = 8", "  Glyph.Data = {0102}", "end" };
    EXPECT_EQ(joined(suppressBinaryData(lines)),
        "object Image1: TImage|  Picture.Data = { BINARY DATA SUPPRESSED }|  Left = 8|"
        "  Glyph.Data = { BINARY DATA SUPPRESSED }|end|");
}

// Braces inside quoted strings are no binary data: such lines are shown as they are, and the lines after
// them too (a caption with "{" must not hide the rest of the form, nor one with "}" its own line).
TEST(FormFileDisplay, BracesInStringsAreKept)
{
    std::vector<std::string> lines { "  Caption = 'a}'", "  Hint = 'it''s {x'", "  Tag = 1", "end" };
    EXPECT_EQ(joined(suppressBinaryData(lines)), joined(lines));
}

TEST(FormFileDisplay, BinaryFormIsShownAsItsText)
{
    FakePascalViewer viewer;
    convertFormFile((kSample / "Sample/About.dfm").string(), viewer, false);
    // The viewer is given the text form as UTF-8 (the source is Windows-1252).
    EXPECT_EQ(viewer.text(), toViewerText(CodePage::of(1252).toUtf8(readFile(kSample / "FormSources/About.txt"))));
    EXPECT_EQ(viewer.text().rfind("object AboutBox: TAboutBox\r", 0), 0u);
}

TEST(FormFileDisplay, SuppressedBinaryFormHasNoHexLines)
{
    FakePascalViewer viewer;
    convertFormFile((kSample / "Sample/About.dfm").string(), viewer, true);
    EXPECT_NE(viewer.text().find("\r      Picture.Data = { BINARY DATA SUPPRESSED }\r      Stretch = True\r"),
        std::string::npos);
    EXPECT_EQ(viewer.text().find("07544269746D6170"), std::string::npos);
    EXPECT_EQ(viewer.caret, 0);

    convertFormFile((kSample / "Sample/Options.dfm").string(), viewer, true);
    EXPECT_NE(viewer.text().find("Glyph.Data = { BINARY DATA SUPPRESSED }\r"), std::string::npos);
}

// A text form is told by its first letter and shown unchanged, also with suppression (it has no data).
TEST(FormFileDisplay, TextFormIsShownAsItIs)
{
    FakePascalViewer viewer;
    std::filesystem::path main = kSample / "Sample/Main.dfm";
    convertFormFile(main.string(), viewer, false);
    EXPECT_EQ(viewer.text(), toViewerText(readFile(main)));
    convertFormFile(main.string(), viewer, true);
    EXPECT_EQ(viewer.text(), toViewerText(readFile(main)));
}

TEST(FormFileDisplay, FailuresKeepTheViewerAndNameTheCause)
{
    TempDir dir;
    FakePascalViewer viewer;
    viewer.loadText("before");
    std::string bare = dir.write("Bare.dfm",
        std::string("TPF0\x06TForm1\x05"
                    "Form1\x00\x00",
            16));
    EXPECT_EQ(errorOf([&] { convertFormFile(bare, viewer, true); }),
        "An error occured: Invalid stream format\r\n\r\nThe Delphi file is not a binary Form File (DFM).");
    std::string other = dir.write("Other.dfm", "<form/>");
    EXPECT_EQ(errorOf([&] { convertFormFile(other, viewer, false); }).rfind("An error occured: ", 0), 0u);
    std::string missing
        = errorOf([&] { convertFormFile((dir.path() / "Gone.dfm").string(), viewer, false); });
    EXPECT_EQ(missing.rfind("An error occured: ", 0), 0u);
    EXPECT_NE(missing.find("\r\n\r\nThe Delphi file is not a binary Form File (DFM)."), std::string::npos);
    EXPECT_EQ(viewer.text(), "before");
}
