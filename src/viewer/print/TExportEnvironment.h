#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace lrl {

// What the rich-text and HTML writers take from the world outside the viewer: the current value of a
// system colour and today's date. The program fills it from the desktop (palette, locale); tools and
// tests use the fixed defaults or their own.
struct TExportEnvironment {
    // A stored colour (0x00BBGGRR, or a negative value naming a system colour) as a plain colour
    // 0x00BBGGRR.
    std::function<int32_t(int32_t stored)> resolveColor = defaultColor;
    // The local short date of the current moment.
    std::function<std::string()> shortDate = defaultShortDate;

    // A plain colour keeps its low 24 bits; a system colour takes the desktop's classic default (window
    // text black, window white, highlight dark blue, highlighted text white, button face silver, ...);
    // a system colour number the desktop never had reads as black.
    static int32_t defaultColor(int32_t stored);
    // The date in the C library's current locale ("%x").
    static std::string defaultShortDate();
};

} // namespace lrl
