#include "viewer/TGutterPlan.h"

#include "viewer/TLineNode.h"

#include <bit>

namespace lrl {

namespace {

    int highestBit(unsigned bits) { return bits ? std::bit_width(bits) - 1 : -1; }

} // namespace

TGutterPlan TGutterPlan::forNode(const TLineNode* node, int lineNumber, bool breakpoint, TSyntaxMemoOptions options)
{
    TGutterPlan plan;
    if (!node)
        return plan;
    unsigned bits = node->bookmarkBits & kBookmarkMask;
    if (options.has(smoShowWrapGlyph))
        bits |= node->bookmarkBits & kContinuationBit;
    int top = highestBit(bits);
    if (top == 12) {
        plan.glyph = WrapGlyph;
    } else if (top >= 0) {
        plan.glyph = BookmarkGlyph;
        plan.bookmark = top;
    } else if (breakpoint) {
        plan.glyph = BreakpointGlyph;
    }
    plan.markImage = highestBit(node->markBits);
    if (options.has(smoLineNumbers) && options.has(smoShowGutter) && plan.glyph == NoGlyph && plan.markImage < 0
        && !node->isContinuation() && lineNumber > 0)
        plan.lineNumber = shownNumber(lineNumber);
    return plan;
}

} // namespace lrl
