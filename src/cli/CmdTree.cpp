// listrel-cli tree: opens a Delphi file the way the main window does (a project with all its units)
// through a viewer bound to the shipped scheme, and prints the project tree and the status texts.

#include "browser/FilePaths.h"
#include "browser/ProjectBrowser.h"
#include "browser/SyntaxMemoBrowserViewer.h"
#include "browser/TreeDump.h"
#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/ConsoleUi.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/TCustomSyntaxMemo.h"

#include <cstdio>
#include <memory>

namespace lrl::cli {

namespace {

bool flagValue(const CliArgs& args, const std::string& option, bool fallback)
{
    if (!args.has(option))
        return fallback;
    std::string v = args.value(option);
    if (v != "0" && v != "1")
        throw UsageError { option + " takes 0 or 1" };
    return v == "1";
}

int runTree(const std::vector<std::string>& argv)
{
    CliArgs args(argv, {}, { "--sort", "--forms", "--options", "--codepage" });
    args.expectPositional(1, 1);
    const std::string& path = args.positional()[0];
    std::string ext = lowerFileExt(path);
    if (ext != ".dpr" && ext != ".pas" && ext != ".dfm" && ext != ".dof")
        throw UsageError { "FILE must be a .dpr, .pas, .dfm or .dof file" };

    std::unique_ptr<TSyntaxMemoParser> parser = createShippedParser();
    TCustomSyntaxMemo memo(*parser);
    TSyntaxMemoOptions options;
    options.insert(smoSyntaxHighlight);
    options.insert(smoPrintWrap);
    options.insert(smoWordSelect);
    memo.setOptions(options);

    SyntaxMemoBrowserViewer viewer(memo);
    ConsoleUi ui;
    ProjectBrowser browser(viewer, ui, std::string());
    browser.settings().Srt = flagValue(args, "--sort", true);
    browser.settings().ShFrm = flagValue(args, "--forms", false);
    browser.settings().ShOpt = flagValue(args, "--options", false);
    browser.settings().AnsiCP = codePageOption(args);
    browser.openFile(path);

    // Captions and status texts are UTF-8, whatever the code pages of the files they come from.
    std::string out = formatTree(browser.tree());
    out += "\n";
    out += "Panel3: " + browser.statusText(StatusPanel::Panel3) + "\n";
    out += "Panel4: " + browser.statusText(StatusPanel::Panel4) + "\n";
    out += "Panel5: " + browser.statusText(StatusPanel::Panel5) + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return fileExists(path) ? kOk : kError;
}

const CliRegistrar treeCommand("tree", "[--sort 0|1] [--forms 0|1] [--options 0|1] [--codepage N] FILE",
    "open FILE (.dpr, .pas, .dfm or .dof) as the main window does and print its tree, one node per line "
    "(two spaces per level, caption, [IMAGE/SELECTED], @OFFSET for routines), then the status texts of "
    "the first node, as UTF-8; --codepage: the code page of files in no Unicode form (default 1252); "
    "missing files are reported on standard error",
    runTree);

} // namespace

} // namespace lrl::cli
