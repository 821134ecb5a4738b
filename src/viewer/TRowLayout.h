#pragma once

#include "scheme/TSM_Settings.h"
#include "viewer/TDisplayLine.h"
#include "viewer/TStyleColors.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace lrl {

class TViewerMetrics;

// One run of a row as it is drawn: display columns [column, column + columns), of which the first
// `count` characters are drawn (a line-end CR is not) from x, `width` pixels wide.
struct TRunPlan {
    int x = 0;
    int width = 0;
    int column = 0;
    int columns = 0;
    int count = 0;
    uint8_t value = 0; // token value
    uint8_t style = 0;
    uint8_t fontStyle = 0; // TSM_Effect::Style bits
    bool selected = false;
    bool clipped = false; // the run reaches past the row's right edge
    TColorPair colors;
};

// A row of the screen laid out: its runs, then the fill from fillX to the right edge.
struct TRowPlan {
    std::vector<TRunPlan> runs;
    int fillX = 0;
    int32_t fillColor = colors::clWindow;
    // Whether the row's last display character was drawn (the line-end mark of smoShowAllChars goes
    // behind it).
    bool endVisible = false;
};

// What a row is laid out with.
struct TRowLayoutParams {
    const TSM_Settings* settings = nullptr;
    const TViewerMetrics* metrics = nullptr;
    TRowColoring coloring;
    int left = 0; // x of the first drawn column
    int right = 0; // the row's right edge
    int scrollColumn = 0;
    // Display columns of the drawn selection in this row (empty when from >= to), and whether the
    // selection runs on past the row's end.
    int selFrom = 0;
    int selTo = 0;
    bool selectionPastEnd = false;
};

// Lays rows out as runs of equal style: the screen painter draws the plan; the page renderer and the
// exporters walk the same runs (forEachRun) with rules of their own.
class TRowLayout {
public:
    // Calls f(column, count, value, selected) for the maximal runs of equal token value in display columns
    // [from, to), cutting at the selection columns [selFrom, selTo) so that the part before the selection,
    // the selected part and the part after it are runs of their own. f answers false to stop.
    template <class F>
    static void forEachRun(const TDisplayLine& line, int from, int to, int selFrom, int selTo, F&& f)
    {
        const uint8_t* values = line.values();
        to = std::min(to, line.length());
        int c = std::max(from, 0);
        while (c < to) {
            bool selected = c >= selFrom && c < selTo;
            int limit = to;
            if (selected)
                limit = std::min(limit, selTo);
            else if (c < selFrom)
                limit = std::min(limit, selFrom);
            uint8_t v = values[c];
            int e = c + 1;
            while (e < limit && values[e] == v)
                ++e;
            if (!f(c, e - c, v, selected))
                return;
            c = e;
        }
    }

    // Lays out the row from the scroll column on. A run whose last character is a control character
    // (the CR) or a row's added line end (TDisplayLine::LineEnd) is drawn without it; a run that reaches past the right edge is cut to at most 1.5 times
    // the whole average-width columns left before the edge (at least one character), and the walk stops
    // there. The rest of the row is filled with style 0's background, or with the selection's when the
    // selection runs past the row's end.
    static void layout(const TDisplayLine& line, const TRowLayoutParams& params, TRowPlan& plan);

    // The width in pixels of display columns [from, to) drawn in their styles.
    static int span(const TDisplayLine& line, int from, int to, const TSM_Settings& settings,
        const TViewerMetrics& metrics, bool highlight);
};

} // namespace lrl
