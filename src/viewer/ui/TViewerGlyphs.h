#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace lrl {

// The small pictures of the viewer, drawn with pixel-aligned lines and fills so that they stay crisp at
// the sizes of a text row: the gutter's wrap glyph, bookmark tags, breakpoint dot and mark images, and the
// marks smoShowAllChars draws over blanks, TABs and line ends.
class TViewerGlyphs {
public:
    // Size of a gutter mark image.
    static constexpr int kMarkWidth = 15;
    static constexpr int kMarkHeight = 16;

    // Gutter glyphs, centred vertically in `cell` (a row's gutter) at its left.
    static void drawWrapGlyph(QPainter& p, const QRect& cell);
    static void drawBookmarkGlyph(QPainter& p, const QRect& cell, int number);
    static void drawBreakpointGlyph(QPainter& p, const QRect& cell);
    // Image n of the gutter image list: centred vertically, or at the row's top when the row is not
    // taller than the image.
    static void drawGutterMark(QPainter& p, const QRect& cell, int image);

    // Marks of smoShowAllChars, drawn inverted over what is there: a dot in a blank's cell, an arrow over
    // a TAB's blanks, a pilcrow behind a line that ends, a hooked arrow behind a row that continues.
    static void drawBlankMark(QPainter& p, const QRect& cell);
    static void drawTabMark(QPainter& p, const QRect& span);
    static void drawLineEndMark(QPainter& p, const QRect& cell, bool continued);

    // A digit 0 ... 9 in a 3 x 5 pixel font scaled by `scale`, top-left at (x, y).
    static void drawDigit(QPainter& p, int x, int y, int digit, int scale, const QColor& color);
};

} // namespace lrl
