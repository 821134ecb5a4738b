#pragma once

#include "scheme/TSM_Settings.h"

#include <cstdint>

namespace lrl {

// How the characters of one token value are shown: the font style bits (TSM_Effect::Style) and the
// two colours with the viewer's defaults already put in where the effect asks for them.
struct TokenStyle {
    uint8_t effect = 0; // the effect number (the viewer's style index)
    uint8_t fontStyle = 0;
    int32_t foreground = 0;
    int32_t background = 0;
    bool hotSpot = false;

    bool operator==(const TokenStyle&) const = default;
};

// The effect number of token value (0 when the map names none).
inline uint8_t effectNumber(const TSM_Settings& settings, uint8_t value) { return settings.map[value]; }

// The effect that shows token value.
inline const TSM_Effect& tokenEffect(const TSM_Settings& settings, uint8_t value)
{
    return settings.effects[settings.map[value]];
}

// The style of token value; each colour whose effect marks it as default becomes the viewer's
// default colour.
TokenStyle tokenStyle(const TSM_Settings& settings, uint8_t value, int32_t defaultForeground, int32_t defaultBackground);

} // namespace lrl
