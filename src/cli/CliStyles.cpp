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

std::string userSettingsPath()
{
    std::filesystem::path base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        base = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        return {};
    return (base / "Corvane" / "Listrel Delphi.conf").string();
}

std::string userFileInfoPath()
{
    std::filesystem::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        base = data;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "share";
    else
        return {};
    return (base / "Corvane" / "Listrel Delphi" / "LrlDFileInfo.Dat").string();
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
