#pragma once

#include "prtprev/TPreviewLayout.h"

namespace lrl {

// What the preview's model needs of the window that shows it: the scroll box's size (whole, and its
// client area, which shrinks when scroll bars appear), placing the paper panels, scrolling, and
// repainting the pages and the page label.
class TPreviewViewport {
public:
    virtual ~TPreviewViewport() = default;

    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    virtual int scrollBoxWidth() const = 0;
    virtual int scrollBoxHeight() const = 0;
    virtual int horizontalPosition() const = 0;
    virtual int verticalPosition() const = 0;
    virtual void setScrollPosition(int horizontal, int vertical) = 0;

    virtual void applyLayout(const TPreviewLayout& layout) = 0;
    // The current page, the page count, the buttons or the page label changed.
    virtual void pagesChanged() = 0;
};

} // namespace lrl
