#include "viewer/TRowLayout.h"

#include "viewer/TViewerMetrics.h"

namespace lrl {

void TRowLayout::layout(const TDisplayLine& line, const TRowLayoutParams& p, TRowPlan& plan)
{
    const TSM_Settings& settings = *p.settings;
    const TViewerMetrics& metrics = *p.metrics;
    plan.runs.clear();
    plan.endVisible = false;
    int x = p.left;
    const char* chars = line.chars();
    const uint8_t* kinds = line.kinds();
    forEachRun(line, p.scrollColumn, line.length(), p.selFrom, p.selTo,
        [&](int column, int columns, uint8_t value, bool selected) {
            if (x >= p.right)
                return false;
            TRunPlan run;
            run.column = column;
            run.columns = columns;
            run.count = columns;
            const int last = column + columns - 1;
            if (static_cast<unsigned char>(chars[last]) < 32 || kinds[last] == TDisplayLine::LineEnd)
                --run.count;
            run.value = value;
            run.style = TStyleColors::styleOf(settings, value, p.coloring.highlight);
            run.fontStyle = TStyleColors::fontStyleOf(settings, run.style);
            run.selected = selected;
            run.colors = TStyleColors::runColors(settings, run.style, selected, p.coloring);
            run.x = x;
            run.width = metrics.width(run.fontStyle, chars + column, run.count);
            if (x + run.width > p.right) {
                int room = (p.right - x) / std::max(metrics.charWidth(), 1) * 3 / 2;
                run.count = std::clamp(room, 1, std::max(run.count, 1));
                run.width = metrics.width(run.fontStyle, chars + column, run.count);
                run.clipped = true;
            }
            if (run.count > 0) {
                plan.runs.push_back(run);
                x += run.width;
            }
            if (column + columns == line.length())
                plan.endVisible = !run.clipped && x < p.right;
            return !run.clipped;
        });
    if (line.length() <= p.scrollColumn)
        plan.endVisible = true;
    plan.fillX = x;
    TColorPair base = TStyleColors::styleColors(settings, 0);
    if (p.coloring.monochrome)
        base.back = colors::clWhite;
    plan.fillColor = p.selectionPastEnd ? p.coloring.selection.back : base.back;
    if (p.coloring.disabled)
        plan.fillColor = colors::clSilver;
}

int TRowLayout::span(const TDisplayLine& line, int from, int to, const TSM_Settings& settings,
    const TViewerMetrics& metrics, bool highlight)
{
    from = std::clamp(from, 0, line.length());
    to = std::clamp(to, from, line.length());
    if (metrics.fixedPitch())
        return (to - from) * metrics.cellWidth();
    int w = 0;
    const char* chars = line.chars();
    const uint8_t* values = line.values();
    for (int c = from; c < to; ++c) {
        uint8_t style = TStyleColors::styleOf(settings, values[c], highlight);
        w += metrics.advance(TStyleColors::fontStyleOf(settings, style), static_cast<uint8_t>(chars[c]));
    }
    return w;
}

} // namespace lrl
