#include "cli/CliCommand.h"

namespace lrl::cli {

namespace {

    std::vector<CliCommand>& registry()
    {
        static std::vector<CliCommand> commands;
        return commands;
    }

} // namespace

CliRegistrar::CliRegistrar(std::string name, std::string usage, std::string summary, CommandFn run)
{
    registry().push_back({ std::move(name), std::move(usage), std::move(summary), run });
}

const std::vector<CliCommand>& cliCommands() { return registry(); }

} // namespace lrl::cli
