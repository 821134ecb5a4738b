#include "viewer/print/TExportEnvironment.h"

#include <array>
#include <ctime>

namespace lrl {

int32_t TExportEnvironment::defaultColor(int32_t stored)
{
    if (stored >= 0)
        return stored & 0xFFFFFF;
    // The classic desktop scheme, by system colour number (the low byte of the stored value).
    static constexpr std::array<int32_t, 31> kSystem = {
        0xC8D0D4, // scroll bar
        0xA56E3A, // background
        0x6A240A, // active caption
        0x808080, // inactive caption
        0xC8D0D4, // menu
        0xFFFFFF, // window
        0x000000, // window frame
        0x000000, // menu text
        0x000000, // window text
        0xFFFFFF, // caption text
        0xC8D0D4, // active border
        0xC8D0D4, // inactive border
        0x808080, // application workspace
        0x6A240A, // highlight
        0xFFFFFF, // highlighted text
        0xC8D0D4, // button face
        0x808080, // button shadow
        0x808080, // grey text
        0x000000, // button text
        0xC8D0D4, // inactive caption text
        0xFFFFFF, // button highlight
        0x404040, // 3-D dark shadow
        0xC8D0D4, // 3-D light
        0x000000, // info text
        0xE1FFFF, // info background
        0xB5B5B5, // (unused)
        0x800000, // hot light
        0xF0CAA6, // gradient active caption
        0xC0C0C0, // gradient inactive caption
        0x6A240A, // menu highlight
        0xC8D0D4, // menu bar
    };
    const uint32_t index = static_cast<uint32_t>(stored) & 0xFFu;
    if ((static_cast<uint32_t>(stored) & 0xFFFFFF00u) != 0x80000000u || index >= kSystem.size())
        return 0x000000;
    return kSystem[index];
}

std::string TExportEnvironment::defaultShortDate()
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
#ifdef _WIN32
    if (localtime_s(&local, &now) != 0)
        return {};
#else
    if (!localtime_r(&now, &local))
        return {};
#endif
    char buffer[64];
    size_t n = std::strftime(buffer, sizeof buffer, "%x", &local);
    return std::string(buffer, n);
}

} // namespace lrl
