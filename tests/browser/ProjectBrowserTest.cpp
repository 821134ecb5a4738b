#include "RecordingUi.h"

#include "browser/BrowserConstants.h"
#include "browser/ProjectBrowser.h"
#include "browser/TreeDump.h"
#include "common/Exception.h"
#include "support/FakePascalViewer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using namespace lrl;
using lrl::test::FakePascalViewer;
using lrl::test::offsetAfter;
using lrl::test::RecordingUi;
using lrl::test::TempDir;

namespace {

const char* kProject = "program P;\r\n"
                       "\r\n"
                       "uses\r\n"
                       "  Forms,\r\n"
                       "  Unit1 in 'Unit1.pas' {Form1},\r\n"
                       "  Unit2 in '..\\Lib\\Unit2.pas',\r\n"
                       "  Unit1 in 'UNIT1.pas';\r\n"
                       "\r\n"
                       "{$R *.RES}\r\n"
                       "\r\n"
                       "begin\r\n"
                       "  Application.Run;\r\n"
                       "end.\r\n";

const char* kUnit1 = "unit Unit1;\r\n"
                     "\r\n"
                     "interface\r\n"
                     "\r\n"
                     "type\r\n"
                     "  TForm1 = class(TForm)\r\n"
                     "    procedure FormCreate(Sender: TObject);\r\n"
                     "  end;\r\n"
                     "\r\n"
                     "procedure Helper;\r\n"
                     "\r\n"
                     "implementation\r\n"
                     "\r\n"
                     "{$R *.DFM}\r\n"
                     "\r\n"
                     "procedure Helper;\r\n"
                     "begin\r\n"
                     "end;\r\n"
                     "\r\n"
                     "procedure TForm1.FormCreate(Sender: TObject);\r\n"
                     "begin\r\n"
                     "  Helper;\r\n"
                     "end;\r\n"
                     "\r\n"
                     "procedure Late;\r\n"
                     "begin\r\n"
                     "end;\r\n"
                     "\r\n"
                     "end.\r\n";

const char* kUnit2 = "unit Unit2;\n"
                     "interface\n"
                     "type\n"
                     "  EParseError = class(Exception)\n"
                     "    constructor Create;\n"
                     "  end;\n"
                     "  TThing = class\n"
                     "    constructor Create;\n"
                     "    destructor Destroy; override;\n"
                     "    function Count: Integer;\n"
                     "    procedure Add(X: Integer); overload;\n"
                     "    procedure Add(S: string); overload;\n"
                     "  end;\n"
                     "  TAlpha = class\n"
                     "    procedure Go;\n"
                     "  end;\n"
                     "implementation\n"
                     "function max(A, B: Integer): Integer;\n"
                     "begin end;\n"
                     "function Min(A, B: Integer): Integer;\n"
                     "begin end;\n"
                     "procedure TThing.Add(X: Integer);\n"
                     "begin end;\n"
                     "procedure TThing.Add(S: string);\n"
                     "begin end;\n"
                     "constructor TThing.Create;\n"
                     "begin end;\n"
                     "destructor TThing.Destroy;\n"
                     "begin end;\n"
                     "function TThing.Count: Integer;\n"
                     "begin end;\n"
                     "procedure TAlpha.Go;\n"
                     "begin end;\n"
                     "constructor EParseError.Create;\n"
                     "begin end;\n"
                     "end.\n";

const char* kForm1 = "object Form1: TForm1\r\n  Caption = 'Form1'\r\nend\r\n";

// The tree without the routine offsets.
std::string shape(const TreeModel& tree)
{
    return std::regex_replace(formatTree(tree), std::regex(" @[0-9]+"), "");
}

class ProjectBrowserTest : public ::testing::Test {
protected:
    ProjectBrowserTest()
        : browser(viewer, ui, (dir.path() / "appdata" / ProjectBrowser::kFileInfoName).string())
    {
    }

    // The sample project: Proj/P.dpr with Unit1 (and its form) beside it and Unit2 in Lib/.
    std::string writeSample()
    {
        dir.write("Proj/Unit1.pas", kUnit1);
        dir.write("Proj/Unit1.dfm", kForm1);
        dir.write("Lib/Unit2.pas", kUnit2);
        return dir.write("Proj/P.dpr", kProject);
    }

    TempDir dir;
    FakePascalViewer viewer;
    RecordingUi ui;
    ProjectBrowser browser;
};

} // namespace

TEST_F(ProjectBrowserTest, ProjectListsItsUnitsSortedWithTheirCategoriesAndRoutines)
{
    browser.openFile(writeSample());

    EXPECT_EQ(shape(browser.tree()),
        "P.dpr [0/0]\n"
        "  ..\\Lib\\Unit2.pas [3/4]\n"
        "    EParseError [18/19]\n"
        "      Create [9/10]\n"
        "    Proc/Func [20/21]\n"
        "      max [7/8]\n"
        "      Min [7/8]\n"
        "    TAlpha [18/19]\n"
        "      Go [5/6]\n"
        "    TThing [18/19]\n"
        "      Create [9/10]\n"
        "      Destroy [11/12]\n"
        "      Count [7/8]\n"
        "      Add [5/6]\n"
        "  Unit1.pas [3/4]\n"
        "    Proc/Func [20/21]\n"
        "      Helper [5/6]\n"
        "      Late [5/6]\n"
        "    TForm1 [18/19]\n"
        "      FormCreate [5/6]\n");
    EXPECT_TRUE(ui.errors.empty());
    // The project file is loaded last, so that the viewer shows it.
    EXPECT_EQ(viewer.loads.back(), (dir.path() / "Proj/P.dpr").string());
    EXPECT_EQ(viewer.text(), lrl::test::toViewerText(kProject));
    EXPECT_EQ(browser.unitCount(), 2);
}

TEST_F(ProjectBrowserTest, RoutineDataIsTheOffsetAfterTheRoutineWordOfTheFirstBody)
{
    browser.openFile(writeSample());
    const TTreeNode* unit1 = browser.tree().firstNode()->child(1);
    const TTreeNode* formCreate = unit1->child(1)->child(0);
    ASSERT_EQ(formCreate->text(), "FormCreate");
    EXPECT_EQ(formCreate->data(), offsetAfter(kUnit1, "procedure TForm1.FormCreate", "procedure"));
    EXPECT_EQ(unit1->child(0)->child(0)->data(), offsetAfter(kUnit1, "implementation", "procedure"));

    // Overloads are listed once, at the first body.
    const TTreeNode* add = browser.tree().firstNode()->child(0)->child(3)->child(3);
    ASSERT_EQ(add->text(), "Add");
    EXPECT_EQ(add->data(), offsetAfter(kUnit2, "procedure TThing.Add(X", "procedure"));
    EXPECT_FALSE(browser.tree().firstNode()->data().has_value());
}

TEST_F(ProjectBrowserTest, WithoutSortingEverythingKeepsTheOrderOfTheSource)
{
    browser.settings().Srt = false;
    browser.openFile(writeSample());

    EXPECT_EQ(shape(browser.tree()),
        "P.dpr [0/0]\n"
        "  Unit1.pas [3/4]\n"
        "    TForm1 [18/19]\n"
        "      FormCreate [5/6]\n"
        "    Proc/Func [20/21]\n"
        "      Helper [5/6]\n"
        "      Late [5/6]\n"
        "  ..\\Lib\\Unit2.pas [3/4]\n"
        "    TThing [18/19]\n"
        "      Add [5/6]\n"
        "      Create [9/10]\n"
        "      Destroy [11/12]\n"
        "      Count [7/8]\n"
        "    Proc/Func [20/21]\n"
        "      max [7/8]\n"
        "      Min [7/8]\n"
        "    TAlpha [18/19]\n"
        "      Go [5/6]\n"
        "    EParseError [18/19]\n"
        "      Create [9/10]\n");
}

TEST_F(ProjectBrowserTest, StatusPanelsDescribeTheProjectAfterOpening)
{
    std::string project = writeSample();
    browser.settings().ShFrm = true;
    browser.openFile(project);

    EXPECT_EQ(browser.tree().selected(), browser.tree().firstNode());
    EXPECT_EQ(ui.status[StatusPanel::Panel3], "Project... 1 form(s)   2 unit(s)");
    EXPECT_EQ(ui.status[StatusPanel::Panel4], "P.dpr... 13 lines ");
    std::string size = std::to_string(std::filesystem::file_size(project));
    EXPECT_TRUE(ui.status[StatusPanel::Panel5].starts_with("Last modified... "));
    EXPECT_TRUE(ui.status[StatusPanel::Panel5].ends_with("  (" + size + ") bytes  Windows-1252"));
    EXPECT_EQ(browser.statusText(StatusPanel::Panel3), ui.status[StatusPanel::Panel3]);
    EXPECT_EQ(browser.shownNodeCaption(), "P.dpr");
    EXPECT_EQ(ui.fileLabel, project);
    EXPECT_EQ(ui.recent, std::vector<std::string> { project });
    EXPECT_TRUE(ui.findEnabled);
    EXPECT_TRUE(ui.printTreeEnabled);
}

TEST_F(ProjectBrowserTest, FormsFolderHoldsOnlyTheFormsThatExist)
{
    writeSample();
    std::string project = dir.write("Proj/P.dpr",
        "program P;\nuses\n  Unit1 in 'Unit1.pas',\n  Unit2 in '..\\Lib\\Unit2.pas',\n"
        "  Gone in 'Gone.pas';\nbegin end.\n");
    browser.settings().ShFrm = true;
    browser.openFile(project);

    // The missing unit keeps its node and its form node, both marked missing; the code-only unit has
    // no form node.
    std::string tree = shape(browser.tree());
    EXPECT_NE(tree.find("P.dpr [0/0]\n  Form(s) (dfm) [1/2]\n    Gone.dfm [22/22]\n    Unit1.dfm [1/2]\n"),
        std::string::npos)
        << tree;
    EXPECT_NE(tree.find("  Gone.pas [22/22]\n"), std::string::npos);
    EXPECT_EQ(tree.find("Unit2.dfm"), std::string::npos);
    EXPECT_EQ(ui.errors, std::vector<std::string> { "File Gone.pas was not found." });
    EXPECT_EQ(browser.formCount(), 2);
    EXPECT_EQ(browser.unitCount(), 3);
}

TEST_F(ProjectBrowserTest, ProjectWithoutFormsShowsNoFormsFolder)
{
    dir.write("Lib/Unit2.pas", kUnit2);
    std::string project
        = dir.write("Proj/P.dpr", "program P;\nuses Unit2 in '..\\Lib\\Unit2.pas';\nbegin end.\n");
    browser.settings().ShFrm = true;
    browser.openFile(project);
    EXPECT_EQ(browser.tree().firstNode()->child(0)->text(), "..\\Lib\\Unit2.pas");
    EXPECT_EQ(shape(browser.tree()).find("Form(s)"), std::string::npos);
    EXPECT_EQ(ui.status[StatusPanel::Panel3], "Project... 1 unit(s)");
}

TEST_F(ProjectBrowserTest, OptionsNodeAndProgramIconFollowTheFilesBesideTheProject)
{
    std::string project = writeSample();
    dir.write("Proj/P.dof", "[Compiler]\r\nA=1\r\n");
    dir.write("Proj/P.EXE", "MZ");
    browser.settings().ShOpt = true;
    browser.openFile(project);
    EXPECT_EQ(browser.projectImage(), img::ProgramIcon);
    EXPECT_EQ(ui.iconRequests, std::vector<std::string> { (dir.path() / "Proj/P.EXE").string() });
    EXPECT_TRUE(shape(browser.tree()).starts_with("P.dpr [23/23]\n  Options (dof) [16/17]\n  ..\\Lib"));

    ui.iconAvailable = false;
    browser.openFile(project);
    EXPECT_EQ(browser.tree().firstNode()->imageIndex(), img::Project);
}

TEST_F(ProjectBrowserTest, OptionsFileOpenedAloneIsOneNode)
{
    writeSample();
    std::string dof = dir.write("Proj/P.dof", "[Directories]\r\nOutputDir='x.pas'\r\n");
    browser.settings().ShOpt = true;
    browser.settings().ShFrm = true;
    browser.openFile(dof);
    EXPECT_EQ(formatTree(browser.tree()), "P.dof [16/16]\n");
    EXPECT_EQ(ui.status[StatusPanel::Panel3], "");
}

TEST_F(ProjectBrowserTest, UnitOpenedAloneIsItsOwnRootAndExpanded)
{
    std::string unit = dir.write("Lib/Unit2.pas", kUnit2);
    browser.openFile(unit);
    const TTreeNode* root = browser.tree().firstNode();
    EXPECT_EQ(root->text(), "Unit2.pas");
    EXPECT_EQ(root->imageIndex(), img::Unit);
    EXPECT_EQ(root->count(), 4u);
    EXPECT_TRUE(root->expanded());
    EXPECT_EQ(ui.status[StatusPanel::Panel4], "Unit2.pas... 36 lines ");

    // Clicking the unit describes it by the routines under all its categories.
    browser.showFileStatus(root->firstChild(), root->text());
    EXPECT_EQ(ui.status[StatusPanel::Panel4],
        "Unit2.pas... 36 lines [2 procedure][3 function][2 constructor][1 destructor]");
    EXPECT_EQ(ui.status[StatusPanel::Panel5].substr(0, 17), "Last modified... ");

    // Below the top level the counts panel is cleared and the node's caption names the file.
    browser.showProjectCounts(root->child(1));
    EXPECT_EQ(ui.status[StatusPanel::Panel3], "");
    EXPECT_EQ(ui.status[StatusPanel::Panel4], "Proc/Func... 36 lines ");
    EXPECT_EQ(ui.status[StatusPanel::Panel5], "  (-1) bytes");
    EXPECT_EQ(browser.shownNodeCaption(), "Proc/Func");
}

TEST_F(ProjectBrowserTest, FormOpenedAloneIsShownAsItIs)
{
    dir.write("Proj/Unit1.pas", kUnit1);
    std::string form = dir.write("Proj/Unit1.dfm", kForm1);
    browser.openFile(form);
    EXPECT_EQ(formatTree(browser.tree()), "Unit1.dfm [1/2]\n");
    EXPECT_EQ(viewer.text(), lrl::test::toViewerText(kForm1));
    EXPECT_EQ(ui.status[StatusPanel::Panel4], "Unit1.dfm... 3 lines ");

    // The extension may be written in any case on disk.
    std::string upper = dir.write("Proj/Upper.DFM", kForm1);
    viewer.loadText("");
    browser.openFile(upper);
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
    EXPECT_EQ(formatTree(browser.tree()), "Upper.dfm [1/2]\n");
    EXPECT_EQ(viewer.text(), lrl::test::toViewerText(kForm1));
    EXPECT_EQ(ui.status[StatusPanel::Panel4], "Upper.dfm... 3 lines ");
}

TEST_F(ProjectBrowserTest, UnitPathsResolveWhateverSeparatorAndLetterCaseTheProjectUses)
{
    dir.write("Proj/Source/unit1.pas", kUnit1);
    dir.write("Lib/Unit2.pas", kUnit2);
    std::string project = dir.write("Proj/p.DPR",
        "program P;\nuses\n  Unit1 in 'SOURCE\\Unit1.PAS',\n  Unit2 in '../lib/unit2.pas';\nbegin end.\n");
    browser.openFile(project);
    EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();
    EXPECT_TRUE(shape(browser.tree())
                    .starts_with("p.DPR [0/0]\n  ../lib/unit2.pas [3/4]\n    EParseError [18/19]\n"));
    EXPECT_NE(shape(browser.tree()).find("  SOURCE\\Unit1.PAS [3/4]\n    Proc/Func"), std::string::npos);
}

TEST_F(ProjectBrowserTest, OpeningAMissingFileSaysSo)
{
    browser.openFile((dir.path() / "Nowhere.dpr").string());
    EXPECT_TRUE(browser.tree().empty());
    EXPECT_EQ(ui.errors,
        std::vector<std::string> { "File " + (dir.path() / "Nowhere.dpr").string() + " was not found." });
    EXPECT_EQ(ui.status[StatusPanel::Panel5], "");
    EXPECT_EQ(viewer.suspendDepth, 0);
    // What names no file is not offered again among the recent files.
    EXPECT_TRUE(ui.recent.empty());
}

// The opened file itself cannot be read: the failure reaches the window, and the open is still finished,
// with no loading notice left behind.
TEST_F(ProjectBrowserTest, AFailingLoadStillFinishesTheOpen)
{
    std::string project = writeSample();
    browser.settings().WrdWrp = true;
    viewer.failingPaths.insert(project);
    EXPECT_THROW(browser.openFile(project), EFOpenError);

    EXPECT_EQ(viewer.suspendDepth, 0);
    EXPECT_TRUE(viewer.wordWrap);
    EXPECT_TRUE(browser.tree().empty());
    EXPECT_FALSE(browser.tree().updating());
    EXPECT_EQ(ui.status[StatusPanel::Panel5], "");

    // The next open works normally.
    viewer.failingPaths.clear();
    browser.openFile(project);
    EXPECT_EQ(browser.unitCount(), 2);
}

// A unit that is there but cannot be read (no permission) is reported and marked missing; the units after
// it are read as usual and the viewer ends on the project file.
TEST_F(ProjectBrowserTest, AnUnreadableUnitIsReportedAndTheRestOfTheProjectIsRead)
{
    std::string project = writeSample();
    std::string unit2 = (dir.path() / "Lib/Unit2.pas").string();
    browser.settings().ShFrm = true;
    viewer.failingPaths.insert(unit2);
    browser.openFile(project);

    EXPECT_EQ(ui.errors, std::vector<std::string> { "Cannot open file \"" + unit2 + "\". Permission denied" });
    EXPECT_EQ(shape(browser.tree()),
        "P.dpr [0/0]\n"
        "  Form(s) (dfm) [1/2]\n"
        "    ..\\Lib\\Unit2.dfm [22/22]\n"
        "    Unit1.dfm [1/2]\n"
        "  ..\\Lib\\Unit2.pas [22/22]\n"
        "  Unit1.pas [3/4]\n"
        "    Proc/Func [20/21]\n"
        "      Helper [5/6]\n"
        "      Late [5/6]\n"
        "    TForm1 [18/19]\n"
        "      FormCreate [5/6]\n");
    EXPECT_EQ(viewer.loads.back(), project);
    EXPECT_EQ(viewer.text(), lrl::test::toViewerText(kProject));
    EXPECT_EQ(ui.status[StatusPanel::Panel3], "Project... 2 form(s)   2 unit(s)");
    EXPECT_TRUE(ui.status[StatusPanel::Panel5].starts_with("Last modified... "));
}

TEST_F(ProjectBrowserTest, OpenRequestedDuringALoadWaitsForIt)
{
    std::string project = writeSample();
    std::string unit = (dir.path() / "Proj/Unit1.pas").string();
    bool asked = false;
    ui.onProcessEvents = [&] {
        if (!asked) {
            asked = true;
            browser.openFile(unit);
        }
    };
    browser.openFile(project);
    EXPECT_EQ(shape(browser.tree()).substr(0, 17), "Unit1.pas [3/4]\n ");
    EXPECT_EQ(ui.recent, (std::vector<std::string> { project, unit }));
}

TEST_F(ProjectBrowserTest, BigTextsShowTheProgressBarOnlyWhileLoading)
{
    std::string unit = dir.write("Lib/Unit2.pas", kUnit2);
    viewer.forcedLineCount = 20000;
    browser.openFile(unit);
    EXPECT_TRUE(ui.progressShown);
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_EQ(ui.progressMax, 20000);
}

TEST_F(ProjectBrowserTest, DropsOfSeveralOrForeignFilesOpenNothing)
{
    std::string project = writeSample();
    std::string unit = (dir.path() / "Proj/Unit1.pas").string();
    browser.dropStart(2);
    browser.dropItem(project);
    browser.dropItem(unit);
    EXPECT_EQ(ui.messages, std::vector<std::string> { "Only ONE file can be dropped!" });
    EXPECT_TRUE(viewer.loads.empty());
    // A rejected drop also blocks opening until the user opens a file explicitly.
    browser.openFile(project);
    EXPECT_TRUE(viewer.loads.empty());

    browser.dropStart(1);
    browser.dropItem(dir.write("notes.txt", "x"));
    EXPECT_EQ(ui.messages.back(), "Only [DPR,DFM,PAS and DOF] files can be dropped!");
    EXPECT_TRUE(viewer.loads.empty());

    browser.openCommandLine({ unit });
    EXPECT_EQ(browser.openedFile(), unit);
    browser.openCommandLine({});
    EXPECT_EQ(ui.messages.size(), 2u);

    browser.dropStart(3);
    browser.openChosenFile(project);
    EXPECT_EQ(browser.openedFile(), project);
}

TEST_F(ProjectBrowserTest, FileInformationIsKeptPerProject)
{
    std::string project = writeSample();
    browser.fileInfoWrite("CsmtTxt", "ignored: nothing is open");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "appdata"));

    browser.openFile(project);
    EXPECT_EQ(browser.fileInfoRead("P.dpr", "CsmtTxt"), "Listrel");
    browser.fileInfoWrite("CsmtTxt", "My header");
    browser.openFile((dir.path() / "Proj/Unit1.pas").string());
    browser.fileInfoWrite("CsmtTxt", "Unit header");
    EXPECT_EQ(browser.fileInfoRead("p.dpr", "csmttxt"), "My header");
    EXPECT_EQ(browser.fileInfoRead("Unit1.pas", "CsmtTxt"), "Unit header");
    EXPECT_EQ(lrl::test::readFile(dir.path() / "appdata" / "LrlDFileInfo.Dat"),
        "[P.dpr]\r\nCsmtTxt=My header\r\n\r\n[Unit1.pas]\r\nCsmtTxt=Unit header\r\n");
}
