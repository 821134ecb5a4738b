#pragma once

#include "browser/BrowserSettings.h"
#include "common/MemorySettingsStore.h"
#include "options/OptionsDialogHost.h"

#include <string>

namespace lrl {

// The main window as the options dialog sees it: settings in memory, a store in memory, an open file
// or none, and a count of every command the dialog asks the window to carry out.
class FakeOptionsHost : public OptionsDialogHost {
public:
    BrowserSettings browserSettings;
    MemorySettingsStore memoryStore;
    bool open = false;
    std::string customText = "Listrel";
    bool optionsChanged = false;
    int dockingApplied = 0;
    int wordWrapApplied = 0;
    int lineNumbersApplied = 0;
    TSyntaxMemoOptions shownOptions;

    BrowserSettings& settings() override { return browserSettings; }
    SettingsStore& store() override { return memoryStore; }
    bool fileOpen() const override { return open; }
    std::string customHeaderText() const override { return customText; }
    void setCustomHeaderText(const std::string& text) override { customText = text; }
    void setOptionsChanged(bool changed) override { optionsChanged = changed; }
    void applyToolbarDocking() override { ++dockingApplied; }
    void applyWordWrap() override { ++wordWrapApplied; }
    void applyLineNumbers() override { ++lineNumbersApplied; }
    TSyntaxMemoOptions viewerOptions() const override { return shownOptions; }
};

} // namespace lrl
