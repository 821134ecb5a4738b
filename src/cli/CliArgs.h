#pragma once

#include "cli/CliCommand.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lrl::cli {

// A small argument reader for the subcommands: options (--name or --name VALUE) in any order before or
// between the positional arguments. Unknown options and missing values raise UsageError.
class CliArgs {
public:
    // flags: options without a value; valued: options that take one value.
    CliArgs(const std::vector<std::string>& args, const std::vector<std::string>& flags,
        const std::vector<std::string>& valued);

    bool has(const std::string& option) const;
    std::string value(const std::string& option, const std::string& fallback = {}) const;
    const std::vector<std::string>& positional() const { return m_positional; }
    // Raises UsageError unless there are between min and max positional arguments.
    void expectPositional(size_t min, size_t max) const;

private:
    std::vector<std::pair<std::string, std::string>> m_options;
    std::vector<std::string> m_positional;
};

// Whole-file helpers; both raise the stream errors of the system.
std::vector<uint8_t> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace lrl::cli
