// The browser reading files through a real viewer bound to the shipped scheme, as the window does.

#include "RecordingUi.h"

#include "browser/FormFileDisplay.h"
#include "browser/ProjectBrowser.h"
#include "browser/SyntaxMemoBrowserViewer.h"
#include "browser/TreeDump.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "support/FakePascalViewer.h"
#include "support/ShippedPascalViewer.h"
#include "support/TempDir.h"
#include "viewer/TCustomSyntaxMemo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace lrl;
using lrl::test::FakePascalViewer;
using lrl::test::offsetAfter;
using lrl::test::RecordingUi;
using lrl::test::TempDir;

namespace {

using RealViewer = test::ShippedPascalViewer;

std::string sampleProject() { return std::string(LRL_SOURCE_DIR) + "/examples/Sample/Sample.dpr"; }

std::string treeOf(BrowserViewer& viewer, const std::string& path, bool forms, bool options)
{
    RecordingUi ui;
    TempDir dir;
    ProjectBrowser browser(viewer, ui, (dir.path() / "info.dat").string());
    browser.settings().ShFrm = forms;
    browser.settings().ShOpt = options;
    browser.openFile(path);
    return formatTree(browser.tree());
}

} // namespace

// The stand-in scanner of the other tests and the shipped scheme must agree on everything the reading
// relies on: the same tree with the same routine offsets for the whole sample project.
TEST(SyntaxMemoBrowserViewer, SampleProjectReadsAsWithTheStandInScanner)
{
    RealViewer real;
    FakePascalViewer fake;
    for (bool forms : { false, true }) {
        std::string expected = treeOf(fake, sampleProject(), forms, forms);
        std::string actual = treeOf(real.adapter, sampleProject(), forms, forms);
        EXPECT_EQ(actual, expected) << "forms and options " << forms;
        EXPECT_NE(actual.find("TfrmMain"), std::string::npos);
    }
}

// Lines longer than a line node are stored in pieces; token texts and offsets run on across them.
TEST(SyntaxMemoBrowserViewer, TokensAcrossLongLinePiecesKeepTheirTextAndOffsets)
{
    TempDir dir;
    std::string longLine = "  S := '" + std::string(5000, 'x') + "';";
    std::string unit = "unit Long;\r\ninterface\r\nimplementation\r\nprocedure First;\r\nbegin\r\n" + longLine
        + "\r\nend;\r\nprocedure TLong.Second;\r\nbegin\r\nend;\r\nend.\r\n";
    std::string path = dir.write("Long.pas", unit);

    RealViewer real;
    RecordingUi ui;
    ProjectBrowser browser(real.adapter, ui, (dir.path() / "info.dat").string());
    browser.openFile(path);

    std::string viewerText = lrl::test::toViewerText(unit);
    EXPECT_EQ(formatTree(browser.tree()),
        "Long.pas [3/4]\n"
        "  Proc/Func [20/21]\n"
        "    First [5/6] @"
            + std::to_string(offsetAfter(viewerText, "procedure First", "procedure"))
            + "\n"
              "  TLong [18/19]\n"
              "    Second [5/6] @"
            + std::to_string(offsetAfter(viewerText, "procedure TLong", "procedure")) + "\n");
    // The long string was read back whole from its pieces.
    int32_t start = static_cast<int32_t>(viewerText.find('\''));
    EXPECT_EQ(real.adapter.tokenText(start, start + 5002), "'" + std::string(5000, 'x') + "'");
    // The long line counts once, in pieces or cut into rows by word wrap.
    EXPECT_EQ(ui.status[StatusPanel::Panel4], "Long.pas... 11 lines ");
    real.adapter.setWordWrap(true);
    browser.showFileStatus(browser.tree().firstNode(), "Long.pas");
    EXPECT_EQ(ui.status[StatusPanel::Panel4], "Long.pas... 11 lines ");
}

TEST(SyntaxMemoBrowserViewer, OpenLeavesTheViewerAsItFoundIt)
{
    TempDir dir;
    std::string path
        = dir.write("U.pas", "unit U;\r\nimplementation\r\nprocedure P;\r\nbegin\r\nend;\r\nend.\r\n");
    RealViewer real;
    RecordingUi ui;
    ProjectBrowser browser(real.adapter, ui, (dir.path() / "info.dat").string());
    browser.settings().WrdWrp = true;
    browser.openFile(path);

    EXPECT_FALSE(real.memo.OnTokenSeen) << "the token notification is installed only during a load";
    EXPECT_TRUE(real.memo.redraw()) << "line updates resumed";
    EXPECT_TRUE(real.memo.options().has(smoWordWrap)) << "word wrap restored from the settings";
    EXPECT_EQ(real.memo.text().substr(0, 7), "unit U;");
}

// More than 10000 lines show the progress bar while the text is read; it is hidden again afterwards.
TEST(SyntaxMemoBrowserViewer, BigTextShowsProgressWhileItIsRead)
{
    TempDir dir;
    std::string text = "unit Big;\r\ninterface\r\nimplementation\r\n";
    for (int i = 0; i < 10050; ++i)
        text += "// line " + std::to_string(i) + "\r\n";
    text += "procedure Last;\r\nbegin\r\nend;\r\nend.\r\n";
    std::string path = dir.write("Big.pas", text);

    RealViewer real;
    RecordingUi ui;
    ProjectBrowser browser(real.adapter, ui, (dir.path() / "info.dat").string());
    browser.openFile(path);

    EXPECT_TRUE(ui.progressShown);
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_NE(formatTree(browser.tree()).find("Last [5/6]"), std::string::npos);
}

// A shown selection stands a few lines below the top of the view: fewer in a short view, and near the
// end of the text the view stays full rather than showing rows past the last line.
TEST(SyntaxMemoBrowserViewer, ShownSelectionStandsNearTheTop)
{
    RealViewer real;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    real.adapter.loadText(text);
    const int lines = real.memo.textStore().lineCount();
    struct Case {
        int rows, line, top;
    };
    const Case cases[] = {
        { 20, 50, 50 - SyntaxMemoBrowserViewer::kLinesAboveTop },
        { 20, 1, 0 },
        { 5, 50, 49 }, // one line above in a view of five rows
        { 1, 50, 50 },
        { 20, 98, lines - 20 },
    };
    for (const Case& c : cases) {
        real.memo.setTopLine(0);
        real.memo.setRowsInWindow(c.rows);
        int32_t start = real.memo.lineIndex(c.line);
        real.adapter.showSelectionNearTop(start, start + 4);
        EXPECT_EQ(real.memo.topLine(), c.top) << c.rows << " rows, line " << c.line;
        EXPECT_EQ(real.memo.selText(), "line") << c.line;
        EXPECT_FALSE(real.memo.hideSelection()) << "drawn while the tree has the focus";
    }
}

// The tree shows routine names in their characters, whatever the unit's encoding.
TEST(SyntaxMemoBrowserViewer, RoutineNamesKeepTheirCharactersInEveryEncoding)
{
    const std::string dir = std::string(LRL_TEST_DATA_DIR) + "/encoding/";
    const std::string umlaut = "    Gr\xC3\xBC\xC3\x9F" "e [";
    for (const char* file : { "cp1252.pas", "utf8-bom.pas", "utf8.pas", "utf16le-bom.pas" }) {
        RealViewer real;
        std::string tree = treeOf(real.adapter, dir + file, false, false);
        EXPECT_NE(tree.find(umlaut), std::string::npos) << file << "\n" << tree;
        EXPECT_EQ(real.memo.codePage(), 1252) << file;
    }
    // A name that starts with a letter outside ASCII is not a name to the shipped scheme, but its
    // characters still load in the page that holds them.
    RealViewer cyrillic;
    treeOf(cyrillic.adapter, dir + "utf8-cyrillic.pas", false, false);
    EXPECT_EQ(cyrillic.memo.codePage(), 1251);
}

// A binary form's wide strings reach the viewer as characters, in the code page that holds them.
TEST(SyntaxMemoBrowserViewer, BinaryFormStringsShowTheirCharacters)
{
    TempDir dir;
    // Resource header, then TPF0 object TForm1 Form1 with Caption = wide string "Жук".
    std::string form("\xFF\x0A\x00" "FORM1\x00" "\x30\x10\x00\x00\x00\x00" "TPF0\x06TForm1\x05" "Form1"
                     "\x07" "Caption\x12\x03\x00\x00\x00\x16\x04\x43\x04\x3A\x04\x00\x00",
        53);
    std::string path = dir.write("Form1.dfm", form);
    for (bool suppress : { false, true }) {
        RealViewer real;
        convertFormFile(path, real.adapter, suppress);
        EXPECT_EQ(real.memo.codePage(), 1251) << suppress;
        EXPECT_EQ(real.memo.lines().get(1), "  Caption = '\xC6\xF3\xEA'") << suppress;
    }
}

// The status area names each file's encoding, and how many characters its code page lacked.
TEST(SyntaxMemoBrowserViewer, StatusShowsTheEncoding)
{
    struct Case {
        const char* file;
        const char* text;
    };
    for (Case c : { Case { "cp1252.pas", "  Windows-1252" }, Case { "utf8-bom.pas", "  UTF-8 BOM" },
             Case { "utf8.pas", "  UTF-8" }, Case { "utf16le-bom.pas", "  UTF-16 LE" },
             Case { "utf8-greek-cyrillic.pas", "  UTF-8, 3 characters replaced" } }) {
        RealViewer real;
        RecordingUi ui;
        TempDir dir;
        ProjectBrowser browser(real.adapter, ui, (dir.path() / "info.dat").string());
        browser.openFile(std::string(LRL_TEST_DATA_DIR) + "/encoding/" + c.file);
        EXPECT_TRUE(ui.status[StatusPanel::Panel5].ends_with(std::string(") bytes") + c.text))
            << c.file << ": " << ui.status[StatusPanel::Panel5];
    }
    SourceEncodingInfo one;
    one.replaced = 1;
    EXPECT_EQ(encodingText(one), "Windows-1252, 1 character replaced");
}

// Unit paths a project names are UTF-8 like every text the browser reads, so a unit with umlauts in its
// name is found on disk (where names are UTF-8) whether the project is in Windows-1252 or UTF-8.
TEST(SyntaxMemoBrowserViewer, UnitNamesWithUmlautsAreFound)
{
    const std::string unit = "unit Gr\xC3\xBC\xC3\x9F" "e;\r\ninterface\r\nprocedure Hallo;\r\nimplementation\r\n"
                             "procedure Hallo;\r\nbegin\r\nend;\r\nend.\r\n";
    for (const std::string& project : { std::string("program P;\r\nuses Gr\xFC\xDF" "e in 'Gr\xFC\xDF" "e.pas';\r\nbegin\r\nend.\r\n"),
             std::string("program P;\r\nuses Gr\xC3\xBC\xC3\x9F" "e in 'Gr\xC3\xBC\xC3\x9F" "e.pas';\r\nbegin\r\nend.\r\n") }) {
        TempDir dir;
        dir.write("Gr\xC3\xBC\xC3\x9F" "e.pas", unit);
        std::string dpr = dir.write("P.dpr", project);
        RealViewer real;
        std::string tree = treeOf(real.adapter, dpr, false, false);
        EXPECT_NE(tree.find("  Gr\xC3\xBC\xC3\x9F" "e.pas ["), std::string::npos) << tree;
        EXPECT_NE(tree.find("Hallo ["), std::string::npos) << tree;
    }
}
