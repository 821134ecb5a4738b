#pragma once

#include <string>

namespace lrl::test {

// What a shell command wrote to its standard output, and how it ended.
struct CommandResult {
    int status = -1; // the exit status; -1 when the command did not end normally
    std::string out;
};

// Runs the command through the shell and collects its standard output (add " 2>&1" for the errors too).
CommandResult runCommand(const std::string& command);

// The text of a PDF file as pdftotext reads it back, with -layout unless asked otherwise; pages end in a
// form feed. Empty when the file cannot be read.
std::string pdfText(const std::string& path, bool layout = true);

} // namespace lrl::test
