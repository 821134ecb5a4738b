// listrel-cli print of a project, of a unit in pieces and of one routine: the print jobs of the window,
// run without a display, read back from the PDF.
#include "cli/CliStyles.h"
#include "platform/AppDataFolder.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using lrl::test::TempDir;

namespace {

const std::string kSample = std::string(LRL_SOURCE_DIR) + "/examples/Sample/";

using Outcome = lrl::test::CommandResult;

Outcome run(const std::string& command) { return lrl::test::runCommand(command + " 2>&1"); }

// With an empty settings file unless the arguments name one, so that the user's own settings do not
// change what is printed.
Outcome printCli(std::string args)
{
    static TempDir settingsDir;
    static const std::string empty = settingsDir.write("empty.conf", "");
    if (args.find("--settings") == std::string::npos)
        args = "--settings '" + empty + "' " + args;
    return run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + std::string(LRL_CLI_PATH)
        + "' print " + args);
}

std::vector<std::string> pages(const std::string& pdf)
{
    std::string text = run("pdftotext -layout '" + pdf + "' -").out;
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
        out.push_back(text.substr(start, ff - start));
    return out;
}

// The first line of a page's text below its header.
std::string firstCodeLine(const std::string& page)
{
    size_t at = page.find('\n');
    while (at != std::string::npos) {
        size_t next = page.find('\n', at + 1);
        std::string line = page.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        if (line.find_first_not_of(' ') != std::string::npos)
            return line.substr(line.find_first_not_of(' '));
        at = next;
    }
    return {};
}

} // namespace

TEST(CmdPrintProject, AProjectPrintsEveryFileInTreeOrderAsOneDocument)
{
    TempDir dir;
    const std::string pdf = (dir.path() / "p.pdf").string();
    Outcome r = printCli("--pdf '" + pdf + "' --no-date '" + kSample + "Sample.dpr'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("was not found"), std::string::npos) << "the sample names no missing file";
    std::string all;
    for (const std::string& p : pages(pdf))
        all += p;
    size_t at = 0;
    for (const char* s :
        { "program Sample", "object AboutBox", "object frmMain", "object frmOptions", "[FileVersion]",
            "unit TextTools", "unit About", "unit Inventory", "unit Main", "unit Options" }) {
        size_t found = all.find(s, at);
        ASSERT_NE(found, std::string::npos) << s << " missing or out of order";
        at = found;
    }
}

TEST(CmdPrintProject, SeparatePagesStartEachRoutineOnAPageOfItsOwn)
{
    TempDir dir;
    const std::string pdf = (dir.path() / "s.pdf").string();
    Outcome r = printCli("--pdf '" + pdf + "' --separate '" + kSample + "Main.pas'");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<std::string> p = pages(pdf);
    ASSERT_GT(p.size(), 3u);
    EXPECT_EQ(firstCodeLine(p[0]), "unit Main;");
    auto isRoutinePage = [&](size_t i) {
        const std::string first = firstCodeLine(p[i]);
        for (const char* word : { "procedure ", "function ", "constructor ", "destructor " })
            if (first.rfind(word, 0) == 0)
                return true;
        return false;
    };
    size_t firstRoutine = 0;
    while (firstRoutine < p.size() && !isRoutinePage(firstRoutine))
        ++firstRoutine;
    ASSERT_LT(firstRoutine, p.size());
    // The heading ends before the first routine after implementation.
    std::string heading;
    for (size_t i = 0; i < firstRoutine; ++i)
        heading += p[i];
    EXPECT_NE(heading.find("implementation"), std::string::npos);
    EXPECT_EQ(heading.find("begin"), std::string::npos);
    int routines = 0;
    for (size_t i = firstRoutine; i < p.size(); ++i)
        routines += isRoutinePage(i) ? 1 : 0;
    EXPECT_GT(routines, 3);
}

TEST(CmdPrintProject, TheStoredPrintSettingsApplyUnlessOptionsOverrideThem)
{
    TempDir dir;
    const std::string settings = dir.write("Listrel Delphi.conf", "[PrtOps]\nLnNo=1\nhdr=1\nDt=0\n");
    const std::string pdf = (dir.path() / "r.pdf").string();
    Outcome r = printCli("--pdf '" + pdf + "' --settings '" + settings + "' --routine TfrmMain.FormCreate '"
        + kSample + "Main.pas'");
    ASSERT_EQ(r.status, 0) << r.out;
    std::vector<std::string> p = pages(pdf);
    ASSERT_EQ(p.size(), 1u);
    // Line numbers from the stored settings (the routine's own, from 1); the title is the file name alone.
    EXPECT_NE(p[0].find("     1:    procedure TfrmMain.FormCreate"), std::string::npos) << p[0];
    EXPECT_EQ(p[0].find(kSample), std::string::npos);
    EXPECT_NE(p[0].find("Main.pas"), std::string::npos);
    r = printCli("--pdf '" + pdf + "' --no-header --settings '" + settings
        + "' --routine TfrmMain.FormCreate '" + kSample + "Main.pas'");
    ASSERT_EQ(r.status, 0) << r.out;
    p = pages(pdf);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].find("Main.pas"), std::string::npos) << "--no-header overrides the stored header";
}

TEST(CmdPrintProject, TheCustomHeaderTextIsTheOpenedFilesOwnFromTheFileInformation)
{
    TempDir dir;
    const std::string settings = dir.write("Listrel Delphi.conf", "[PrtOps]\nhdr=3\nDt=0\n");
    const std::string info = dir.write("LrlDFileInfo.Dat", "[Main.pas]\nCsmtTxt=Stock keeping, rev. 7\n");
    const std::string pdf = (dir.path() / "h.pdf").string();
    const std::string unit = "--routine TfrmMain.FormCreate '" + kSample + "Main.pas'";
    Outcome r = printCli("--pdf '" + pdf + "' --settings '" + settings + "' --file-info '" + info + "' " + unit);
    ASSERT_EQ(r.status, 0) << r.out;
    std::vector<std::string> p = pages(pdf);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].rfind("Stock keeping, rev. 7", 0), 0u) << p[0];
    // A file the information file does not know prints "Listrel", as in the window.
    const std::string other = dir.write("other.Dat", "[Sample.dpr]\nCsmtTxt=Not this one\n");
    r = printCli("--pdf '" + pdf + "' --settings '" + settings + "' --file-info '" + other + "' " + unit);
    ASSERT_EQ(r.status, 0) << r.out;
    p = pages(pdf);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].rfind("Listrel", 0), 0u) << p[0];
}

// The command line reads the file the window writes.
TEST(CmdPrintProject, TheFileInformationIsTheWindowsOwn)
{
    TempDir dir;
    const std::string data = (dir.path() / "data").string();
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string kept = saved ? saved : "";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    const std::string window = lrl::AppDataFolder::fileInfoPath().toStdString();
    const std::string cli = lrl::cli::userFileInfoPath();
    if (saved)
        setenv("XDG_DATA_HOME", kept.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(cli, window);
    EXPECT_EQ(cli.rfind(data, 0), 0u);
}

TEST(CmdPrintProject, OneRoutineByItsCategoryAndName)
{
    TempDir dir;
    const std::string pdf = (dir.path() / "r.pdf").string();
    Outcome r = printCli("--pdf '" + pdf + "' --routine TfrmMain.FormCreate '" + kSample + "Main.pas'");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<std::string> p = pages(pdf);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(firstCodeLine(p[0]), "procedure TfrmMain.FormCreate(Sender: TObject);");
    EXPECT_NE(p[0].find("RefreshList;"), std::string::npos);
    EXPECT_EQ(p[0].find("unit Main"), std::string::npos);

    r = printCli("--pdf '" + pdf + ".x' --routine TfrmMain.NoSuch '" + kSample + "Main.pas'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Routine TfrmMain.NoSuch not found"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(pdf + ".x"));
}

// A unit's heading and its routines are cut from the shown text, whatever the unit's code page: they
// print in the unit's characters.
TEST(CmdPrintProject, APieceOfAUnitPrintsInTheUnitsCharacters)
{
    TempDir dir;
    const std::string unit = dir.write("Privet.pas",
        "unit Privet;\r\ninterface\r\n// \u0416\u0451\u043B\u0442\u044B\u0439\r\nprocedure Go;\r\n"
        "implementation\r\nprocedure Go;\r\nbegin\r\n  Writeln('\u0416\u0443\u043A');\r\nend;\r\nend.\r\n");
    const std::string pdf = (dir.path() / "c.pdf").string();
    Outcome r = printCli("--pdf '" + pdf + "' --separate '" + unit + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    std::string all;
    for (const std::string& p : pages(pdf))
        all += p;
    EXPECT_NE(all.find("// \u0416\u0451\u043B\u0442\u044B\u0439"), std::string::npos) << "the heading\n"
                                                                                      << all;
    EXPECT_NE(all.find("Writeln('\u0416\u0443\u043A');"), std::string::npos) << "the routine\n" << all;
}
