#include "RecordingUi.h"

#include "browser/BrowserConstants.h"
#include "browser/PrintJobs.h"
#include "browser/PrintMarks.h"
#include "browser/PrintReview.h"
#include "browser/ProjectBrowser.h"
#include "browser/TextCompare.h"
#include "browser/TreeDump.h"
#include "browser/TreeReorder.h"
#include "common/Exception.h"
#include "common/MemorySettingsStore.h"
#include "support/FakePascalViewer.h"
#include "support/ShippedPascalViewer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace lrl;
using lrl::test::FakePascalViewer;
using lrl::test::RecordingUi;
using lrl::test::TempDir;

namespace {

const char* kProject = "program P;\r\nuses\r\n  Forms,\r\n  Unit1 in 'Unit1.pas' {Form1},\r\n"
                       "  Unit2 in 'Unit2.pas';\r\nbegin\r\n  Application.Run;\r\nend.\r\n";
const char* kUnit1 = "unit Unit1;\r\n"
                     "interface\r\n"
                     "type\r\n"
                     "  TForm1 = class(TForm)\r\n"
                     "    procedure FormCreate(Sender: TObject);\r\n"
                     "  end;\r\n"
                     "implementation\r\n"
                     "\r\n"
                     "procedure TForm1.FormCreate(Sender: TObject);\r\n"
                     "var\r\n"
                     "  I: Integer;\r\n"
                     "begin\r\n"
                     "  case I of\r\n"
                     "    0: try Beep; finally end;\r\n"
                     "  end;\r\n"
                     "end;\r\n"
                     "\r\n"
                     "end.\r\n";
const char* kUnit2 = "unit Unit2;\r\ninterface\r\nimplementation\r\nend.\r\n";
const char* kForm1 = "object Form1: TForm1\r\n  Caption = 'Form1'\r\nend\r\n";
const char* kOptions = "[Compiler]\r\nA=1\r\n";

struct Sent {
    std::string title;
    std::string text;
};

class FakeBuffer : public PrintBuffer {
public:
    BrowserViewer& text() override { return viewer; }
    void setPrintOptions(const PrintBufferOptions& o) override { options = o; }
    void setTitle(const std::string& t) override { title = t; }
    FakePascalViewer viewer;
    PrintBufferOptions options;
    std::string title;
};

class FakeTarget : public PrintTarget {
public:
    PrintPageRect setUp(const PrintMargins& m) override
    {
        margins = m;
        return { 0, 0, 4000, 6000 };
    }
    bool previewing() const override { return preview; }
    // Ten units per character.
    int textWidth(const std::string& text) override { return static_cast<int>(text.size()) * 10; }
    void send(PrintBuffer& buffer) override
    {
        auto& b = static_cast<FakeBuffer&>(buffer);
        sent.push_back({ b.title, b.viewer.text() });
        if (onSend)
            onSend();
    }
    PrintMargins margins;
    bool preview = false;
    std::vector<Sent> sent;
    std::function<void()> onSend;
};

class PrintJobsTest : public ::testing::Test {
protected:
    PrintJobsTest()
        : browser(viewer, ui, (dir.path() / "LrlDFileInfo.Dat").string())
        , jobs(browser, viewer, buffer, target, ui, store)
    {
        browser.settings().ShFrm = true;
        browser.settings().ShOpt = true;
        store.writeString("PrtOps", "hdr", "2"); // titles are the captions
    }

    void openSample()
    {
        dir.write("Proj/Unit1.pas", kUnit1);
        dir.write("Proj/Unit1.dfm", kForm1);
        dir.write("Proj/Unit2.pas", kUnit2);
        dir.write("Proj/P.dof", kOptions);
        browser.openFile(dir.write("Proj/P.dpr", kProject));
    }
    TTreeNode* root() { return browser.tree().firstNode(); }
    TTreeNode* find(const std::string& caption, TTreeNode* under = nullptr)
    {
        TTreeNode* start = under ? under : root();
        if (start->text() == caption)
            return start;
        for (size_t i = 0; i < start->count(); ++i)
            if (TTreeNode* n = find(caption, start->child(i)))
                return n;
        return nullptr;
    }
    void click(TTreeNode* node, MarkModifiers mods = {}, bool separate = false)
    {
        PrintMarks(browser.tree(), browser.projectImage()).click(node, mods, separate);
    }
    bool anyMarked() { return PrintMarks(browser.tree(), browser.projectImage()).anyMarked(); }
    std::vector<std::string> titles()
    {
        std::vector<std::string> out;
        for (const Sent& s : target.sent)
            out.push_back(s.title);
        return out;
    }
    // Node captions with their marks, for the nodes that carry one.
    std::string marks()
    {
        std::ostringstream out;
        std::function<void(TTreeNode*)> walk = [&](TTreeNode* n) {
            if (n->stateIndex() != mark::None)
                out << n->text() << "=" << n->stateIndex() << " ";
            for (size_t i = 0; i < n->count(); ++i)
                walk(n->child(i));
        };
        for (size_t i = 0; i < browser.tree().topCount(); ++i)
            walk(browser.tree().top(i));
        return out.str();
    }

    TempDir dir;
    FakePascalViewer viewer;
    RecordingUi ui;
    MemorySettingsStore store;
    ProjectBrowser browser;
    FakeBuffer buffer;
    FakeTarget target;
    PrintJobs jobs;
};

} // namespace

TEST_F(PrintJobsTest, MarkingFollowsTheKindOfTheClickedNode)
{
    openSample();
    ASSERT_EQ(root()->count(), 4u); // forms folder, options, two units
    click(root());
    EXPECT_EQ(marks(), "P.dpr=13 Form(s) (dfm)=13 Options (dof)=13 Unit1.pas=13 Unit2.pas=13 ");
    EXPECT_TRUE(anyMarked());
    click(root());
    EXPECT_EQ(marks(), "");
    EXPECT_FALSE(anyMarked());

    click(root(), { .alt = true });
    EXPECT_EQ(marks(),
        "P.dpr=14 Form(s) (dfm)=14 Unit1.dfm=15 Options (dof)=14 Unit1.pas=14 FormCreate=15 Unit2.pas=14 ");
    click(root());
    click(root(), {}, /*separate pages*/ true);
    EXPECT_EQ(marks(),
        "P.dpr=14 Form(s) (dfm)=14 Unit1.dfm=15 Options (dof)=14 Unit1.pas=14 FormCreate=15 Unit2.pas=14 ");
    click(root());

    click(root(), { .ctrl = true });
    EXPECT_EQ(marks(), "P.dpr=15 ");
    click(root());

    // Categories and the forms folder are never marked; a unit unmarks its forms and routines.
    click(find("TForm1"));
    click(find(kFormsFolder));
    EXPECT_EQ(marks(), "");
    click(find("Unit1.pas"), { .alt = true });
    EXPECT_EQ(marks(), "Unit1.pas=14 FormCreate=15 ");
    click(find("Unit1.pas"));
    EXPECT_EQ(marks(), "");
    click(find("Unit1.dfm"));
    click(find("Options (dof)"));
    EXPECT_EQ(marks(), "Unit1.dfm=13 Options (dof)=13 ");
}

TEST_F(PrintJobsTest, ARoutineIsMarkableAloneOnlyWhileItsUnitIsUnmarked)
{
    openSample();
    TTreeNode* unit = find("Unit1.pas");
    TTreeNode* routine = find("FormCreate");
    click(unit);
    click(routine);
    EXPECT_EQ(marks(), "Unit1.pas=13 ");
    click(unit);
    click(routine);
    EXPECT_EQ(marks(), "FormCreate=15 ");
    // The unit cannot be marked while one of its routines is.
    click(unit);
    EXPECT_EQ(marks(), "FormCreate=15 ");
    // And the project root not while anything below it is.
    click(root());
    EXPECT_EQ(marks(), "FormCreate=15 ");
    click(routine);
    EXPECT_FALSE(anyMarked());
}

TEST_F(PrintJobsTest, MarkedRootPrintsEveryFileInTreeOrderAndLeavesNoMarks)
{
    openSample();
    click(root());
    jobs.runMarked();
    EXPECT_EQ(titles(), (std::vector<std::string> { "P.dpr", "Unit1.dfm", "Options (dof)", "Unit1.pas", "Unit2.pas" }));
    EXPECT_EQ(target.sent[0].text, lrl::test::toViewerText(kProject));
    EXPECT_EQ(target.sent[1].text, lrl::test::toViewerText(kForm1));
    EXPECT_EQ(target.sent[2].text, lrl::test::toViewerText(kOptions));
    EXPECT_EQ(target.sent[3].text, lrl::test::toViewerText(kUnit1));
    EXPECT_EQ(marks(), "");
    // The viewer shows the project file again, and the print options reached the buffer.
    EXPECT_EQ(viewer.text(), lrl::test::toViewerText(kProject));
    EXPECT_TRUE(buffer.options.fileName);
    EXPECT_FALSE(buffer.options.lineNumbers);
}

TEST_F(PrintJobsTest, SeparatePagesPrintHeadingsAndEachRoutineAsJobsOfTheirOwn)
{
    openSample();
    click(root(), { .alt = true });
    jobs.runMarked();
    EXPECT_EQ(titles(),
        (std::vector<std::string> { "P.dpr", "Unit1.dfm", "Options (dof)", "Unit1.pas", "TForm1 FormCreate",
            "Unit2.pas" }));
    // The heading ends before the first routine after implementation.
    EXPECT_EQ(target.sent[3].text,
        "unit Unit1;\rinterface\rtype\r  TForm1 = class(TForm)\r    procedure FormCreate(Sender: TObject);\r"
        "  end;\rimplementation\r\r");
    // The routine ends at its balanced end, across case ... end and try ... end.
    EXPECT_EQ(target.sent[4].text,
        "procedure TForm1.FormCreate(Sender: TObject);\rvar\r  I: Integer;\rbegin\r  case I of\r"
        "    0: try Beep; finally end;\r  end;\rend;\r");
    // A unit without routines is its own heading, whole, with nothing cut off.
    EXPECT_EQ(target.sent[5].text, lrl::test::toViewerText(kUnit2));
    EXPECT_EQ(marks(), "");
}

TEST_F(PrintJobsTest, CtrlMarkedRootPrintsTheProjectFileOnly)
{
    openSample();
    click(root(), { .ctrl = true });
    jobs.runMarked();
    EXPECT_EQ(titles(), (std::vector<std::string> { "P.dpr" }));
    EXPECT_EQ(marks(), "");
}

TEST_F(PrintJobsTest, ARoutineMarkedAlonePrintsAfterAnotherUnitsHeading)
{
    // Unit2 gets a routine early in its text, so that a heading end line of Unit1 would hide it.
    openSample();
    click(find("FormCreate"));
    jobs.runMarked();
    ASSERT_EQ(titles(), (std::vector<std::string> { "TForm1 FormCreate" }));
}

TEST_F(PrintJobsTest, MarginsAndTitlesComeFromThePrintOptions)
{
    openSample();
    store.writeString("PrtOps", "lmr", "00");
    store.writeString("PrtOps", "rmr", "25");
    jobs.setUpJob();
    EXPECT_DOUBLE_EQ(target.margins.left, 1.0);
    EXPECT_DOUBLE_EQ(target.margins.right, 0.25);
    EXPECT_DOUBLE_EQ(target.margins.top, 0.05);

    const std::string path = "/home/user/projects/delphi/sample/Unit1.pas";
    store.writeString("PrtOps", "hdr", "1");
    EXPECT_EQ(jobs.title(path, "Unit1.pas node"), "Unit1.pas");
    store.writeString("PrtOps", "hdr", "2");
    EXPECT_EQ(jobs.title(path, "Unit1.pas node"), "Unit1.pas node");
    store.writeString("PrtOps", "hdr", "3");
    EXPECT_EQ(jobs.title(path, "x"), "Listrel");
    browser.fileInfoWrite("CsmtTxt", "My project");
    EXPECT_EQ(jobs.title(path, "x"), "My project");
    // The path fits into 4000 / 40 * 31 = 3100 units, 310 characters here.
    store.writeString("PrtOps", "hdr", "0");
    EXPECT_EQ(jobs.title(path, "x"), path);
}

TEST_F(PrintJobsTest, AFailingFileEndsTheJobAndRestoresViewerAndStatus)
{
    openSample();
    ui.status[StatusPanel::Panel5] = "";
    const std::string before = browser.statusText(StatusPanel::Panel5);
    click(root());
    buffer.viewer.failingPaths.insert((dir.path() / "Proj/Unit1.pas").string());
    EXPECT_THROW(jobs.runMarked(), lrl::Exception);
    EXPECT_EQ(ui.status[StatusPanel::Panel5], before);
    EXPECT_EQ(viewer.text(), lrl::test::toViewerText(kProject));
    EXPECT_EQ(viewer.suspendDepth, 0);
}

TEST_F(PrintJobsTest, AbortStopsFurtherPiecesAndClearsTheMarks)
{
    openSample();
    click(root());
    target.onSend = [this] { jobs.requestAbort(); };
    jobs.runMarked();
    EXPECT_EQ(titles(), (std::vector<std::string> { "P.dpr" }));
    EXPECT_EQ(marks(), "");
    EXPECT_TRUE(jobs.abortRequested());
}

namespace {

// A begin/end count of its own over raw lines: comments and strings are passed over, begin, case and
// try open, end closes. Answers the index of the line at which the routine starting on line first is
// balanced.
size_t balancedEnd(const std::vector<std::string>& lines, size_t first)
{
    int open = 0;
    int close = 0;
    enum { Code, Brace, Paren } state = Code;
    for (size_t l = first; l < lines.size(); ++l) {
        const std::string& s = lines[l];
        for (size_t i = 0; i < s.size();) {
            if (state == Brace) {
                state = s[i] == '}' ? Code : Brace;
                ++i;
            } else if (state == Paren) {
                if (s.compare(i, 2, "*)") == 0) {
                    state = Code;
                    i += 2;
                } else
                    ++i;
            } else if (s[i] == '{') {
                state = Brace;
                ++i;
            } else if (s.compare(i, 2, "(*") == 0) {
                state = Paren;
                i += 2;
            } else if (s.compare(i, 2, "//") == 0) {
                break;
            } else if (s[i] == '\'') {
                size_t close_quote = s.find('\'', i + 1);
                i = close_quote == std::string::npos ? s.size() : close_quote + 1;
            } else if (std::isalpha(static_cast<unsigned char>(s[i])) || s[i] == '_') {
                size_t j = i;
                std::string word;
                while (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_'))
                    word += static_cast<char>(std::tolower(static_cast<unsigned char>(s[j++])));
                // A word after "&" or "." is a name, not a keyword.
                const bool name = i > 0 && (s[i - 1] == '&' || s[i - 1] == '.');
                if (!name && (word == "begin" || word == "case" || word == "try"))
                    ++open;
                else if (!name && word == "end")
                    ++close;
                i = j;
            } else
                ++i;
        }
        if (open == close && open != 0)
            return l;
    }
    return lines.size() - 1;
}

std::string bigUnitText()
{
    const char* fpc = "/usr/share/fpcsrc/3.2.2/packages/fcl-base/src/fpexprpars.pp";
    if (std::filesystem::exists(fpc)) {
        std::ifstream in(fpc, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), {} };
    }
    // Without the Free Pascal sources: a generated unit of many methods with nested blocks.
    std::string text = "unit Big;\ninterface\ntype\n  TBig = class\n  end;\nimplementation\n";
    for (int i = 0; i < 400; ++i) {
        text += "procedure TBig.M" + std::to_string(i) + "(A: Integer);\nvar\n  R: record X: Integer; end;\n"
            "begin\n  { begin } case A of\n    1: try\n      Writeln('end');\n    finally\n    end;\n"
            "  end;\n  if A > 0 then\n  begin\n    Exit;\n  end;\nend;\n\n";
    }
    return text + "end.\n";
}

} // namespace

TEST(PrintJobsRoutines, EveryRoutineOfALargeUnitPrintsExactlyItsLines)
{
    TempDir dir;
    lrl::test::ShippedPascalViewer shown;
    FakePascalViewer bufferViewer;
    RecordingUi ui;
    MemorySettingsStore store;
    ProjectBrowser browser(shown.adapter, ui, (dir.path() / "LrlDFileInfo.Dat").string());
    class NullBuffer : public PrintBuffer {
    public:
        explicit NullBuffer(BrowserViewer& v)
            : m_v(v)
        {
        }
        BrowserViewer& text() override { return m_v; }
        void setPrintOptions(const PrintBufferOptions&) override { }
        void setTitle(const std::string&) override { }
        BrowserViewer& m_v;
    } buffer(bufferViewer);
    FakeTarget target;
    PrintJobs jobs(browser, shown.adapter, buffer, target, ui, store);

    const std::string path = dir.write("Big.pas", bigUnitText());
    browser.openFile(path);
    const PrintJobs::TextTokens unit = jobs.loadWithTokens(path);
    ASSERT_GT(unit.lines.size(), 1000u);

    size_t routines = 0;
    std::vector<std::string> mismatches;
    TTreeNode* root = browser.tree().firstNode();
    for (size_t c = 0; c < root->count(); ++c) {
        TTreeNode* category = root->child(c);
        for (size_t r = 0; r < category->count(); ++r) {
            TTreeNode* routine = category->child(r);
            ASSERT_TRUE(routine->data().has_value());
            const int first = unit.lineOf(*routine->data());
            const std::vector<std::string> printed = PrintJobs::routineLines(unit, first);
            ++routines;
            // The first printed line is the routine's header: it names the routine after the offset.
            ASSERT_FALSE(printed.empty());
            const std::string header = lowerCase(printed.front());
            if (header.find(lowerCase(routine->text())) == std::string::npos)
                mismatches.push_back(routine->text() + ": header " + printed.front());
            const size_t last = balancedEnd(unit.lines, static_cast<size_t>(first));
            if (printed.size() != last - static_cast<size_t>(first) + 1)
                mismatches.push_back(category->text() + "." + routine->text() + ": "
                    + std::to_string(printed.size()) + " lines, own count "
                    + std::to_string(last - static_cast<size_t>(first) + 1));
        }
    }
    EXPECT_GT(routines, 100u);
    EXPECT_TRUE(mismatches.empty()) << mismatches.size() << " mismatches, first: " << mismatches.front();
}

TEST(PrintReviewTexts, ShowTheStoredPrintOptions)
{
    MemorySettingsStore store;
    BrowserSettings settings;
    PrintReviewTexts t = PrintReviewTexts::of("", settings, store, "Custom");
    EXPECT_EQ(t.printer, "[ Default printer ]");
    EXPECT_EQ(t.header, "File Name (w/path)");
    EXPECT_EQ(t.date, "ON");
    EXPECT_EQ(t.lineNumbers, "OFF");
    EXPECT_EQ(t.left, "0.05");

    store.writeString("PrtOps", "rbCt", "1");
    store.writeString("PrtOps", "lmr", "00");
    store.writeString("PrtOps", "tmr", "25");
    settings.Dt = false;
    t = PrintReviewTexts::of("Office", settings, store, "Custom");
    EXPECT_EQ(t.printer, "Office");
    EXPECT_EQ(t.header, "Custom");
    EXPECT_EQ(t.date, "OFF");
    EXPECT_EQ(t.left, "1.00");
    EXPECT_EQ(t.top, "0.25");
    settings.FlNm = false;
    EXPECT_EQ(PrintReviewTexts::of("", settings, store, "Custom").header, "OFF");
}

TEST_F(PrintJobsTest, DraggingSetsThePrintOrderWithinTheRules)
{
    openSample();
    TTreeNode* unit1 = find("Unit1.pas");
    TTreeNode* unit2 = find("Unit2.pas");
    TreeModel& tree = browser.tree();
    // A unit dropped on another unit moves before it; the walk then prints it first.
    EXPECT_TRUE(TreeReorder::drop(tree, unit2, nullptr, unit1, "", true));
    EXPECT_EQ(unit2->index() + 1, unit1->index());
    click(root());
    jobs.runMarked();
    EXPECT_EQ(titles(), (std::vector<std::string> { "P.dpr", "Unit1.dfm", "Options (dof)", "Unit2.pas", "Unit1.pas" }));

    // Not without the drag beginning on an icon, not a form onto a unit, not a unit onto the forms folder,
    // and a routine only onto a routine of its own unit.
    TTreeNode* form = find("Unit1.dfm");
    EXPECT_FALSE(TreeReorder::drop(tree, unit1, nullptr, unit2, "", false));
    EXPECT_FALSE(TreeReorder::drop(tree, form, nullptr, unit2, "", true));
    EXPECT_FALSE(TreeReorder::drop(tree, unit1, nullptr, find(kFormsFolder), "", true));
    TTreeNode* routine = find("FormCreate");
    EXPECT_FALSE(TreeReorder::accepts(routine, unit2, "Unit1.pas"));
    EXPECT_TRUE(TreeReorder::accepts(routine, routine, "Unit1.pas"));
    EXPECT_FALSE(TreeReorder::accepts(routine, routine, "Unit2.pas"));
    EXPECT_EQ(form->parent()->text(), kFormsFolder);
}

TEST(TreeModelMove, AMovedNodeKeepsItsChildrenAndItsSelection)
{
    TreeModel tree;
    TTreeNode* a = tree.add(nullptr, "a", 0, 0);
    TTreeNode* b = tree.add(a, "b", 3, 4);
    TTreeNode* c = tree.add(a, "c", 3, 4);
    tree.add(c, "c1", 18, 19);
    tree.select(c);
    tree.moveBefore(c, b);
    EXPECT_EQ(a->child(0), c);
    EXPECT_EQ(a->child(1), b);
    EXPECT_EQ(c->count(), 1u);
    EXPECT_EQ(tree.selected(), c);
    // Into its own subtree: nothing happens.
    tree.moveBefore(a, c->child(0));
    EXPECT_EQ(tree.firstNode(), a);
}
