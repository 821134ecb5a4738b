#include "viewer/print/TPageGeometry.h"

#include <algorithm>

namespace lrl {

namespace {

TPageBody make(
    int top, int left, int right, int bottomLimit, const TPrintFlags& flags, int lineHeight, int charWidth)
{
    const int cw = std::max(charWidth, 1);
    TPageBody b;
    b.top = top;
    b.textLeft = left + (flags.lineNumbers ? TPageGeometry::lineNumberWidth(cw) : 0);
    b.right = right;
    b.bottomLimit = bottomLimit;
    b.wrapWidth = (right - b.textLeft) / cw - 1;
    b.lineHeight = std::max(lineHeight, 1);
    return b;
}

} // namespace

TPageBody TPageGeometry::body(const TRect& page, const TPrintFlags& flags, int lineHeight, int charWidth)
{
    const int top = flags.header() ? page.top + 3 * lineHeight : page.top;
    const int bottom = flags.pageNumbers ? page.bottom - 4 * lineHeight : page.bottom;
    return make(top, page.left, page.right, bottom, flags, lineHeight, charWidth);
}

TPageBody TPageGeometry::handlerBody(
    const TRect& area, const TPrintFlags& flags, int lineHeight, int charWidth)
{
    return make(area.top, area.left, area.right, area.bottom, flags, lineHeight, charWidth);
}

} // namespace lrl
