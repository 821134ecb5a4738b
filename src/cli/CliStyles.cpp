#include "cli/CliStyles.h"

#include "cli/CliArgs.h"
#include "common/Exception.h"
#include "common/IniSettingsFile.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace lrl::cli {

namespace {

// A file below the user's XDG folder named by `variable`, or below `fallback` in the home folder when the
// variable is unset; empty when neither is known.
std::string userFile(
    const char* variable, const std::filesystem::path& fallback, const std::filesystem::path& file)
{
    std::filesystem::path base;
    if (const char* folder = std::getenv(variable); folder && *folder)
        base = folder;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / fallback;
    else
        return {};
    return (base / file).string();
}

} // namespace

std::string userSettingsPath()
{
    return userFile("XDG_CONFIG_HOME", ".config", std::filesystem::path("Corvane") / "Listrel Delphi.conf");
}

std::string userFileInfoPath()
{
    return userFile("XDG_DATA_HOME", std::filesystem::path(".local") / "share",
        std::filesystem::path("Corvane") / "Listrel Delphi" / "LrlDFileInfo.Dat");
}

std::string fileInfoOption(const CliArgs& args)
{
    return args.has("--file-info") ? args.value("--file-info") : userFileInfoPath();
}

void loadStylesOption(TSyntaxMemoParser& parser, const CliArgs& args)
{
    if (args.has("--plain"))
        return;
    std::string path = args.has("--settings") ? args.value("--settings") : userSettingsPath();
    MemorySettingsStore store;
    if (!path.empty()) {
        requireRegularFile(path);
        store = IniSettingsFile::load(path);
    }
    useShippedRegistryKey(parser);
    try {
        if (args.has("--scheme"))
            parser.LoadStyles(store);
        else
            loadUserOrDefaultStyles(parser, store);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
}

} // namespace lrl::cli
