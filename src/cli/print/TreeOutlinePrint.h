#pragma once

#include <string>

namespace lrl::cli {

struct PrintOptions;

// listrel-cli print --tree: opens a Delphi file as the main window does and prints its project tree as
// the window's tree printout does, to the PDF file of the options. Answers the tool's exit code.
int printTreeOutline(const PrintOptions& options, const std::string& file);

} // namespace lrl::cli
