#pragma once

#include "common/TRect.h"

#include <string>

class QPainter;

namespace lrl {

// Something that lays its text out on pages and draws one page at a time: what the preview printer
// records. A print pass brackets the pages of one document, so that the source can lay its text out once
// and keep where each page starts instead of laying out pages 1 to n again for page n.
class TPageSource {
public:
    virtual ~TPageSource() = default;

    // Stop repainting (and restart it) while the source draws onto pages.
    virtual void beginUpdate() = 0;
    virtual void endUpdate() = 0;

    // What the pages show, for the status texts while they are recorded.
    virtual std::string title() const { return {}; }

    virtual void beginPrintPass() { }
    virtual void endPrintPass() { }

    // Draws page pageNo (counted from 1) within rect, in the painter's device pixels; answers whether a
    // page pageNo + 1 follows.
    virtual bool renderPrintPage(QPainter& painter, const TRect& rect, int pageNo) = 0;
};

} // namespace lrl
