#pragma once

#include "viewer/TSyntaxMemoOptions.h"

#include <string>

namespace lrl {

class SettingsStore;
struct BrowserSettings;

// What the options dialog works on besides the scanner's styles: the main window's settings in memory,
// the settings store that the print values are written to at once, the custom header text of the open
// file, and the window's commands that carry a changed setting out. The main window implements it.
class OptionsDialogHost {
public:
    virtual BrowserSettings& settings() = 0;
    virtual SettingsStore& store() = 0;

    // Whether a file is open (the custom header text belongs to it).
    virtual bool fileOpen() const = 0;
    // CsmtTxt of the open file ("Listrel" when it has none), and writing it.
    virtual std::string customHeaderText() const = 0;
    virtual void setCustomHeaderText(const std::string& text) = 0;

    // The options-changed flag: set for settings that take effect at the next open.
    virtual void setOptionsChanged(bool changed) = 0;

    // The window applies a setting it has been given in settings(): the toolbar docks' dragging (DckTlbr),
    // word wrap (WrdWrp), line numbers (ShLnNum). Hints (ShHnts) are the application's and the dialog
    // switches them itself.
    virtual void applyToolbarDocking() = 0;
    virtual void applyWordWrap() = 0;
    virtual void applyLineNumbers() = 0;
    // The shown viewer's options, which the sample viewer takes over when line numbers change.
    virtual TSyntaxMemoOptions viewerOptions() const = 0;

protected:
    OptionsDialogHost() = default;
    ~OptionsDialogHost() = default;
};

} // namespace lrl
