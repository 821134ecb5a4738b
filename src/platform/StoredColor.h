#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace lrl {

// Converts the stored 32-bit colours (0x00BBGGRR; negative values name a system colour by the number in
// their low byte) to QColor and back, taking system colours from a palette.
class StoredColor {
public:
    // System colour numbers of the stored form that the program itself uses.
    static constexpr int32_t kWindow = static_cast<int32_t>(0x80000005u);
    static constexpr int32_t kWindowText = static_cast<int32_t>(0x80000008u);
    static constexpr int32_t kHighlight = static_cast<int32_t>(0x8000000Du);
    static constexpr int32_t kHighlightText = static_cast<int32_t>(0x8000000Eu);
    static constexpr int32_t kButtonFace = static_cast<int32_t>(0x8000000Fu);

    // A plain colour takes its low 24 bits (a set high byte, which asked for palette matching, is
    // ignored); a system colour comes from the palette's active group; a system colour number the
    // platform never had reads as black.
    static QColor toQColor(int32_t stored, const QPalette& palette);
    // With the application's palette.
    static QColor toQColor(int32_t stored);
    // The plain stored form of a colour (alpha dropped).
    static int32_t fromQColor(const QColor& color);
};

} // namespace lrl
