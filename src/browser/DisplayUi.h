#pragma once

#include <string>

namespace lrl {

// What showing files asks of the main window beyond BrowserUi: freezing the window's painting while the
// viewer changes its text and position in several steps, and a Yes/No question.
class DisplayUi {
public:
    virtual ~DisplayUi() = default;

    // Nothing of the window is painted between these two calls (they do not nest).
    virtual void freezePainting() = 0;
    virtual void unfreezePainting() = 0;
    // A modal question with an information icon and Yes and No buttons; true for Yes.
    virtual bool askYesNo(const std::string& question) = 0;
};

} // namespace lrl
