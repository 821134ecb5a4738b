#pragma once

#include "browser/BrowserUi.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lrl::test {

// Records what the browser asks of the window.
class RecordingUi : public BrowserUi {
public:
    void setStatusText(StatusPanel panel, const std::string& text) override { status[panel] = text; }
    void setProgressVisible(bool visible) override
    {
        progressVisible = visible;
        progressShown |= visible;
    }
    void setProgressMax(int max) override { progressMax = max; }
    void setProgressStep(int) override { }
    void stepProgress() override { }
    void showError(const std::string& message) override { errors.push_back(message); }
    void showMessage(const std::string& message) override { messages.push_back(message); }
    void processEvents() override
    {
        if (onProcessEvents)
            onProcessEvents();
    }
    void addRecentFile(const std::string& path) override { recent.push_back(path); }
    void setFindEnabled(bool enabled) override { findEnabled = enabled; }
    void setPrintTreeEnabled(bool enabled) override { printTreeEnabled = enabled; }
    void setCollapseExpandEnabled(bool enabled) override { collapseExpandEnabled = enabled; }
    void setFileLabel(const std::string& path) override { fileLabel = path; }
    bool loadProgramIcon(const std::string& exePath) override
    {
        iconRequests.push_back(exePath);
        return iconAvailable;
    }

    std::map<StatusPanel, std::string> status;
    std::vector<std::string> errors;
    std::vector<std::string> messages;
    std::vector<std::string> recent;
    std::vector<std::string> iconRequests;
    std::string fileLabel;
    bool progressVisible = false;
    bool progressShown = false;
    int progressMax = 0;
    bool findEnabled = false;
    bool printTreeEnabled = false;
    bool collapseExpandEnabled = false;
    bool iconAvailable = true;
    std::function<void()> onProcessEvents;
};

} // namespace lrl::test
