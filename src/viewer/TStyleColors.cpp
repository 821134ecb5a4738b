#include "viewer/TStyleColors.h"

namespace lrl {

TColorPair TStyleColors::styleColors(const TSM_Settings& settings, uint8_t style)
{
    const TSM_Effect& base = settings.effects[0];
    TColorPair fallback { base.foregroundDefault ? colors::clWindowText : base.foreground,
        base.backgroundDefault ? colors::clWindow : base.background };
    if (style == 0)
        return fallback;
    const TSM_Effect& e = settings.effects[style];
    return { e.foregroundDefault ? fallback.text : e.foreground, e.backgroundDefault ? fallback.back : e.background };
}

TColorPair TStyleColors::runColors(
    const TSM_Settings& settings, uint8_t style, bool selected, const TRowColoring& row)
{
    if (row.monochrome)
        return { colors::clBlack, colors::clWhite };
    TColorPair c;
    if (row.breakpoint) {
        c = { row.breakpoint->text, row.breakpoint->back };
        if (selected)
            c = { c.back, c.text };
    } else if (selected) {
        c = row.selection;
    } else if (!row.highlight) {
        c = styleColors(settings, 0);
    } else if (row.lineColors.back != -1) {
        c = styleColors(settings, style);
        c.back = row.lineColors.back;
        if (row.lineColors.text != -1)
            c.text = row.lineColors.text;
    } else {
        c = styleColors(settings, style);
    }
    if (row.disabled)
        c.back = colors::clSilver;
    return c;
}

} // namespace lrl
