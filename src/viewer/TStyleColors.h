#pragma once

#include "scheme/TSM_Settings.h"
#include "viewer/TLineNode.h"

#include <cstdint>

namespace lrl {

// Colour values as the settings keep them: 0x00BBGGRR, negative values name system colours. The widget
// turns them into screen colours only when it paints.
namespace colors {
    constexpr int32_t clWindowText = TSM_Settings::clWindowText;
    constexpr int32_t clWindow = static_cast<int32_t>(0x80000005u);
    constexpr int32_t clHighlight = TSM_Settings::clHighlight;
    constexpr int32_t clHighlightText = TSM_Settings::clHighlightText;
    constexpr int32_t clBtnFace = TSM_Settings::clBtnFace;
    constexpr int32_t clBlack = 0x000000;
    constexpr int32_t clWhite = 0xFFFFFF;
    constexpr int32_t clSilver = 0xC0C0C0;
    constexpr int32_t clYellow = 0x00FFFF;
    constexpr int32_t clBlue = 0xFF0000;
    constexpr int32_t clRed = 0x0000FF;
} // namespace colors

struct TColorPair {
    int32_t text = colors::clWindowText;
    int32_t back = colors::clWindow;
    bool operator==(const TColorPair&) const = default;
};

// What colours a row apart from the styles of its characters.
struct TRowColoring {
    bool highlight = true; // smoSyntaxHighlight; off: every run in style 0
    bool monochrome = false; // printing black on white
    bool disabled = false; // a disabled viewer paints on silver
    const TLineColors* breakpoint = nullptr; // the row's line is a breakpoint with these colours
    TLineColors lineColors; // the node's LineColors
    TColorPair selection { colors::clHighlightText, colors::clHighlight };
};

// The style table of a scheme (the map from token value to style and the 256 style records) and the
// colours a run is painted in.
class TStyleColors {
public:
    // The style number of a token value; 0 when highlighting is off.
    static uint8_t styleOf(const TSM_Settings& settings, uint8_t value, bool highlight)
    {
        return highlight ? settings.map[value] : 0;
    }
    // The font style bits a run of the style is drawn with.
    static uint8_t fontStyleOf(const TSM_Settings& settings, uint8_t style) { return settings.effects[style].style; }

    // A style's own colours: a colour marked as default comes from style 0, and style 0's own default
    // flags name the system window-text and window colours.
    static TColorPair styleColors(const TSM_Settings& settings, uint8_t style);

    // The colours of a run of the style, in order of precedence: printing in monochrome; a breakpoint
    // row (text and background swapped when selected); the selection; highlighting off (style 0); the
    // node's line colours; the style's colours. A disabled viewer then puts every run on silver.
    static TColorPair runColors(const TSM_Settings& settings, uint8_t style, bool selected, const TRowColoring& row);
};

} // namespace lrl
