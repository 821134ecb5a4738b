#include "RecordingUi.h"

#include "browser/BrowserConstants.h"
#include "browser/DisplayUi.h"
#include "browser/ProjectBrowser.h"
#include "browser/SourceDisplay.h"
#include "common/Exception.h"
#include "support/FakePascalViewer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::FakePascalViewer;
using lrl::test::offsetAfter;
using lrl::test::RecordingUi;
using lrl::test::TempDir;

namespace {

const char* kProject = "program P;\r\nuses\r\n  Unit1 in 'Unit1.pas' {Form1},\r\n  Unit2 in 'Unit2.pas';\r\n"
                       "begin\r\nend.\r\n";
const char* kUnit1 = "unit Unit1;\r\ninterface\r\nimplementation\r\n"
                     "procedure TForm1.FormCreate(Sender: TObject);\r\nbegin\r\nend;\r\nend.\r\n";
const char* kUnit2 = "unit Unit2;\r\ninterface\r\nimplementation\r\n"
                     "function TThing.Count: Integer;\r\nbegin\r\nend;\r\nend.\r\n";

class FakeDisplayUi : public DisplayUi {
public:
    void freezePainting() override
    {
        ++freezes;
        frozen = true;
    }
    void unfreezePainting() override { frozen = false; }
    bool askYesNo(const std::string& question) override
    {
        questions.push_back(question);
        return answer;
    }
    int freezes = 0;
    bool frozen = false;
    bool answer = false;
    std::vector<std::string> questions;
};

class SourceDisplayTest : public ::testing::Test {
protected:
    SourceDisplayTest()
        : browser(viewer, ui, (dir.path() / "info.dat").string())
        , display(browser, viewer, ui, displayUi)
    {
        browser.settings().ShFrm = true;
        browser.settings().ShOpt = true;
        dir.write("P/Unit1.pas", kUnit1);
        dir.write("P/Unit1.dfm", "object Form1: TForm1\r\nend\r\n");
        dir.write("P/Unit2.pas", kUnit2);
        dir.write("P/P.dof", "[Compiler]\r\nA=8\r\n");
        project = dir.write("P/P.dpr", kProject);
    }

    const TTreeNode* find(const std::string& caption) const
    {
        std::function<const TTreeNode*(const TTreeNode*)> search
            = [&](const TTreeNode* n) -> const TTreeNode* {
            if (n->text() == caption)
                return n;
            for (size_t i = 0; i < n->count(); ++i)
                if (const TTreeNode* found = search(n->child(i)))
                    return found;
            return nullptr;
        };
        return search(browser.tree().firstNode());
    }

    // A double-click as the mouse gives it: pressed on the caption, released there, then the double-click.
    void doubleClick(const TTreeNode* node)
    {
        display.mouseDown(node, false, true);
        display.mouseUp(false, true);
        display.doubleClick(node);
    }

    TempDir dir;
    FakePascalViewer viewer;
    RecordingUi ui;
    FakeDisplayUi displayUi;
    ProjectBrowser browser;
    SourceDisplay display;
    std::string project;
};

} // namespace

TEST_F(SourceDisplayTest, ClickActionFollowsImageAndPlace)
{
    browser.openFile(project);
    EXPECT_EQ(nodeClickAction(find("P.dpr")), NodeClick::File);
    EXPECT_EQ(nodeClickAction(find("Unit1.pas")), NodeClick::File);
    EXPECT_EQ(nodeClickAction(find("Options (dof)")), NodeClick::Options);
    EXPECT_EQ(nodeClickAction(find("Unit1.dfm")), NodeClick::Form);
    for (const char* nothing : { "Form(s) (dfm)", "TForm1", "FormCreate", "Count" })
        EXPECT_EQ(nodeClickAction(find(nothing)), NodeClick::Nothing) << nothing;
    EXPECT_EQ(nodeClickAction(nullptr), NodeClick::Nothing);

    // Roots of a form or an options file opened alone show nothing more.
    browser.openFile(dir.write("P/Unit1.dfm", "object Form1: TForm1\r\nend\r\n"));
    EXPECT_EQ(nodeClickAction(browser.tree().firstNode()), NodeClick::Nothing);
    browser.openFile((dir.path() / "P/P.dof").string());
    EXPECT_EQ(nodeClickAction(browser.tree().firstNode()), NodeClick::Nothing);
}

TEST_F(SourceDisplayTest, MissingFileRefreshesTheStatusOnly)
{
    browser.openFile(project);
    std::filesystem::remove(dir.path() / "P/Unit2.pas");
    size_t loads = viewer.loads.size();
    display.click(find("Unit2.pas"));
    EXPECT_EQ(viewer.loads.size(), loads);
    EXPECT_EQ(ui.status[StatusPanel::Panel4].rfind("Unit2.pas... ", 0), 0u);
}

TEST_F(SourceDisplayTest, DoubleClickLoadsTheUnitOnceAndPlacesTheCaret)
{
    browser.openFile(project);
    const TTreeNode* count = find("Count");
    doubleClick(count);
    EXPECT_EQ(viewer.loads.back(), (dir.path() / "P/Unit2.pas").string());
    EXPECT_EQ(viewer.caret, offsetAfter(kUnit2, "function TThing", "function"));
    int32_t name = offsetAfter(kUnit2, "function TThing", "TThing.");
    EXPECT_EQ(viewer.shownSelection, std::make_pair(name, name + 5)) << "the routine's name is selected";
    EXPECT_EQ(display.shownFileName(), "Unit2.pas");
    size_t loads = viewer.loads.size();
    doubleClick(count);
    EXPECT_EQ(viewer.loads.size(), loads) << "the unit is shown already";
    EXPECT_EQ(displayUi.freezes, 2);
    EXPECT_FALSE(displayUi.frozen);
}

// A unit shows the same routine counts whether it was clicked or reached by double-clicking a routine of
// a category other than its first.
TEST_F(SourceDisplayTest, RoutineCountsOfAUnitDoNotDependOnHowItWasShown)
{
    dir.write("P/Unit2.pas",
        "unit Unit2;\r\ninterface\r\nimplementation\r\nfunction Helper: Integer;\r\nbegin\r\nend;\r\n"
        "function TThing.Count: Integer;\r\nbegin\r\nend;\r\nend.\r\n");
    browser.openFile(project);
    display.click(find("Unit2.pas"));
    const std::string clicked = ui.status[StatusPanel::Panel4];
    EXPECT_EQ(clicked, "Unit2.pas... 10 lines [2 function]");
    display.click(find("Unit1.pas"));
    doubleClick(find("Count"));
    ASSERT_EQ(viewer.loads.back(), (dir.path() / "P/Unit2.pas").string());
    EXPECT_EQ(ui.status[StatusPanel::Panel4], clicked);
}

TEST_F(SourceDisplayTest, DoubleClickNeedsACaptionHitAndARoutine)
{
    browser.openFile(project);
    const TTreeNode* count = find("Count");
    display.mouseDown(count, true, false);
    display.doubleClick(count);
    display.mouseDown(find("TThing"), false, true);
    display.doubleClick(find("TThing"));
    EXPECT_EQ(displayUi.freezes, 0);
    EXPECT_EQ(viewer.caret, -1);
}

// Enter needs no mouse press: the selected routine is jumped to, a file node is shown, a category is not.
TEST_F(SourceDisplayTest, EnterJumpsToTheSelectedRoutineOrShowsItsFile)
{
    browser.openFile(project);
    display.enter(find("Count"));
    EXPECT_EQ(viewer.loads.back(), (dir.path() / "P/Unit2.pas").string());
    EXPECT_EQ(viewer.caret, offsetAfter(kUnit2, "function TThing", "function"));
    EXPECT_EQ(display.pressedNode(), nullptr) << "the mouse's bookkeeping is left alone";
    display.enter(find("Unit1.pas"));
    EXPECT_EQ(viewer.loads.back(), (dir.path() / "P/Unit1.pas").string());
    size_t loads = viewer.loads.size();
    display.enter(find("TForm1"));
    display.enter(nullptr);
    EXPECT_EQ(viewer.loads.size(), loads);
}

TEST_F(SourceDisplayTest, FailedJumpUnfreezesAndKeepsTheText)
{
    browser.openFile(project);
    std::string shown = viewer.text();
    viewer.failingPaths.insert((dir.path() / "P/Unit2.pas").string());
    EXPECT_THROW(doubleClick(find("Count")), EFOpenError);
    EXPECT_FALSE(displayUi.frozen);
    EXPECT_EQ(viewer.text(), shown);
}

// The name of a routine in the text after its routine word.
TEST(RoutineName, IsTheWholeWordAfterAnyClassName)
{
    struct Case {
        const char* header;
        const char* name;
        size_t from, to;
    };
    const Case cases[] = {
        { " TForm1.FormCreate(Sender: TObject);", "FormCreate", 8, 18 },
        { " Count: Integer;", "Count", 1, 6 },
        { " count.COUNT;", "Count", 7, 12 }, // letter case aside; the class name of the same name is skipped
        { " Count . Count;", "Count", 9, 14 },
        { " Counter; Count", "Count", 10, 15 }, // whole words only
        { " {x}\tMax(A, B: Integer)", "Max", 5, 8 },
        { " Other;\rMax", "Max", 0, 0 }, // not past the line's end
        { " Maxi;", "Max", 0, 0 },
        { "", "Max", 0, 0 },
        { " Max", "", 0, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(routineNameIn(c.header, c.name), std::make_pair(c.from, c.to)) << c.header;
}

TEST_F(SourceDisplayTest, MouseBookkeeping)
{
    browser.openFile(project);
    const TTreeNode* routine = find("FormCreate");
    display.mouseDown(routine, true, false);
    EXPECT_EQ(display.pressedNode(), routine);
    EXPECT_EQ(display.draggedUnitCaption(), "Unit1.pas");
    display.mouseDown(nullptr, false, false);
    EXPECT_EQ(display.pressedNode(), routine) << "a press beside the nodes keeps it";
    display.mouseDown(find("TForm1"), false, true);
    EXPECT_EQ(display.pressedNode(), nullptr) << "a category is no routine";
    EXPECT_EQ(display.draggedUnitCaption(), "Unit1.pas") << "only presses on an image drag";

    display.mouseDown(find("FormCreate"), false, true);
    browser.openFile(project);
    EXPECT_EQ(display.pressedNode(), nullptr) << "deleted with the old tree";
}

TEST_F(SourceDisplayTest, ReloadQuestionClearsTheFlag)
{
    display.setOptionsChanged(true);
    display.optionsDialogClosed();
    EXPECT_TRUE(displayUi.questions.empty());
    EXPECT_FALSE(display.optionsChanged());

    browser.openFile(project);
    browser.dropStart(2);
    display.setOptionsChanged(true);
    displayUi.answer = true;
    size_t loads = viewer.loads.size();
    display.optionsDialogClosed();
    EXPECT_EQ(displayUi.questions, std::vector<std::string> { SourceDisplay::kReloadQuestion });
    EXPECT_GT(viewer.loads.size(), loads) << "the reload happens despite the rejected drop before";
    EXPECT_FALSE(display.optionsChanged());
}
