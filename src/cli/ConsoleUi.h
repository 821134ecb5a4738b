#pragma once

#include "browser/BrowserUi.h"

#include <cstdio>
#include <string>

namespace lrl::cli {

// The window's side of an open, on the console: errors and notices go to standard error, everything
// else has nothing to show.
class ConsoleUi : public BrowserUi {
public:
    void setStatusText(StatusPanel, const std::string&) override { }
    void setProgressVisible(bool) override { }
    void setProgressMax(int) override { }
    void setProgressStep(int) override { }
    void stepProgress() override { }
    void showError(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
    void showMessage(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
    void processEvents() override { }
    void addRecentFile(const std::string&) override { }
    void setFindEnabled(bool) override { }
    void setPrintTreeEnabled(bool) override { }
    void setCollapseExpandEnabled(bool) override { }
    void setFileLabel(const std::string&) override { }
    bool loadProgramIcon(const std::string&) override { return false; }
};

} // namespace lrl::cli
