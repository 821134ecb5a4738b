#include "viewer/ui/TDeviceFonts.h"

#include <algorithm>

namespace lrl {

void TDeviceFonts::prepare(int dpi, const TSM_Font& font, int codePage)
{
    dpi = std::max(dpi, 1);
    if (m_ready && dpi == m_fonts.resolution() && font == m_font && codePage == m_fonts.codePage())
        return;
    m_fonts.setResolution(dpi);
    m_fonts.setCodePage(codePage);
    m_metrics.compute(&m_fonts, font);
    m_font = font;
    m_ready = true;
}

} // namespace lrl
