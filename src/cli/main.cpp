// listrel-cli: the core components of Listrel for Delphi as command-line subcommands, for scripts and
// for checking the components from outside.

#include "cli/CliCommand.h"
#include "common/Exception.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace lrl::cli {

namespace {

void printUsage(std::FILE* out)
{
    std::fprintf(out, "usage: listrel-cli COMMAND [ARGS]\n\ncommands:\n");
    auto commands = cliCommands();
    std::sort(commands.begin(), commands.end(), [](auto& a, auto& b) { return a.name < b.name; });
    for (const auto& c : commands)
        std::fprintf(out, "  %s %s\n      %s\n", c.name.c_str(), c.usage.c_str(), c.summary.c_str());
}

} // namespace

} // namespace lrl::cli

int main(int argc, char** argv)
{
    using namespace lrl::cli;
    if (argc < 2) {
        printUsage(stderr);
        return kUsage;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(stdout);
        return kOk;
    }
    const auto& commands = cliCommands();
    auto it = std::find_if(commands.begin(), commands.end(), [&](auto& c) { return c.name == name; });
    if (it == commands.end()) {
        std::fprintf(stderr, "listrel-cli: unknown command '%s'\n", name.c_str());
        printUsage(stderr);
        return kUsage;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    try {
        return it->run(args);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "listrel-cli %s: %s\nusage: listrel-cli %s %s\n", name.c_str(), e.message.c_str(),
            name.c_str(), it->usage.c_str());
        return kUsage;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return kError;
    }
}
