#include "viewer/ui/TDeviceFonts.h"

#include <algorithm>

namespace lrl {

void TDeviceFonts::prepare(int dpi, const TSM_Font& font)
{
    dpi = std::max(dpi, 1);
    if (m_ready && dpi == m_fonts.resolution() && font == m_font)
        return;
    m_fonts.setResolution(dpi);
    m_metrics.compute(&m_fonts, font);
    m_font = font;
    m_ready = true;
}

} // namespace lrl
