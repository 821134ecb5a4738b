#pragma once

#include <string>
#include <vector>

namespace lrl::cli {

// Exit statuses of listrel-cli: 0 success, 1 an error of the system (its message on standard error),
// 2 a usage error.
enum ExitCode { kOk = 0, kError = 1, kUsage = 2 };

// Raised by a subcommand for bad arguments; main prints the message and the subcommand's usage.
struct UsageError {
    std::string message;
};

using CommandFn = int (*)(const std::vector<std::string>& args);

// One subcommand. Each lives in its own Cmd*.cpp and registers itself with a static CliRegistrar, so
// adding a subcommand touches no other file.
struct CliCommand {
    std::string name;
    std::string usage; // the argument synopsis, e.g. "[--method kh|lzh|advise] IN OUT"
    std::string summary;
    CommandFn run;
};

class CliRegistrar {
public:
    CliRegistrar(std::string name, std::string usage, std::string summary, CommandFn run);
};

const std::vector<CliCommand>& cliCommands();

} // namespace lrl::cli
