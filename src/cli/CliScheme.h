#pragma once

namespace lrl {
class TSyntaxMemoParser;
}

namespace lrl::cli {

class CliArgs;

// Loads the scheme a command scans with: the stored table named by --scheme, or the shipped one.
void loadSchemeOption(TSyntaxMemoParser& parser, const CliArgs& args);

} // namespace lrl::cli
