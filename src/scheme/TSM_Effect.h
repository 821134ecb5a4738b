#pragma once

#include <cstdint>

namespace lrl {

// A display style of the scheme: font style bits, colours (0x00BBGGRR; negative values name system
// colours), whether each colour is replaced by the viewer's default, and whether the text is a hot spot.
struct TSM_Effect {
    enum Style : uint8_t {
        Bold = 1,
        Italic = 2,
        Underline = 4,
        StrikeOut = 8,
    };

    uint8_t style = 0;
    int32_t foreground = 0x000000;
    int32_t background = 0xFFFFFF;
    bool foregroundDefault = true;
    bool backgroundDefault = true;
    bool hotSpot = false;
    bool defined = false;

    bool operator==(const TSM_Effect&) const = default;
};

} // namespace lrl
