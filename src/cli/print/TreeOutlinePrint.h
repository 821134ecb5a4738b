#pragma once

#include <string>

namespace lrl::cli {

class CliArgs;
struct PrintOptions;

// listrel-cli print --tree: opens a Delphi file as the main window does and prints its project tree as
// the window's tree printout does, to the PDF file of the options: level fonts and header source from
// the user's settings (or --settings FILE; --plain: as on a first start), margins and switches from the
// options. Answers the tool's exit code.
int printTreeOutline(const PrintOptions& options, const std::string& file, const CliArgs& args);

} // namespace lrl::cli
