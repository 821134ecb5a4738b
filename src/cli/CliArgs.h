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
    // Positional argument `index` as a file the command reads: refused by requireRegularFile.
    const std::string& inputFile(size_t index) const;
    // Raises UsageError unless there are between min and max positional arguments.
    void expectPositional(size_t min, size_t max) const;

private:
    std::vector<std::pair<std::string, std::string>> m_options;
    std::vector<std::string> m_positional;
};

// The legacy code page of --codepage N (for bytes in no Unicode form; 1252 without the option). Raises
// UsageError unless N is one of the pages the viewer stores text in.
int codePageOption(const CliArgs& args);

// Raises EFOpenError "Cannot open file "PATH". Not a regular file" for a path that exists but is no
// regular file (a folder, a FIFO, a device, a link to one), before anything opens it: opening a FIFO
// waits for a writer, and a device can give endless bytes. A path that does not exist passes, so that
// the command reports it as it reports any file it cannot open. The window and `tree` take the same
// test (fileExists) before they load a file.
void requireRegularFile(const std::string& path);

// Whole-file helpers; both raise the stream errors of the system, and reading refuses what
// requireRegularFile refuses.
std::vector<uint8_t> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace lrl::cli
