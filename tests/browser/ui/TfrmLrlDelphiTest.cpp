#include "browser/ui/TfrmLrlDelphi.h"
#include "browser/BrowserConstants.h"
#include "browser/TreeModel.h"
#include "browser/ui/TreeItemModel.h"
#include "support/TempDir.h"
#include "viewer/ui/TSyntaxMemo.h"
#include "widgets/PathLabel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <vector>

using namespace lrl;
using lrl::test::TempDir;

namespace {

QString samplePath(const char* name)
{
    return QString::fromLatin1(LRL_SOURCE_DIR "/examples/Sample/") + name;
}

// The window with its message boxes recorded instead of shown, and the item model checked by Qt's model
// tester through every change.
class Window : public ::testing::Test {
protected:
    Window()
        : window(nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()))
        , tester(&window.treeModel(), QAbstractItemModelTester::FailureReportingMode::Fatal)
    {
        window.setMessageSink(
            [this](bool error, const QString& text) { (error ? errors : notices).push_back(text); });
    }

    // The view's rows below parent, as "caption [image] @data" lines with two spaces per level, taken
    // from what the view shows (display text, the image shown now and the Data role).
    std::vector<std::string> shownRows(const QModelIndex& parent = {}, int level = 0)
    {
        std::vector<std::string> rows;
        QAbstractItemModel* model = window.treView->model();
        for (int r = 0; r < model->rowCount(parent); ++r) {
            QModelIndex i = model->index(r, 0, parent);
            std::string row(static_cast<size_t>(level) * 2, ' ');
            row += i.data().toString().toStdString();
            row += " [" + std::to_string(i.data(TreeItemModel::ImageIndexRole).toInt()) + "]";
            if (QVariant d = i.data(TreeItemModel::DataRole); d.isValid())
                row += " @" + std::to_string(d.toInt());
            rows.push_back(row);
            for (const auto& below : shownRows(i, level + 1))
                rows.push_back(below);
        }
        return rows;
    }

    // The number of nodes in the browser's tree.
    static size_t expectedRows(const TreeModel& tree)
    {
        size_t n = 0;
        std::function<void(const TTreeNode*)> count = [&](const TTreeNode* node) {
            ++n;
            for (size_t i = 0; i < node->count(); ++i)
                count(node->child(i));
        };
        for (size_t i = 0; i < tree.topCount(); ++i)
            count(tree.top(i));
        return n;
    }

    // A copy of the sample project whose project file names a unit that is not there (DemoData.pas).
    QString missingUnitProject()
    {
        std::filesystem::path examples = dir.path() / "examples";
        std::filesystem::copy(LRL_SOURCE_DIR "/examples", examples, std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(std::filesystem::path(LRL_TEST_DATA_DIR) / "projects/MissingUnit.dpr",
            examples / "Sample/Sample.dpr", std::filesystem::copy_options::overwrite_existing);
        return QString::fromStdString((examples / "Sample/Sample.dpr").string());
    }

    QModelIndex find(const QString& caption)
    {
        QModelIndexList found = window.treView->model()->match(window.treView->model()->index(0, 0),
            Qt::DisplayRole, caption, 1, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? QModelIndex() : found.first();
    }

    TempDir dir;
    TfrmLrlDelphi window;
    QAbstractItemModelTester tester;
    std::vector<QString> errors;
    std::vector<QString> notices;
};

} // namespace

TEST_F(Window, StartsEmptyWithItsControls)
{
    EXPECT_EQ(window.windowTitle(), "Listrel for Delphi");
    EXPECT_EQ(window.treView->model()->rowCount(), 0);
    EXPECT_FALSE(window.tmpMemo->isVisibleTo(&window));
    EXPECT_FALSE(window.ProgressBar1->isVisibleTo(&window));
    EXPECT_FALSE(window.sbtnAbortPrint->isEnabled());
    EXPECT_EQ(window.sbtnAbortPrint->text(), "Abort Print");
    EXPECT_FALSE(window.mnuFind->isEnabled());
    EXPECT_FALSE(window.tbbtnPrtTree->isEnabled());
    EXPECT_EQ(window.tbbtnOpen->menu(), window.pmnuOpen);
    EXPECT_EQ(window.tbbtnOpen->toolTip(), "Open Delphi file");
    EXPECT_EQ(window.images().icon(23).isNull(), false);
    EXPECT_TRUE(window.images().icon(24).isNull());
}

TEST_F(Window, OpenDialogFilterNamesTheFourKinds)
{
    EXPECT_EQ(TfrmLrlDelphi::openDialogFilter(),
        "Delphi Files (*.dpr, *.dof, *.pas, *.dfm) (*.dpr *.dof *.pas *.dfm);;"
        "Delphi Project File (*.dpr) (*.dpr);;Delphi Options File (*.dof) (*.dof);;"
        "Delphi Pascal Unit (*.pas) (*.pas);;Delphi Form File (*.dfm) (*.dfm)");
}

// The view shows exactly the browser's tree: captions, images and routine offsets; the status panels
// describe the project. The bundled sample opens without an error box.
TEST_F(Window, OpeningTheSampleProjectShowsItsTreeAndStatus)
{
    window.openFile(samplePath("Sample.dpr"));

    std::vector<std::string> rows = shownRows();
    ASSERT_GE(rows.size(), 7u);
    EXPECT_EQ(rows[0], "Sample.dpr [0]") << "the root is selected but the project image has no partner";
    EXPECT_EQ(rows[1], "  ..\\Lib\\TextTools.pas [3]") << "sorted without regard to letter case";
    EXPECT_EQ(rows[2], "    Proc/Func [20]");
    EXPECT_EQ(rows.size(), expectedRows(window.browser().tree())) << "every node of the tree is shown";
    EXPECT_NE(std::find(rows.begin(), rows.end(), "  ..\\Lib\\TextTools.pas [3]"), rows.end());

    // Every routine row carries its offset, which is the browser's Data of that node.
    const TTreeNode* main = nullptr;
    const TTreeNode* root = window.browser().tree().firstNode();
    for (size_t i = 0; i < root->count(); ++i)
        if (root->child(i)->text() == "Main.pas")
            main = root->child(i);
    ASSERT_NE(main, nullptr);
    const TTreeNode* form = main->firstChild();
    ASSERT_NE(form, nullptr);
    const TTreeNode* routine = form->firstChild();
    ASSERT_TRUE(routine && routine->data());
    QModelIndex shown = window.treeModel().indexOf(routine);
    EXPECT_EQ(shown.data(TreeItemModel::DataRole).toInt(), *routine->data());
    EXPECT_EQ(shown.data().toString().toStdString(), routine->text());

    EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(window.Panel3->text(), "Project... 5 unit(s)");
    EXPECT_TRUE(window.Panel4->text().startsWith("Sample.dpr... ")) << window.Panel4->text().toStdString();
    EXPECT_TRUE(window.Panel4->text().contains(" lines "));
    QFileInfo dpr(samplePath("Sample.dpr"));
    EXPECT_TRUE(window.Panel5->text().startsWith("Last modified... "));
    EXPECT_TRUE(window.Panel5->text().endsWith(QStringLiteral("  (%1) bytes  Windows-1252").arg(dpr.size())));
    EXPECT_EQ(window.FileLabel1->path(), samplePath("Sample.dpr"));
    EXPECT_TRUE(window.mnuFind->isEnabled());
    EXPECT_TRUE(window.tbbtnPrtTree->isEnabled());
    EXPECT_FALSE(window.ProgressBar1->isVisibleTo(&window));
    // The viewer shows the project file.
    EXPECT_EQ(window.SyntaxMemo1->lineText(0), "program Sample;");
    EXPECT_EQ(window.treView->currentIndex(), window.treView->model()->index(0, 0));
}

// A unit saved as UTF-8 with a byte-order mark: no mark before "unit", the umlauts in the tree, on
// screen and in the status area's encoding.
TEST_F(Window, UnitInUtf8ShowsItsCharacters)
{
    window.openFile(QString::fromLatin1(LRL_TEST_DATA_DIR "/encoding/utf8-bom.pas"));
    EXPECT_EQ(window.SyntaxMemo1->lineText(0), "unit Umlaute;");
    EXPECT_EQ(window.SyntaxMemo1->codePage(), 1252);
    QAbstractItemModel* model = window.treView->model();
    QModelIndexList found = model->match(model->index(0, 0), Qt::DisplayRole, QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e"), 1,
        Qt::MatchExactly | Qt::MatchRecursive);
    EXPECT_EQ(found.size(), 1);
    EXPECT_TRUE(window.Panel5->text().endsWith(QStringLiteral(" bytes  UTF-8 BOM"))) << window.Panel5->text().toStdString();

    window.openFile(QString::fromLatin1(LRL_TEST_DATA_DIR "/encoding/utf8-cyrillic.pas"));
    EXPECT_EQ(window.SyntaxMemo1->codePage(), 1251);
    EXPECT_EQ(window.SyntaxMemo1->styleFonts().codePage(), 1251); // the glyphs follow the text
}

TEST_F(Window, SelectedNodeShowsItsSelectedImage)
{
    window.openFile(samplePath("Sample.dpr"));
    QModelIndex unit = find("Main.pas");
    ASSERT_TRUE(unit.isValid());
    EXPECT_EQ(unit.data(TreeItemModel::ImageIndexRole).toInt(), img::Unit);
    window.treView->setCurrentIndex(unit);
    EXPECT_EQ(window.browser().tree().selected()->text(), "Main.pas");
    EXPECT_EQ(unit.data(TreeItemModel::ImageIndexRole).toInt(), img::UnitSelected);
    window.treView->setCurrentIndex(find("About.pas"));
    EXPECT_EQ(unit.data(TreeItemModel::ImageIndexRole).toInt(), img::Unit);
}

// A project that names a unit which is not there: the unit is reported once and shown as missing.
TEST_F(Window, MissingUnitIsReportedOnceAndShownAsMissing)
{
    window.openFile(missingUnitProject());
    std::vector<std::string> rows = shownRows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "  DemoData.pas [22]"), rows.end());
    EXPECT_EQ(errors, std::vector<QString> { "File DemoData.pas was not found." });
    EXPECT_EQ(window.Panel3->text(), "Project... 6 unit(s)");
}

TEST_F(Window, FormsAndOptionsFollowTheSettings)
{
    window.browser().settings().ShFrm = true;
    window.browser().settings().ShOpt = true;
    window.openFile(missingUnitProject());
    EXPECT_TRUE(find("Options (dof)").isValid());
    QModelIndex forms = find("Form(s) (dfm)");
    ASSERT_TRUE(forms.isValid());
    // Inventory.pas has no form: its node went again; DemoData.pas is missing, so its form stays.
    std::vector<std::string> formRows;
    for (int r = 0; r < window.treView->model()->rowCount(forms); ++r)
        formRows.push_back(window.treView->model()->index(r, 0, forms).data().toString().toStdString());
    EXPECT_EQ(
        formRows, (std::vector<std::string> { "About.dfm", "DemoData.dfm", "Main.dfm", "Options.dfm" }));
    EXPECT_EQ(window.Panel3->text(), "Project... 4 form(s)   6 unit(s)");
}

TEST_F(Window, ReopeningReplacesTheTree)
{
    window.openFile(samplePath("Sample.dpr"));
    window.openFile(samplePath("Inventory.pas"));
    std::vector<std::string> rows = shownRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], "Inventory.pas [4]") << "the unit root, selected";
    EXPECT_TRUE(window.treView->isExpanded(window.treView->model()->index(0, 0)));
    EXPECT_EQ(window.Panel3->text(), "");
    EXPECT_TRUE(window.Panel4->text().startsWith("Inventory.pas... "));
}

TEST_F(Window, DropsOfSeveralOrForeignFilesOpenNothing)
{
    window.dropFiles({ samplePath("Sample.dpr"), samplePath("Main.pas") });
    EXPECT_EQ(notices, std::vector<QString> { "Only ONE file can be dropped!" });
    EXPECT_EQ(window.treView->model()->rowCount(), 0);

    notices.clear();
    window.dropFiles({ QString::fromLatin1(LRL_SOURCE_DIR "/README.md") });
    EXPECT_EQ(notices, std::vector<QString> { "Only [DPR,DFM,PAS and DOF] files can be dropped!" });
    EXPECT_EQ(window.treView->model()->rowCount(), 0);
}

// Files dropped on the tree arrive through its viewport; the open runs once the drop is answered.
TEST_F(Window, FileDroppedOnTheTreeIsOpened)
{
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile(samplePath("About.pas")) });
    QWidget* target = window.treView->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
    QCoreApplication::processEvents();
    std::vector<std::string> rows = shownRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], "About.pas [4]");
}

TEST_F(Window, CommandLineIsHandledAsADrop)
{
    window.openCommandLine({});
    EXPECT_EQ(window.treView->model()->rowCount(), 0);
    window.openCommandLine({ samplePath("Sample.dof") });
    ASSERT_EQ(shownRows(), std::vector<std::string> { "Sample.dof [16]" });
    window.openCommandLine({ samplePath("Sample.dof"), samplePath("Main.pas") });
    EXPECT_EQ(notices, std::vector<QString> { "Only ONE file can be dropped!" });
}

TEST_F(Window, OpenedFilesBecomeRecentMenuItems)
{
    window.openFile(samplePath("Main.pas"));
    window.openFile(samplePath("About.pas"));
    QMetaObject::invokeMethod(window.mnuFile, "aboutToShow");
    QStringList captions;
    for (QAction* a : window.mnuFile->actions())
        captions << a->text();
    int sep = static_cast<int>(window.mnuFile->actions().indexOf(window.mnuMRUSep));
    ASSERT_GE(sep, 0);
    ASSERT_GT(captions.size(), sep + 4);
    EXPECT_TRUE(window.mnuFile->actions()[sep + 1]->toolTip().endsWith("About.pas"));
    EXPECT_TRUE(window.mnuFile->actions()[sep + 2]->toolTip().endsWith("Main.pas"));
    EXPECT_TRUE(captions.contains("&Clear MRU List"));
    EXPECT_EQ(captions.last(), "&Exit");

    // Opening the Open button's menu moves the items there.
    QMetaObject::invokeMethod(window.pmnuOpen, "aboutToShow");
    EXPECT_FALSE(window.mnuFile->actions().contains(window.pmnuOpen->actions().value(2)));
    EXPECT_GT(window.pmnuOpen->actions().size(), 4);
}

// A big file steps the progress bar once per token, but the bar is set only when its fill moves: far
// fewer times than there are tokens.
// The Open dialog starts in the opened file's folder, else in the folder a file was last opened from;
// folders that are gone are passed over.
TEST_F(Window, OpenDialogStartsInTheFolderOfTheOpenedOrTheLastFile)
{
    EXPECT_EQ(window.openDialogFolder(), QString()) << "nothing to go by";
    std::string older = dir.write("old/Older.pas", "unit Older;\r\ninterface\r\nimplementation\r\nend.\r\n");
    std::string last = dir.write("last/Last.pas", "unit Last;\r\ninterface\r\nimplementation\r\nend.\r\n");
    window.recentFiles().add(older);
    window.recentFiles().add(last);
    QString lastFolder = QString::fromStdString((dir.path() / "last").string());
    EXPECT_EQ(window.openDialogFolder(), lastFolder) << "the most recent file's folder";

    window.openFile(samplePath("Sample.dpr"));
    EXPECT_EQ(window.openDialogFolder(), QFileInfo(samplePath("Sample.dpr")).absolutePath());

    // The opened file's folder vanished: the most recent file's folder, which is the opened one's too
    // here, is gone as well, and the next is taken.
    std::string gone = dir.write("gone/Gone.pas", "unit Gone;\r\ninterface\r\nimplementation\r\nend.\r\n");
    window.openFile(QString::fromStdString(gone));
    std::filesystem::remove_all(dir.path() / "gone");
    window.recentFiles().add(last);
    EXPECT_EQ(window.openDialogFolder(), lastFolder);
    std::filesystem::remove_all(dir.path() / "last");
    EXPECT_EQ(window.openDialogFolder(), QString());
}

TEST_F(Window, ProgressBarIsSetOnlyWhenItsFillMoves)
{
    std::string text = "unit Big;\r\ninterface\r\nimplementation\r\n";
    for (int i = 0; i < 10050; ++i)
        text += "  X := X + " + std::to_string(i) + ";\r\n";
    text += "end.\r\n";
    std::string path = dir.write("Big.pas", text);
    window.show();
    int sets = 0;
    QObject::connect(window.ProgressBar1, &QProgressBar::valueChanged, [&sets] { ++sets; });
    window.openFile(QString::fromStdString(path));
    EXPECT_GT(sets, 0);
    // Stepping by 5 per token runs the bar round a few times over this text (it starts again at the
    // start); each round moves the fill once per pixel. Setting it per token would be some 80,000 times.
    EXPECT_LE(sets, 10 * (window.ProgressBar1->width() + 2));
    EXPECT_FALSE(window.ProgressBar1->isVisibleTo(&window));
}

TEST_F(Window, MissingFileIsReportedAndLeavesAnEmptyTree)
{
    window.openFile(QString::fromStdString((dir.path() / "Gone.pas").string()));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].startsWith("File ") && errors[0].endsWith("Gone.pas was not found."));
    EXPECT_EQ(window.treView->model()->rowCount(), 0);
}
