#pragma once

#include <string>

class QPrinter;

namespace lrl {
class TSyntaxMemoParser;
}

namespace lrl::cli {

class CliArgs;
struct PrintOptions;

// What to print of a project or unit through the window's print jobs.
struct ProjectPrintRequest {
    // As the window prints with the root marked: separate pages prints each unit's heading and then each
    // routine as a job of its own.
    bool separate = false;
    // One routine of a unit ("TfrmMain.FormCreate", or a plain routine's name); empty for the whole.
    std::string routine;
};

// Prints a project (project file, forms, options file, units, in tree order) or a unit through the same
// print jobs as the window's Print selected items; all pieces become one document on printer. The print
// settings (header, date, page and line numbers, header source, margins) are the user's stored ones
// (--settings FILE, else the program's settings file), unless the options given override them.
void printProject(const std::string& file, const PrintOptions& options, const CliArgs& args,
    const ProjectPrintRequest& request, TSyntaxMemoParser& parser, QPrinter& printer);

} // namespace lrl::cli
