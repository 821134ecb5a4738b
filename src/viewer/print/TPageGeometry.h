#pragma once

#include "common/TRect.h"
#include "viewer/TSyntaxMemoOptions.h"

namespace lrl {

// The options that decide how text falls on printed pages.
struct TPrintFlags {
    bool wrap = false; // smoPrintWrap
    bool lineNumbers = false; // smoPrintLineNos
    bool title = false; // smoPrintFilename
    bool date = false; // smoPrintDate
    bool pageNumbers = false; // smoPrintPageNos

    static TPrintFlags of(TSyntaxMemoOptions options)
    {
        return { options.has(smoPrintWrap), options.has(smoPrintLineNos), options.has(smoPrintFilename),
            options.has(smoPrintDate), options.has(smoPrintPageNos) };
    }
    bool header() const { return title || date; }
    bool builtInHeaderFooter() const { return title || date || pageNumbers; }
    bool operator==(const TPrintFlags&) const = default;
};

// Where the text of a page goes, in device pixels: rows start at `top`, text at `textLeft` (behind the
// line-number column), runs are cut at `right`, and a row is placed on the page while its top lies above
// `bottomLimit`. wrapWidth is the row length word wrap aims at, in characters.
struct TPageBody {
    int top = 0;
    int textLeft = 0;
    int right = 0;
    int bottomLimit = 0;
    int wrapWidth = 1;
    int lineHeight = 1;

    // The rows a page holds: the first always, then one for every further line height whose top is still
    // above the bottom limit.
    int rowsPerPage() const
    {
        const int lh = lineHeight > 0 ? lineHeight : 1;
        const int room = bottomLimit - top;
        return room <= lh ? 1 : (room + lh - 1) / lh;
    }
    bool operator==(const TPageBody&) const = default;
};

// The page geometry of a page rectangle:
// - header (title or date): a box one line tall at the top, a rule two lines down, text from three lines
//   down; without header text starts at the top;
// - page numbers: the footer takes the lowest four lines (bottom limit four lines above the bottom);
// - line numbers: a column of ten average character widths before the text;
// - wrap width: the whole average-width characters between the text's left edge and the right edge, less one.
// A header/footer handler replaces all of that: the rectangle it answers is the text area (the
// line-number column still comes off its left side).
class TPageGeometry {
public:
    static TPageBody body(const TRect& page, const TPrintFlags& flags, int lineHeight, int charWidth);
    static TPageBody handlerBody(const TRect& area, const TPrintFlags& flags, int lineHeight, int charWidth);

    // Positions of the built-in header and footer on the page.
    static int headerRuleY(const TRect& page, int lineHeight) { return page.top + 2 * lineHeight; }
    static int footerBoxY(const TRect& page, int lineHeight) { return page.bottom - (5 * lineHeight) / 2; }
    static int footerRuleY(const TRect& page, int lineHeight) { return page.bottom - 3 * lineHeight; }
    static int lineNumberWidth(int charWidth) { return 10 * charWidth; }
};

} // namespace lrl
