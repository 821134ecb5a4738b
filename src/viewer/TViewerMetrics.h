#pragma once

#include "scheme/TSM_Settings.h"

#include <array>
#include <cstdint>

namespace lrl {

class TMetricsSource;

// The sizes the viewer lays its text out with, in device pixels.
//
// They are measured with the text font in bold italic: the line height is the text height plus the
// external leading plus 1, the character width the font's average character width (a height of 0 or less
// counts as 17, a width of 0 or less as 7). The font is fixed-pitch when "i" and "W" are equally wide in
// bold italic; then every character of every style advances by one cell (the width of "W" in the regular
// style) so that all styles stay on one grid, and the average width is taken from the regular style.
// Without a source the sizes are 7 and 17 with no leading and no fixed pitch.
//
// Character advances are kept per bold/italic combination, so that row widths, word wrap and hit
// testing never go back to the device.
class TViewerMetrics {
public:
    static constexpr int kFallbackWidth = 7;
    static constexpr int kFallbackHeight = 17;

    TViewerMetrics() { compute(nullptr, TSM_Font {}); }

    void compute(TMetricsSource* source, const TSM_Font& font);

    int lineHeight() const { return m_lineHeight; }
    int textHeight() const { return m_textHeight; }
    int leading() const { return m_leading; }
    // The average character width: the width of one column wherever columns are turned into pixels.
    int charWidth() const { return m_charWidth; }
    // The advance of every character when the font is fixed-pitch.
    int cellWidth() const { return m_cellWidth; }
    bool fixedPitch() const { return m_fixedPitch; }

    int advance(uint8_t fontStyle, uint8_t c) const
    {
        return m_fixedPitch ? m_cellWidth : m_advances[fontStyle & 3][c];
    }
    // The width of n characters drawn in one run.
    int width(uint8_t fontStyle, const char* chars, int n) const;

    bool operator==(const TViewerMetrics&) const = default;

private:
    int m_lineHeight = 0;
    int m_textHeight = 0;
    int m_leading = 0;
    int m_charWidth = 0;
    int m_cellWidth = 0;
    bool m_fixedPitch = false;
    std::array<std::array<int, 256>, 4> m_advances {};
};

} // namespace lrl
