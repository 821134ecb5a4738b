#pragma once

#include <string>

namespace lrl {
class TSyntaxMemoParser;
}

namespace lrl::cli {

class CliArgs;

// The file in which the program keeps the user's settings on this system: $XDG_CONFIG_HOME (else
// ~/.config) / "Corvane/Listrel Delphi.conf".
std::string userSettingsPath();

// The program's file of per-file information (the custom page-header texts among it): $XDG_DATA_HOME
// (else ~/.local/share) / "Corvane/Listrel Delphi/LrlDFileInfo.Dat".
std::string userFileInfoPath();

// The file-information file a command reads: --file-info FILE, else userFileInfoPath().
std::string fileInfoOption(const CliArgs& args);

// Gives a loaded scheme the styles the program's window shows: the user's stored styles (read from
// --settings FILE, else from userSettingsPath()), else, for the shipped scheme, the program's default
// highlighting. --plain keeps the scheme's compiled styles. Nothing is written. A damaged stored value is
// reported on standard error and what could be read of it stays.
void loadStylesOption(TSyntaxMemoParser& parser, const CliArgs& args);

} // namespace lrl::cli
