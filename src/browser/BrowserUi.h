#pragma once

#include <string>

namespace lrl {

// The status panels of the main window: Panel3 project counts, Panel4 file and routine statistics,
// Panel5 messages and the last-modified text.
enum class StatusPanel { Panel3, Panel4, Panel5 };

// What the browser asks of the main window's widgets while it opens files and describes them.
class BrowserUi {
public:
    virtual ~BrowserUi() = default;

    virtual void setStatusText(StatusPanel panel, const std::string& text) = 0;
    // ProgressBar1.
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressMax(int max) = 0;
    virtual void setProgressStep(int step) = 0;
    virtual void stepProgress() = 0;
    // A modal error box (error icon, OK button).
    virtual void showError(const std::string& message) = 0;
    // A plain modal message box.
    virtual void showMessage(const std::string& message) = 0;
    // Lets pending window messages run; a command handled here runs inside the current operation.
    virtual void processEvents() = 0;
    virtual void addRecentFile(const std::string& path) = 0;
    // tbbtnFind and mnuFind.
    virtual void setFindEnabled(bool enabled) = 0;
    // tbbtnPrtTree and mnuPrtTree.
    virtual void setPrintTreeEnabled(bool enabled) = 0;
    // tbbtnCmpExpTre.
    virtual void setCollapseExpandEnabled(bool enabled) = 0;
    // The path label FileLabel1.
    virtual void setFileLabel(const std::string& path) = 0;
    // Puts the first icon of the program file exePath into image slot 23 of the tree's images; answers
    // false when the file gives no icon.
    virtual bool loadProgramIcon(const std::string& exePath) = 0;
};

} // namespace lrl
