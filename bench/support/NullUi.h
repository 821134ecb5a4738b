#pragma once

#include "browser/BrowserUi.h"

#include <string>

namespace lrl::bench {

// A window that shows nothing: what the browser's reading costs without widgets.
class NullUi : public BrowserUi {
public:
    void setStatusText(StatusPanel, const std::string&) override { }
    void setProgressVisible(bool) override { }
    void setProgressMax(int) override { }
    void setProgressStep(int) override { }
    void stepProgress() override { }
    void showError(const std::string&) override { }
    void showMessage(const std::string&) override { }
    void processEvents() override { }
    void addRecentFile(const std::string&) override { }
    void setFindEnabled(bool) override { }
    void setPrintTreeEnabled(bool) override { }
    void setCollapseExpandEnabled(bool) override { }
    void setFileLabel(const std::string&) override { }
    bool loadProgramIcon(const std::string&) override { return false; }
};

} // namespace lrl::bench
