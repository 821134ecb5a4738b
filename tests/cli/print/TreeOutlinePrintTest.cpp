// listrel-cli print --tree, run as a program without a display: the outline it writes, read back with
// pdftotext and held against the tree that listrel-cli tree reports for the same file.

#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using lrl::test::TempDir;
namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& s) { return "'" + s + "'"; }

std::string run(const std::string& command, int* status = nullptr)
{
    lrl::test::CommandResult r = lrl::test::runCommand(command);
    if (status)
        *status = r.status;
    return r.out;
}

std::string cli(const std::string& args, int* status = nullptr)
{
    return run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + quoted(LRL_CLI_PATH) + " " + args
            + " 2>/dev/null",
        status);
}

std::string trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

struct Node {
    int level;
    int image;
    std::string caption;
};

// The tree as listrel-cli tree prints it: two spaces per level, caption, [IMAGE/SELECTED].
std::vector<Node> treeOf(const std::string& file)
{
    std::istringstream in(cli("tree " + quoted(file)));
    std::vector<Node> nodes;
    const std::regex line(R"(^( *)(.*) \[(\d+)/\d+\]( @\d+)?$)");
    for (std::string l; std::getline(in, l) && !l.empty();) {
        std::smatch m;
        if (std::regex_match(l, m, line))
            nodes.push_back({ static_cast<int>(m[1].length() / 2), std::stoi(m[3]), m[2] });
    }
    return nodes;
}

// The counts part of the statistics line each unit with routines gets, in tree order.
std::vector<std::string> expectedStats(const std::vector<Node>& nodes)
{
    std::vector<std::string> out;
    int counts[4] = { 0, 0, 0, 0 };
    auto close = [&](bool always) {
        std::string s = "Stats...";
        const char* names[] = { "procedure", "function", "constructor", "destructor" };
        bool any = false;
        for (int i = 0; i < 4; ++i) {
            if (counts[i] > 0) {
                s += (any ? "" : " ") + std::string("[") + std::to_string(counts[i]) + " " + names[i] + "]";
                any = true;
            }
            counts[i] = 0;
        }
        if (any || always)
            out.push_back(s);
    };
    for (const Node& n : nodes) {
        if (n.image >= 5 && n.image <= 11 && n.image % 2 == 1)
            ++counts[(n.image - 5) / 2];
        else if (n.caption.ends_with(".pas"))
            close(false);
    }
    close(true);
    return out;
}

struct Outline {
    std::vector<std::vector<std::string>> pages; // non-empty lines, trimmed
};

Outline outlineOf(const std::string& pdf)
{
    const std::string text = run("pdftotext -layout " + quoted(pdf) + " -");
    Outline o;
    std::istringstream pages(text);
    for (std::string page; std::getline(pages, page, '\f');) {
        std::vector<std::string> lines;
        std::istringstream in(page);
        for (std::string l; std::getline(in, l);)
            if (!trim(l).empty())
                lines.push_back(trim(l));
        if (!lines.empty())
            o.pages.push_back(lines);
    }
    return o;
}

// Prints file's outline without the page header and checks it against its tree: every caption in order,
// each on a line of its own; the statistics lines with the right counts; nothing else but the project
// line, the page numbers and at most two continuation lines at the top of a following page. units: the
// number of units with routines.
void checkOutline(const std::string& file, const TempDir& dir, size_t minPages, size_t units)
{
    const std::vector<Node> nodes = treeOf(file);
    ASSERT_FALSE(nodes.empty());
    const std::string pdf = (dir.path() / "tree.pdf").string();
    int status = -1;
    cli("print --pdf " + quoted(pdf) + " --plain --no-header --tree " + quoted(file), &status);
    ASSERT_EQ(status, 0);
    const Outline o = outlineOf(pdf);
    ASSERT_GE(o.pages.size(), minPages);

    size_t next = 0;
    std::vector<std::string> stats;
    for (size_t p = 0; p < o.pages.size(); ++p) {
        const auto& lines = o.pages[p];
        EXPECT_EQ(lines.back(), "- " + std::to_string(p + 1) + " -");
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            const std::string& l = lines[i];
            if (next < nodes.size() && l == nodes[next].caption) {
                ++next;
            } else if (l.starts_with("Stats...")) {
                stats.push_back(l.substr(0, l.find("   ")));
                EXPECT_NE(l.find("Last modified... "), std::string::npos) << l;
            } else if (!l.starts_with("Project... ")) {
                EXPECT_TRUE(p > 0 && i < 2) << "page " << p + 1 << ": " << l;
            }
        }
    }
    ASSERT_EQ(next, nodes.size()) << "missing or out of order: " << nodes[next].caption;
    EXPECT_EQ(stats.size(), units);
    EXPECT_EQ(stats, expectedStats(nodes));
}

} // namespace

TEST(TreeOutlinePrint, TheSampleProjectReadsBackInTreeOrderWithItsStatistics)
{
    TempDir dir;
    checkOutline(fs::path(LRL_SOURCE_DIR) / "examples/Sample/Sample.dpr", dir, 2, 5);
}

TEST(TreeOutlinePrint, AProjectOf200UnitsReadsBackWholeOverManyPages)
{
    TempDir dir;
    std::string dpr = "program Big;\r\n\r\nuses\r\n";
    for (int i = 1; i <= 200; ++i) {
        const std::string name = "Unit" + std::to_string(i);
        dpr += "  " + name + " in '" + name + ".pas'" + (i < 200 ? ",\r\n" : ";\r\n");
        std::string iface = "unit " + name + ";\r\n\r\ninterface\r\n\r\n";
        std::string impl = "implementation\r\n\r\n";
        if (i % 4 == 0) {
            iface += "type\r\n  TThing" + std::to_string(i) + " = class\r\n    constructor Create;\r\n"
                + "    destructor Destroy; override;\r\n  end;\r\n\r\n";
            impl += "constructor TThing" + std::to_string(i) + ".Create;\r\nbegin\r\nend;\r\n\r\n";
            impl += "destructor TThing" + std::to_string(i) + ".Destroy;\r\nbegin\r\nend;\r\n\r\n";
        }
        for (int k = 0; k < i % 3 + 1; ++k)
            impl += "procedure Run" + std::to_string(i) + "x" + std::to_string(k)
                + ";\r\nbegin\r\nend;\r\n\r\n";
        for (int k = 0; k < i % 2; ++k)
            impl += "function Value" + std::to_string(i)
                + ": Integer;\r\nbegin\r\n  Result := 0;\r\nend;\r\n\r\n";
        dir.write(name + ".pas", iface + impl + "end.\r\n");
    }
    dpr += "\r\nbegin\r\nend.\r\n";
    const std::string project = dir.write("Big.dpr", dpr);
    checkOutline(project, dir, 10, 200);
}

TEST(TreeOutlinePrint, TheHeaderShowsTheProjectAndADate)
{
    TempDir dir;
    const std::string pdf = (dir.path() / "h.pdf").string();
    const std::string dpr = fs::path(LRL_SOURCE_DIR) / "examples/Sample/Sample.dpr";
    int status = -1;
    cli("print --pdf " + quoted(pdf) + " --plain --tree " + quoted(dpr), &status);
    ASSERT_EQ(status, 0);
    const Outline with = outlineOf(pdf);
    ASSERT_FALSE(with.pages.empty());
    EXPECT_TRUE(with.pages[0][0].starts_with("/")) << with.pages[0][0];
    EXPECT_NE(with.pages[0][0].find("Sample.dpr"), std::string::npos);
    EXPECT_NE(with.pages[0][0].find(" - "), std::string::npos); // date - time

    cli("print --pdf " + quoted(pdf) + " --plain --no-date --tree " + quoted(dpr), &status);
    ASSERT_EQ(status, 0);
    const Outline without = outlineOf(pdf);
    EXPECT_EQ(without.pages[0][0].find(" - "), std::string::npos) << without.pages[0][0];
}

TEST(TreeOutlinePrint, AProjectThatCannotBeOpenedLeavesNoFileBehind)
{
    TempDir dir;
    const std::string pdf = (dir.path() / "none.pdf").string();
    int status = 0;
    cli("print --pdf " + quoted(pdf) + " --plain --tree " + quoted((dir.path() / "Gone.dpr").string()),
        &status);
    EXPECT_NE(status, 0);
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_FALSE(fs::exists(pdf + ".part"));
}
