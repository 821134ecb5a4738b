#pragma once

#include "browser/TreePrintout.h"
#include "common/TRect.h"

#include <functional>
#include <vector>

class QPrinter;

namespace lrl {

class PrintOptionValues;

// Prints the tree outline as one document on a printer.
class TreePrintJob {
public:
    // The text area inside the printer's printable area, with the margins of the settings.
    static TRect marginRect(const QPrinter& printer, const PrintOptionValues& values);

    // Prints the entries with setup; a setup without a page width or date text gets the printer's
    // printable width and the current date and time in the system's short date and long time formats.
    // processEvents runs between pages. Answers the number of pages; 0 when the printer could not
    // begin the document.
    static int print(QPrinter& printer, TreePrintout::Setup setup, const std::vector<TreePrintEntry>& entries,
        std::function<void()> processEvents = {});
};

} // namespace lrl
