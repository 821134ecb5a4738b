#include "viewer/TViewerMetrics.h"

#include "scheme/TSM_Effect.h"
#include "viewer/TMetricsSource.h"

namespace lrl {

void TViewerMetrics::compute(TMetricsSource* source, const TSM_Font& font)
{
    if (!source) {
        m_textHeight = kFallbackHeight;
        m_leading = 0;
        m_charWidth = m_cellWidth = kFallbackWidth;
        m_fixedPitch = false;
        m_lineHeight = m_textHeight + 1;
        for (auto& table : m_advances)
            table.fill(kFallbackWidth);
        return;
    }
    constexpr uint8_t kBoldItalic = TSM_Effect::Bold | TSM_Effect::Italic;
    TFontMeasure m = source->measure(font, kBoldItalic);
    m_textHeight = m.height > 0 ? m.height : kFallbackHeight;
    m_leading = m.externalLeading > 0 ? m.externalLeading : 0;
    m_lineHeight = m_textHeight + m_leading + 1;
    m_charWidth = m.averageCharWidth > 0 ? m.averageCharWidth : kFallbackWidth;
    m_fixedPitch = source->charWidth(font, kBoldItalic, 'i') == source->charWidth(font, kBoldItalic, 'W');
    if (m_fixedPitch) {
        int regular = source->measure(font, 0).averageCharWidth;
        m_charWidth = regular > 0 ? regular : kFallbackWidth;
        int cell = source->charWidth(font, 0, 'W');
        m_cellWidth = cell > 0 ? cell : m_charWidth;
    } else {
        m_cellWidth = m_charWidth;
    }
    for (uint8_t style = 0; style < 4; ++style)
        for (int c = 0; c < 256; ++c) {
            int w = m_fixedPitch ? m_cellWidth : source->charWidth(font, style, static_cast<uint8_t>(c));
            m_advances[style][c] = w > 0 ? w : 0;
        }
}

int TViewerMetrics::width(uint8_t fontStyle, const char* chars, int n) const
{
    if (n <= 0)
        return 0;
    if (m_fixedPitch)
        return n * m_cellWidth;
    const auto& table = m_advances[fontStyle & 3];
    int w = 0;
    for (int i = 0; i < n; ++i)
        w += table[static_cast<uint8_t>(chars[i])];
    return w;
}

} // namespace lrl
