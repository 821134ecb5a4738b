#include "scheme/TokenStyle.h"

namespace lrl {

TokenStyle tokenStyle(const TSM_Settings& settings, uint8_t value, int32_t defaultForeground, int32_t defaultBackground)
{
    const TSM_Effect& e = tokenEffect(settings, value);
    TokenStyle s;
    s.effect = effectNumber(settings, value);
    s.fontStyle = e.style & (TSM_Effect::Bold | TSM_Effect::Italic | TSM_Effect::Underline | TSM_Effect::StrikeOut);
    s.foreground = e.foregroundDefault ? defaultForeground : e.foreground;
    s.background = e.backgroundDefault ? defaultBackground : e.background;
    s.hotSpot = e.hotSpot;
    return s;
}

} // namespace lrl
