#include "browser/BrowserConstants.h"
#include "browser/SyntaxMemoBrowserViewer.h"
#include "browser/TreeModel.h"
#include "browser/ui/TfrmLrlDelphi.h"
#include "browser/ui/TreeItemModel.h"
#include "support/TempDir.h"
#include "viewer/ui/TFindDialog.h"
#include "viewer/ui/TSyntaxMemo.h"
#include "viewer/ui/TViewerFind.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <filesystem>
#include <functional>
#include <vector>

using namespace lrl;
using lrl::test::TempDir;

namespace {

const std::filesystem::path kExamples = std::filesystem::path(LRL_SOURCE_DIR) / "examples";

// The window over a copy of the sample project (so that files can vanish), with forms folder and options
// node shown, and its message boxes and questions recorded instead of shown.
class SourceDisplayWindow : public ::testing::Test {
protected:
    SourceDisplayWindow()
        : window(nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()))
    {
        std::filesystem::copy(kExamples, dir.path() / "examples", std::filesystem::copy_options::recursive);
        window.setMessageSink(
            [this](bool error, const QString& text) { (error ? errors : notices).push_back(text); });
        window.setQuestionSink([this](const QString& text) {
            questions.push_back(text);
            return answer;
        });
        window.browser().settings().ShFrm = true;
        window.browser().settings().ShOpt = true;
        window.resize(800, 600);
    }

    QString path(const std::string& relative) const
    {
        return QString::fromStdString((dir.path() / "examples" / relative).string());
    }
    void openSample() { window.openFile(path("Sample/Sample.dpr")); }
    // Puts the project file that names a unit which is not there (DemoData.pas) in the sample's place.
    void useMissingUnitProject()
    {
        std::filesystem::copy_file(std::filesystem::path(LRL_TEST_DATA_DIR) / "projects/MissingUnit.dpr",
            dir.path() / "examples/Sample/Sample.dpr", std::filesystem::copy_options::overwrite_existing);
    }

    TTreeNode* node(const std::string& caption, const TTreeNode* below = nullptr)
    {
        std::function<TTreeNode*(TTreeNode*)> search = [&](TTreeNode* n) -> TTreeNode* {
            if (n->text() == caption)
                return n;
            for (size_t i = 0; i < n->count(); ++i)
                if (TTreeNode* found = search(n->child(i)))
                    return found;
            return nullptr;
        };
        const TreeModel& tree = window.browser().tree();
        if (below)
            return search(const_cast<TTreeNode*>(below));
        for (size_t i = 0; i < tree.topCount(); ++i)
            if (TTreeNode* found = search(tree.top(i)))
                return found;
        return nullptr;
    }

    // Selects the node as the user's click does and runs treViewClick.
    void click(TTreeNode* n)
    {
        window.treView->setCurrentIndex(window.treeModel().indexOf(n));
        window.treViewClick();
    }

    std::string line(int i) const { return window.SyntaxMemo1->lineText(i); }
    std::string text() const { return window.SyntaxMemo1->text(); }
    QString panel4() const { return window.Panel4->text(); }

    // Nothing holds the viewer's painting or the window's.
    void expectUpdating() const
    {
        EXPECT_EQ(window.SyntaxMemo1->lines().updateCount(), 0);
        EXPECT_TRUE(window.SyntaxMemo1->redraw());
        EXPECT_FALSE(window.SyntaxMemo1->updateLocked());
        EXPECT_TRUE(window.updatesEnabled());
        EXPECT_TRUE(window.SyntaxMemo1->updatesEnabled());
    }

    TempDir dir;
    TfrmLrlDelphi window;
    std::vector<QString> errors;
    std::vector<QString> notices;
    std::vector<QString> questions;
    bool answer = false;
};

} // namespace

TEST_F(SourceDisplayWindow, BinaryFormIsShownAsTextWithOrWithoutItsData)
{
    openSample();
    click(node("About.dfm"));
    EXPECT_EQ(line(0), "object AboutBox: TAboutBox");
    EXPECT_NE(text().find("Picture.Data = { BINARY DATA SUPPRESSED }"), std::string::npos);
    EXPECT_EQ(text().find("07544269746D6170"), std::string::npos);
    EXPECT_TRUE(panel4().startsWith("About.dfm... "));
    EXPECT_EQ(window.SyntaxMemo1->selStart(), 0);

    window.browser().settings().SupBData = false;
    click(node("Options.dfm"));
    click(node("About.dfm"));
    EXPECT_NE(text().find("Picture.Data = {\r\n        07544269746D6170"), std::string::npos)
        << "hexadecimal data in full";
    EXPECT_EQ(text().find("BINARY DATA SUPPRESSED"), std::string::npos);
    EXPECT_TRUE(errors.empty());
}

TEST_F(SourceDisplayWindow, TextFormIsShownAsItIs)
{
    openSample();
    click(node("Main.dfm"));
    EXPECT_EQ(line(0), "object frmMain: TfrmMain");
    EXPECT_TRUE(errors.empty());
}

// A form file with the stream's signature but without the resource header cannot be shown: an error box,
// and the viewer keeps the text it had.
TEST_F(SourceDisplayWindow, SignatureWithoutHeaderGivesTheErrorBox)
{
    std::string bytes("TPF0\x06TForm1\x05"
                      "Form1\x00\x00",
        16);
    dir.write("examples/Sample/Main.dfm", bytes);
    openSample();
    std::string before = text();
    click(node("Main.dfm"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0],
        "An error occured: Invalid stream format\r\n\r\nThe Delphi file is not a binary Form File (DFM).");
    EXPECT_EQ(text(), before);
    EXPECT_TRUE(panel4().startsWith("Main.dfm... ")) << "the panels are refreshed all the same";
}

TEST_F(SourceDisplayWindow, UnitsProjectAndOptionsAreShownAsTheyAre)
{
    openSample();
    click(node("Inventory.pas"));
    EXPECT_EQ(line(0), "unit Inventory;");
    EXPECT_TRUE(panel4().startsWith("Inventory.pas... "));
    click(node("Options (dof)"));
    EXPECT_EQ(line(0), "[FileVersion]");
    EXPECT_TRUE(panel4().startsWith("Sample.dof... "));
    click(node("Sample.dpr"));
    EXPECT_EQ(line(0), "program Sample;");
    EXPECT_EQ(window.Panel3->text(), "Project... 3 form(s)   5 unit(s)");
}

TEST_F(SourceDisplayWindow, FormsFolderRoutinesAndMissingUnitsChangeNothing)
{
    useMissingUnitProject();
    openSample();
    click(node("Main.pas"));
    std::string shown = text();
    QString status = panel4();
    for (const char* caption : { "Form(s) (dfm)", "FormCreate", "TfrmMain", "Proc/Func", "DemoData.pas" }) {
        TTreeNode* n = node(caption);
        ASSERT_NE(n, nullptr) << caption;
        click(n);
        EXPECT_EQ(text(), shown) << caption;
    }
    EXPECT_EQ(panel4(), status);
}

// A double-click on a routine's caption in another unit loads that unit and puts the caret on the
// routine's header line; the window paints again afterwards.
TEST_F(SourceDisplayWindow, DoubleClickJumpsIntoAnotherUnit)
{
    window.show();
    openSample();
    TTreeNode* routine = node("StockChanged", node("Main.pas"));
    ASSERT_NE(routine, nullptr);
    QModelIndex index = window.treeModel().indexOf(routine);
    window.treView->scrollTo(index);
    QRect row = window.treView->visualRect(index);
    QPoint onLabel(row.left() + window.treView->iconSize().width() + 12, row.center().y());
    QTest::mouseClick(window.treView->viewport(), Qt::LeftButton, {}, onLabel);
    QTest::mouseDClick(window.treView->viewport(), Qt::LeftButton, {}, onLabel);

    EXPECT_EQ(window.display().pressedNode(), routine);
    EXPECT_TRUE(panel4().startsWith("Main.pas... "));
    int caretLine = window.SyntaxMemo1->lineFromChar(window.SyntaxMemo1->selStart());
    EXPECT_EQ(line(caretLine), "procedure TfrmMain.StockChanged(Sender: TObject);");
    // The routine's name is selected and stays drawn while the tree has the focus; its header stands
    // near the top of the view, not on its last row.
    EXPECT_EQ(window.SyntaxMemo1->selText(), "StockChanged");
    EXPECT_TRUE(window.SyntaxMemo1->selectionShown());
    ASSERT_GT(window.SyntaxMemo1->rowsInWindow(), 12);
    EXPECT_EQ(window.SyntaxMemo1->topLine(), caretLine - SyntaxMemoBrowserViewer::kLinesAboveTop);
    expectUpdating();

    // On the image it is no jump.
    click(node("Sample.dpr"));
    QPoint onImage(row.left() + 4, row.center().y());
    window.treView->scrollTo(index);
    QTest::mouseDClick(window.treView->viewport(), Qt::LeftButton, {}, onImage);
    EXPECT_EQ(line(0), "program Sample;");
}

// The keyboard works the tree as the mouse does: keys that move the current node show its file once they
// pause (the nodes passed on the way are not loaded), Enter shows a file node at once and jumps to a
// routine as a double-click does.
TEST_F(SourceDisplayWindow, KeysInTheTreeShowTheNodeTheyStopOn)
{
    window.show();
    openSample();
    window.treView->setFocus();
    QTreeView* tree = window.treView;
    auto currentCaption = [&] { return tree->currentIndex().data().toString(); };
    // Waits out the pause (however busy the machine is).
    auto pause = [&] {
        ASSERT_TRUE(window.treeKeyTimer()->isActive());
        for (int waited = 0; window.treeKeyTimer()->isActive() && waited < 5000; waited += 20)
            QTest::qWait(20);
    };

    // From the first unit two units down (the units' branches are closed).
    tree->setCurrentIndex(window.treeModel().indexOf(node("About.pas")));
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(line(0), "program Sample;") << "nothing is loaded while the keys go on";
    QString stoppedOn = currentCaption();
    ASSERT_TRUE(stoppedOn.endsWith(".pas") && stoppedOn != "About.pas") << stoppedOn.toStdString();
    pause();
    EXPECT_TRUE(panel4().startsWith(stoppedOn + "... ")) << panel4().toStdString();
    EXPECT_NE(line(0), "program Sample;");

    // Keys that come back to where they began show nothing new; the pause of keys is ended by a click.
    QTest::keyClick(tree, Qt::Key_Up);
    QTest::keyClick(tree, Qt::Key_Down);
    std::string shown = text();
    pause();
    EXPECT_EQ(text(), shown);
    EXPECT_TRUE(panel4().startsWith(stoppedOn + "... "));

    QTest::keyClick(tree, Qt::Key_End);
    pause();
    EXPECT_EQ(currentCaption(), "Options.pas");
    EXPECT_EQ(line(0), "unit Options;");
    QTest::keyClick(tree, Qt::Key_Home);
    pause();
    EXPECT_EQ(line(0), "program Sample;");

    // Enter: a unit at once, a routine by its jump.
    tree->setCurrentIndex(window.treeModel().indexOf(node("Inventory.pas")));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_FALSE(window.treeKeyTimer()->isActive());
    EXPECT_EQ(line(0), "unit Inventory;");
    TTreeNode* routine = node("StockChanged", node("Main.pas"));
    ASSERT_NE(routine, nullptr);
    tree->setCurrentIndex(window.treeModel().indexOf(routine));
    QTest::keyClick(tree, Qt::Key_Enter, Qt::KeypadModifier);
    int caretLine = window.SyntaxMemo1->lineFromChar(window.SyntaxMemo1->selStart());
    EXPECT_EQ(line(caretLine), "procedure TfrmMain.StockChanged(Sender: TObject);");
    EXPECT_TRUE(panel4().startsWith("Main.pas... "));
    expectUpdating();
}

// A pause of keys that opening another file cuts short shows nothing afterwards: the node it began on is
// gone.
TEST_F(SourceDisplayWindow, OpeningAFileEndsThePauseOfKeys)
{
    window.show();
    openSample();
    window.treView->setFocus();
    QTest::keyClick(window.treView, Qt::Key_Down);
    window.openFile(path("Sample/Inventory.pas"));
    EXPECT_FALSE(window.treeKeyTimer()->isActive());
    EXPECT_EQ(line(0), "unit Inventory;");
}

// The context-menu key and Shift+F10 open the viewer's menu in the viewer, below the caret's row.
TEST_F(SourceDisplayWindow, ContextMenuKeyOpensTheViewersMenu)
{
    window.show();
    openSample();
    window.SyntaxMemo1->setFocus();
    for (auto [key, modifiers] : { std::pair { Qt::Key_Menu, Qt::KeyboardModifiers() },
             std::pair { Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier) } }) {
        QTest::keyClick(window.SyntaxMemo1, key, modifiers);
        ASSERT_TRUE(window.pmnSyntaxMemo->isVisible()) << key;
        QRect viewer(window.SyntaxMemo1->mapToGlobal(QPoint(0, 0)), window.SyntaxMemo1->size());
        EXPECT_TRUE(viewer.contains(window.pmnSyntaxMemo->pos())) << "opened in the viewer";
        window.pmnSyntaxMemo->hide();
    }
}

TEST_F(SourceDisplayWindow, SelectionEnablesCollapseExpandAndItFlipsTheWholeBranch)
{
    openSample();
    TTreeNode* unit = node("Main.pas");
    window.treView->setCurrentIndex(window.treeModel().indexOf(unit));
    EXPECT_TRUE(window.tbbtnCmpExpTre->isEnabled());
    window.tbbtnCmpExpTre->trigger();
    TTreeNode* category = node("TfrmMain", unit);
    EXPECT_TRUE(window.treView->isExpanded(window.treeModel().indexOf(unit)));
    EXPECT_TRUE(window.treView->isExpanded(window.treeModel().indexOf(category)));
    window.tbbtnCmpExpTre->trigger();
    EXPECT_FALSE(window.treView->isExpanded(window.treeModel().indexOf(unit)));
    EXPECT_FALSE(category->expanded());

    window.treView->setCurrentIndex(window.treeModel().indexOf(node("FormCreate", unit)));
    EXPECT_FALSE(window.tbbtnCmpExpTre->isEnabled());
}

// Ctrl+F in the viewer runs Find when F comes up, also when Ctrl was let go first (as people and the X
// server's test tools often do: the release of F then carries no modifier); Ctrl+Shift+F does not.
TEST_F(SourceDisplayWindow, CtrlFInTheViewerRunsFindButCtrlShiftFDoesNot)
{
    openSample();
    auto findShown = [this] {
        return window.viewerFind() && window.viewerFind()->dialog() && window.viewerFind()->dialog()->isVisible();
    };
    QTest::keyClick(window.SyntaxMemo1, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window.viewerFind(), nullptr);
    QTest::keyClick(window.SyntaxMemo1, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(findShown());
    window.viewerFind()->dialog()->hide();

    QTest::keyPress(window.SyntaxMemo1, Qt::Key_Control, Qt::ControlModifier);
    QTest::keyPress(window.SyntaxMemo1, Qt::Key_F, Qt::ControlModifier);
    QTest::keyRelease(window.SyntaxMemo1, Qt::Key_Control, Qt::NoModifier);
    EXPECT_FALSE(findShown()) << "not before F comes up";
    QTest::keyRelease(window.SyntaxMemo1, Qt::Key_F, Qt::NoModifier);
    EXPECT_TRUE(findShown());
}

// F3 and Shift+F3 repeat the last search without the dialog, from the viewer, the tree or the dialog;
// before any search F3 opens the Find dialog.
TEST_F(SourceDisplayWindow, F3RepeatsTheLastSearch)
{
    window.show();
    openSample();
    TSyntaxMemo* memo = window.SyntaxMemo1;
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_F3);
    ASSERT_TRUE(window.viewerFind() && window.viewerFind()->dialog());
    TFindDialog* dialog = window.viewerFind()->dialog();
    EXPECT_TRUE(dialog->isVisible()) << "no search yet: the dialog";
    std::vector<TSearchMessage> messages;
    window.viewerFind()->showMessage = [&](const TSearchMessage& m) { messages.push_back(m); };

    // Sample.dpr creates its three forms with "CreateForm".
    dialog->setFindText("createform");
    dialog->findNextButton()->click();
    int first = memo->selStart();
    ASSERT_EQ(memo->selText(), "CreateForm");
    dialog->hide();
    QTest::keyClick(memo, Qt::Key_F3);
    int second = memo->selStart();
    EXPECT_GT(second, first);
    QTest::keyClick(window.treView, Qt::Key_F3);
    int third = memo->selStart();
    EXPECT_GT(third, second);
    QTest::keyClick(memo, Qt::Key_F3);
    EXPECT_EQ(memo->selStart(), third);
    ASSERT_EQ(messages.size(), 1u) << "the fourth is not there";
    EXPECT_EQ(messages[0].kind, TSearchMessage::NotFound);
    QTest::keyClick(memo, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(memo->selStart(), second);
    dialog->show();
    QTest::keyClick(dialog, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(memo->selStart(), first) << "in the dialog too";
    EXPECT_FALSE(dialog->isHidden());
}

TEST_F(SourceDisplayWindow, ContextMenuNeedsASelectionAndCopies)
{
    openSample();
    emit window.pmnSyntaxMemo->aboutToShow();
    EXPECT_FALSE(window.pmnuCopy->isEnabled());
    EXPECT_FALSE(window.pmnuPrtSelTxt->isEnabled());
    window.SyntaxMemo1->setSel(0, 7);
    emit window.pmnSyntaxMemo->aboutToShow();
    EXPECT_TRUE(window.pmnuCopy->isEnabled());
    EXPECT_TRUE(window.pmnuPrtSelTxt->isEnabled());
    window.pmnuCopy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "program");
}

TEST_F(SourceDisplayWindow, WordWrapAndLineNumbersFollowTheirSettings)
{
    bool wrap = window.browser().settings().WrdWrp;
    window.tbbtnWrdWrp->trigger();
    EXPECT_EQ(window.browser().settings().WrdWrp, !wrap);
    EXPECT_EQ(window.SyntaxMemo1->options().has(smoWordWrap), !wrap);
    EXPECT_EQ(window.tbbtnWrdWrp->isChecked(), !wrap);
    window.tbbtnWrdWrp->trigger();
    EXPECT_EQ(window.SyntaxMemo1->options().has(smoWordWrap), wrap);
    EXPECT_EQ(window.tbbtnWrdWrp->isChecked(), wrap);

    window.browser().settings().ShLnNum = true;
    window.applyLineNumbers();
    EXPECT_TRUE(window.SyntaxMemo1->options().has(smoShowGutter));
    EXPECT_TRUE(window.SyntaxMemo1->options().has(smoLineNumbers));
    window.toggleLineNumbers();
    EXPECT_FALSE(window.SyntaxMemo1->options().has(smoShowGutter));
    EXPECT_FALSE(window.SyntaxMemo1->options().has(smoLineNumbers));
}

TEST_F(SourceDisplayWindow, ChangedOptionsAskToReload)
{
    std::vector<QString> pages;
    window.setOptionsDialogRunner([&](const QString& page) {
        pages.push_back(page);
        window.display().setOptionsChanged(true);
    });
    window.mnuViewer->trigger();
    EXPECT_TRUE(questions.empty()) << "nothing to reload without a tree";
    EXPECT_FALSE(window.display().optionsChanged());

    openSample();
    click(node("Main.pas"));
    window.mnuViewer->trigger();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "Options have changed - Do you want to reload the file?");
    EXPECT_EQ(line(0), "unit Main;") << "No keeps what is shown";
    answer = true;
    window.mnuViewer->trigger();
    EXPECT_EQ(line(0), "program Sample;") << "Yes opens the project again";
    EXPECT_FALSE(window.display().optionsChanged());

    window.pmnuSynTxProp->trigger();
    EXPECT_EQ(questions.size(), 2u) << "Syntax Highlighting asks nothing";
    EXPECT_EQ(pages, (std::vector<QString> { "Viewer", "Viewer", "Viewer", "Syntax Highlighting" }));
}

// Clicking and double-clicking every node, with and without the files behind them, never leaves the
// viewer or the window with painting held.
TEST_F(SourceDisplayWindow, EveryNodeLeavesTheViewerUpdating)
{
    auto everyNode = [this] {
        std::vector<TTreeNode*> nodes;
        std::function<void(TTreeNode*)> walk = [&](TTreeNode* n) {
            nodes.push_back(n);
            for (size_t i = 0; i < n->count(); ++i)
                walk(n->child(i));
        };
        for (size_t i = 0; i < window.browser().tree().topCount(); ++i)
            walk(window.browser().tree().top(i));
        return nodes;
    };
    auto clickAll = [&] {
        for (TTreeNode* n : everyNode()) {
            click(n);
            expectUpdating();
            window.display().mouseDown(n, false, true);
            window.display().mouseUp(false, true);
            window.treViewDblClick();
            expectUpdating();
        }
    };
    openSample();
    expectUpdating();
    clickAll();
    for (const char* gone : { "Sample/Main.pas", "Sample/About.dfm", "Sample/Sample.dof",
             "Sample/Options.pas", "Lib/TextTools.pas", "Sample/Sample.dpr" })
        std::filesystem::remove(dir.path() / "examples" / gone);
    errors.clear();
    clickAll();
    EXPECT_FALSE(errors.empty()) << "the vanished files were reported";
}

// A picture of the window showing a binary form as text. Runs only when LRL_SCREENSHOT_FORM names the PNG
// file to write (run it under a virtual X display).
TEST(DisplayScreenshot, BinaryFormShownAsText)
{
    QString target = qEnvironmentVariable("LRL_SCREENSHOT_FORM");
    if (target.isEmpty())
        GTEST_SKIP() << "set LRL_SCREENSHOT_FORM to the PNG file to write";
    TempDir dir;
    TfrmLrlDelphi window(nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()));
    window.setMessageSink([](bool, const QString&) {});
    window.browser().settings().ShFrm = true;
    window.resize(900, 600);
    window.show();
    window.openFile(QString::fromStdString((kExamples / "Sample/Sample.dpr").string()));
    QAbstractItemModel* model = window.treView->model();
    QModelIndexList found = model->match(model->index(0, 0), Qt::DisplayRole, QStringLiteral("About.dfm"), 1,
        Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty());
    window.treView->setCurrentIndex(found.first());
    window.treViewClick();
    window.treView->setFocus();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    ASSERT_TRUE(window.grab().save(target));
}
