#include "cli/CliCommand.h"
#include "cli/CliStyles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace lrl;
using namespace lrl::cli;
using lrl::test::TempDir;

namespace {

// The HTML export of a small unit with the given options, and its exit status.
class ExportStyles : public ::testing::Test {
protected:
    void SetUp() override
    {
        unit = dir.write("U.pas", "unit U;\r\n{ note }\r\nconst S = 'text'; N = 42;\r\nend.\r\n");
        const char* old = std::getenv("XDG_CONFIG_HOME");
        savedConfig = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
    }
    void TearDown() override
    {
        if (savedConfig)
            setenv("XDG_CONFIG_HOME", savedConfig->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }

    std::string html(std::vector<std::string> options)
    {
        const CliCommand* exportCommand = nullptr;
        for (const CliCommand& c : cliCommands())
            if (c.name == "export")
                exportCommand = &c;
        options.insert(options.begin(), "--html");
        options.push_back(unit);
        testing::internal::CaptureStdout();
        int status = exportCommand->run(options);
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(status, kOk);
        return out;
    }

    TempDir dir;
    std::string unit;
    std::optional<std::string> savedConfig;
};

// A settings file as the program writes it, with comments stored red and plain.
constexpr const char* kUserSettings
    = "[FormOps]\n"
      "Highlighting%20-%20Object%20Pascal=\"Farvel6:EFF#18#1,5,255,16777215,;#END#\"\n";

} // namespace

TEST_F(ExportStyles, WithoutStoredStylesTheDefaultHighlightingIsUsed)
{
    EXPECT_EQ(userSettingsPath(), (dir.path() / "config" / "Corvane" / "Listrel Delphi.conf").string());
    std::string out = html({});
    EXPECT_NE(out.find("<FONT COLOR=\"#000080\"><B>unit"), std::string::npos) << out;
    EXPECT_NE(out.find("<I>{ note }"), std::string::npos);
    EXPECT_NE(out.find("#a31515\">'text'"), std::string::npos);
}

TEST_F(ExportStyles, TheUsersStoredStylesWinAndPlainGivesTheSchemesOwn)
{
    dir.write("config/Corvane/Listrel Delphi.conf", kUserSettings);
    std::string stored = html({});
    EXPECT_NE(stored.find("<FONT COLOR=\"#ff0000\">{ note }"), std::string::npos) << stored;
    EXPECT_EQ(stored.find("<B>"), std::string::npos) << "the default is not mixed in";

    std::string other = dir.write("elsewhere.ini", "[FormOps]\n");
    std::string fromFile = html({ "--settings", other });
    EXPECT_NE(fromFile.find("<B>unit"), std::string::npos);

    std::string plain = html({ "--plain" });
    EXPECT_EQ(plain.find("<B>"), std::string::npos);
    EXPECT_EQ(plain.find("<I>"), std::string::npos);
    EXPECT_EQ(plain.find("#ff0000"), std::string::npos);
}
