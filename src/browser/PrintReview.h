#pragma once

#include <string>

namespace lrl {

struct BrowserSettings;
class SettingsStore;

// The values the print options review shows before a print job.
struct PrintReviewTexts {
    std::string printer;
    std::string header;
    std::string date;
    std::string pageNumbers;
    std::string lineNumbers;
    std::string top;
    std::string left;
    std::string right;
    std::string bottom;

    // printerName: the chosen printer's name, empty when none is chosen; customText: the project's
    // custom page-header text.
    static PrintReviewTexts of(const std::string& printerName, const BrowserSettings& settings,
        const SettingsStore& store, const std::string& customText);
};

} // namespace lrl
