#include "browser/TreePrintout.h"
#include "browser/PathEllipsis.h"
#include "browser/TreeModel.h"
#include "browser/TreePrintCanvas.h"
#include "common/MemorySettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace lrl;

namespace {

// Records what the printout draws. Fonts are 1/72 inch per point high, characters 0.6 of that wide.
class RecordingCanvas : public TreePrintCanvas {
public:
    struct Text {
        int page;
        int x;
        int y;
        std::string text;
        Font font;
    };
    struct Line {
        int page;
        int x1;
        int x2;
        int y;
    };

    explicit RecordingCanvas(int dpi = 300)
        : m_dpi(dpi)
    {
    }
    int resolution() const override { return m_dpi; }
    void setFont(const Font& font) override { m_font = font; }
    int lineHeight() const override { return static_cast<int>(std::lround(m_font.size * m_dpi / 72.0)); }
    int textWidth(const std::string& text) const override
    {
        return static_cast<int>(text.size() * lineHeight() * 6 / 10);
    }
    void textOut(int x, int y, const std::string& text) override
    {
        texts.push_back({ page, x, y, text, m_font });
    }
    void line(int x1, int x2, int y) override { lines.push_back({ page, x1, x2, y }); }
    void newPage() override { ++page; }

    const Text* find(const std::string& text) const
    {
        for (const Text& t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
    std::vector<std::string> textsOn(int p) const
    {
        std::vector<std::string> out;
        for (const Text& t : texts)
            if (t.page == p)
                out.push_back(t.text);
        return out;
    }

    std::vector<Text> texts;
    std::vector<Line> lines;
    int page = 1;

private:
    int m_dpi;
    Font m_font;
};

TreePrintout::Setup plainSetup()
{
    TreePrintout::Setup s;
    s.pageRect = { 15, 15, 2465, 3493 };
    s.pageWidth = 2480;
    s.header = false;
    s.pageNumbers = false;
    return s;
}

// A unit opened alone: the unit, its categories and their routines.
std::vector<TreePrintEntry> unitAlone()
{
    return {
        { 0, 3, "Unit1.pas" },
        { 1, 20, "Proc/Func" },
        { 2, 5, "Helper" },
        { 2, 7, "Compute" },
        { 1, 18, "TForm1" },
        { 2, 9, "Create" },
        { 2, 11, "Destroy" },
        { 2, 5, "FormShow" },
    };
}

} // namespace

TEST(TreePrintout, UnitOpenedAloneIsIndentedPerLevelAndClosedByOneStatsLine)
{
    test::TempDir dir;
    const std::string unit = dir.write("Unit1.pas", std::string(1234, 'x'));
    TreePrintout::Setup s = plainSetup();
    s.fileLabel = unit;
    RecordingCanvas c;
    EXPECT_EQ(TreePrintout(s, c).print(unitAlone()), 1);

    const auto* first = c.find("Unit1.pas");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->x, 15);
    EXPECT_EQ(first->y, 0); // no header: the first line at the very top
    EXPECT_EQ(c.find("Proc/Func")->x, 45);
    EXPECT_EQ(c.find("Helper")->x, 75);
    EXPECT_GT(c.find("Compute")->y, c.find("Helper")->y);
    // A line is the font's height plus the gap.
    EXPECT_EQ(c.find("Proc/Func")->y - first->y, 33 + 6);
    EXPECT_TRUE(c.lines.empty());

    int stats = 0;
    for (const auto& t : c.texts)
        stats += t.text.rfind("Stats... ", 0) == 0;
    EXPECT_EQ(stats, 1);
    const auto& last = c.texts.back();
    EXPECT_EQ(last.text.rfind(
                  "Stats... [2 procedure][1 function][1 constructor][1 destructor]   Last modified... ", 0),
        0u)
        << last.text;
    EXPECT_TRUE(last.text.ends_with("  (1234) bytes")) << last.text;
    EXPECT_EQ(last.x, 15);
}

TEST(TreePrintout, HeaderWithAndWithoutDateAndTheFooter)
{
    TreePrintout::Setup s = plainSetup();
    s.header = true;
    s.pageNumbers = true;
    s.headerSource = PrintOptionValues::HeaderSource::Caption;
    s.headerCaption = "Unit1.pas";
    s.dateText = "12/9/2026 - 9:15:00 AM";
    RecordingCanvas c;
    TreePrintout(s, c).print(unitAlone());

    ASSERT_GE(c.texts.size(), 3u);
    EXPECT_EQ(c.texts[0].text, "Unit1.pas");
    EXPECT_EQ(c.texts[0].y, 15);
    EXPECT_EQ(c.texts[1].text, s.dateText);
    EXPECT_EQ(c.texts[1].y, 15);
    EXPECT_EQ(c.texts[1].x + c.textWidth(s.dateText), 2465); // right-aligned
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_EQ(c.lines[0].y, 15 + 2 * 33); // the rule under the header
    EXPECT_EQ(c.texts[2].y, 15 + 3 * 33); // the first node one line below it
    const auto& footer = c.texts.back();
    EXPECT_EQ(footer.text, "- 1 -");
    EXPECT_EQ(footer.x + c.textWidth("- 1 -") / 2, 1240);
    EXPECT_EQ(c.lines[1].y, footer.y - 33);

    s.date = false;
    RecordingCanvas noDate;
    TreePrintout(s, noDate).print(unitAlone());
    EXPECT_FALSE(noDate.find(s.dateText));
    EXPECT_EQ(noDate.texts[1].text, "Unit1.pas");
    EXPECT_EQ(noDate.texts[1].x, 15);
}

TEST(TreePrintout, ProjectLineAndStatsOfEachUnitWithTheirOwnCounts)
{
    TreePrintout::Setup s = plainSetup();
    s.formCount = 2;
    s.unitCount = 3;
    s.fonts[0].color = 0x0000FF;
    RecordingCanvas c;
    TreePrintout(s, c).print({
        { 0, 0, "App.dpr" },
        { 1, 3, "A.pas" },
        { 2, 20, "Proc/Func" },
        { 3, 5, "One" },
        { 3, 5, "Two" },
        { 1, 3, "B.pas" },
        { 2, 18, "TB" },
        { 3, 7, "Three" },
        { 1, 22, "Missing.pas" },
        { 1, 3, "C.pas" },
    });
    const auto* project = c.find("Project... 2 form(s)   3 unit(s)");
    ASSERT_TRUE(project);
    EXPECT_EQ(project->x, 15 + 30);
    EXPECT_EQ(project->font.color, 0x0000FF);

    std::vector<std::string> stats;
    for (const auto& t : c.texts)
        if (t.text.rfind("Stats... ", 0) == 0)
            stats.push_back(t.text.substr(0, t.text.find("   ")));
    // After A's routines, after B's, and at the end (nothing counted since B).
    EXPECT_EQ(
        stats, (std::vector<std::string> { "Stats... [2 procedure]", "Stats... [1 function]", "Stats..." }));
    EXPECT_LT(c.find("Two")->y, c.find("B.pas")->y);
}

TEST(TreePrintout, ACategorySplitOverTwoPagesContinuesOnTheNext)
{
    TreePrintout::Setup s = plainSetup();
    s.pageRect.bottom = 15 + 10 * (33 + 6);
    s.pageNumbers = true;
    std::vector<TreePrintEntry> entries { { 0, 0, "App.dpr" }, { 1, 3, "Unit1.pas" },
        { 2, 20, "Proc/Func" } };
    for (int i = 0; i < 12; ++i)
        entries.push_back({ 3, 5, "Routine" + std::to_string(i) });
    RecordingCanvas c;
    const int pages = TreePrintout(s, c).print(entries);
    EXPECT_GE(pages, 2);

    const std::vector<std::string> second = c.textsOn(2);
    ASSERT_GE(second.size(), 3u);
    EXPECT_EQ(second[0], "Unit1.pas   [continued]");
    EXPECT_EQ(second[1], "Proc/Func");
    EXPECT_EQ(c.find("- 1 -")->page, 1);
    // Every node is printed once, in order, and none below the reserve of the page it is on.
    size_t next = 0;
    for (const auto& t : c.texts) {
        if (next < entries.size() && t.text == entries[next].caption) {
            EXPECT_LT(t.y, s.pageRect.bottom - 3 * 33) << t.text;
            ++next;
        }
    }
    EXPECT_EQ(next, entries.size());

    // A unit opened alone has its categories at level 1: the outdent stops at the left margin.
    std::vector<TreePrintEntry> alone { { 0, 3, "Unit1.pas" }, { 1, 20, "Proc/Func" } };
    for (int i = 0; i < 12; ++i)
        alone.push_back({ 2, 5, "Routine" + std::to_string(i) });
    RecordingCanvas a;
    TreePrintout(s, a).print(alone);
    const auto top = std::find_if(a.texts.begin(), a.texts.end(), [](const auto& t) { return t.page == 2; });
    ASSERT_NE(top, a.texts.end());
    EXPECT_EQ(top->text, "Unit1.pas   [continued]");
    EXPECT_EQ(top->x, s.pageRect.left);
    EXPECT_EQ(std::next(top)->text, "Proc/Func");
}

TEST(TreePrintout, DistancesScaleWithTheResolution)
{
    TreePrintout::Setup s = plainSetup();
    for (int dpi : { 300, 600, 1200 }) {
        RecordingCanvas c(dpi);
        TreePrintout(s, c).print(unitAlone());
        EXPECT_EQ(c.find("Helper")->x - c.find("Unit1.pas")->x, 60 * dpi / 300) << dpi;
        const int lh = static_cast<int>(std::lround(8 * dpi / 72.0));
        EXPECT_EQ(c.find("Proc/Func")->y, lh + 6 * dpi / 300) << dpi;
    }
}

TEST(TreePrintout, LevelFontsComeFromTheSettingsWithTheirStyles)
{
    MemorySettingsStore store;
    store.writeString("PrtOps", "rbFn1", "Arial");
    store.writeString("PrtOps", "rbFs1", "12");
    store.writeString("PrtOps", "rbFst1", "101");
    store.writeString("PrtOps", "rbFst2", "1");
    TreePrintout::Setup s = plainSetup();
    s.fonts = TreePrintout::readFonts(PrintOptionValues(store));
    RecordingCanvas c;
    TreePrintout(s, c).print(unitAlone());
    const auto& cat = c.find("Proc/Func")->font;
    EXPECT_EQ(cat.name, "Arial");
    EXPECT_EQ(cat.size, 12);
    EXPECT_TRUE(cat.bold && !cat.italic && cat.underline);
    const auto& routine = c.find("Helper")->font;
    EXPECT_FALSE(routine.bold || routine.italic || routine.underline);
}

TEST(TreePrintout, TheSnapshotHoldsEveryNodeInTreeOrder)
{
    TreeModel tree;
    TTreeNode* root = tree.add(nullptr, "P.dpr", 0, 0);
    TTreeNode* unit = tree.add(root, "U.pas", 3, 4);
    tree.add(tree.add(unit, "Proc/Func", 20, 21), "Go", 5, 6, 10);
    tree.add(root, "V.pas", 3, 4);
    EXPECT_EQ(takeTreePrintSnapshot(tree),
        (std::vector<TreePrintEntry> { { 0, 0, "P.dpr" }, { 1, 3, "U.pas" }, { 2, 20, "Proc/Func" },
            { 3, 5, "Go" }, { 1, 3, "V.pas" } }));
}

TEST(PathEllipsis, FoldersGiveWayToAnEllipsisUntilThePathFits)
{
    auto width = [](const std::string& s) { return static_cast<int>(s.size()); };
    const std::string path = "C:\\Work\\Delphi\\Src\\Unit1.pas";
    EXPECT_EQ(shortenPath(path, 100, width), path);
    EXPECT_EQ(shortenPath(path, 22, width), "C:\\...\\Src\\Unit1.pas");
    EXPECT_EQ(shortenPath(path, 16, width), "C:\\...\\Unit1.pas");
    EXPECT_EQ(shortenPath(path, 15, width), "...\\Unit1.pas");
    EXPECT_EQ(shortenPath("/home/a/b/Unit1.pas", 14, width), "/.../Unit1.pas");
    EXPECT_EQ(shortenPath(path, 5, width), "Un...") << "never wider than asked";
    EXPECT_EQ(shortenPath("C:\\a\\b\\c\\File.pas", 100, width), "C:\\a\\b\\c\\File.pas");
    EXPECT_EQ(shortenPath("C:\\aaaa\\bbbb\\c\\File.pas", 17, width), "C:\\...\\c\\File.pas");
    EXPECT_EQ(shortenPath("/home/user/src/File.pas", 16, width), "/.../File.pas");
    EXPECT_EQ(shortenPath("C:\\aaaa\\bbbb\\LongFileName.pas", 8, width), "LongF...");
    EXPECT_LE(shortenPath("C:\\aaaa\\bbbb\\LongFileName.pas", 20, width).size(), 20u);
}
