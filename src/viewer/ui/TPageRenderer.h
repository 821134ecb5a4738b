#pragma once

#include "viewer/TDisplayLine.h"
#include "viewer/TRowLayout.h"
#include "viewer/print/TPageCursor.h"
#include "viewer/ui/TRowPainter.h"

#include <QString>

#include <vector>

class QPainter;

namespace lrl {

class TDeviceFonts;
class TSyntaxMemo;

// Draws printed pages of a viewer's text on a target device: the built-in header (the title at the
// left, the local short date " - " the local long time at the right, a rule) and footer ("- %d -" and a
// rule), or the viewer's OnPrintHeaderFooter in their place; then the rows the page layout gave the page,
// each preceded by its line number ("%6d:") on the first row of a line, drawn with the screen painter's
// row layout and run drawing in the device's fonts.
//
// On paper, system colours are black text on white; with `monochrome` all text is black on white.
class TPageRenderer {
public:
    TPageRenderer(TSyntaxMemo& memo, TDeviceFonts& device, bool monochrome);

    // The text area of a page rectangle; with a header/footer handler, the area it answers when asked
    // on a scratch canvas.
    TPageBody body(const TRect& pageRect);
    // How the text is cut into rows for that area.
    TPrintWrap wrap(const TPageBody& body) const;

    // Draws one page. laid is the area the page was laid out for (from body()).
    void drawPage(
        QPainter& p, const TRect& pageRect, const TPageBody& laid, const TPrintPage& page, int pageNo);
    // The y below the last row drawn.
    int lastY() const { return m_lastY; }

private:
    void drawHeaderFooter(QPainter& p, const TRect& page, int pageNo);
    void drawLineNumber(QPainter& p, int x, int y, int number);
    void drawRow(QPainter& p, const TPageBody& body, const TPrintRowRef& ref, int y, bool prefilled);

    TSyntaxMemo& m_memo;
    TDeviceFonts& m_device;
    TPrintFlags m_flags;
    bool m_highlight = true;
    bool m_monochrome = false;
    bool m_transparent = false;
    int32_t m_base = 0; // the default background of rows
    QString m_dateTime;
    int m_lastY = 0;
    TDisplayLine m_line;
    TRowPlan m_plan;
    TRowPainter m_painter;
    std::vector<TPrintRow> m_rows;
};

} // namespace lrl
