#pragma once

#include "viewer/TSyntaxMemoOptions.h"

#include <cstdint>

namespace lrl {

class TLineNode;

// What the gutter of one row shows: at most one glyph (the wrap glyph of a continued row, the image of
// the highest bookmark, or a breakpoint), the image of the highest gutter mark, and the line number.
struct TGutterPlan {
    enum Glyph : uint8_t { NoGlyph, WrapGlyph, BookmarkGlyph, BreakpointGlyph };

    Glyph glyph = NoGlyph;
    int bookmark = -1; // 0 ... 9 with BookmarkGlyph
    int markImage = -1; // image of the gutter image list, or -1
    int lineNumber = 0; // the number to draw, 0 for none

    // The plan for a node (null: a row below the text). lineNumber is the number of the logical line the
    // node belongs to; it is drawn with smoLineNumbers and smoShowGutter on a node that starts its
    // logical line and carries no bookmark, mark or other glyph. The continuation bit counts as a glyph
    // only with smoShowWrapGlyph.
    static TGutterPlan forNode(const TLineNode* node, int lineNumber, bool breakpoint, TSyntaxMemoOptions options);

    // The line number as drawn: decimal, at most 7 digits (the last ones of a longer number).
    static int shownNumber(int lineNumber) { return lineNumber % 10000000; }
};

} // namespace lrl
