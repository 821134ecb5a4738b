#pragma once

#include "scheme/TSM_Settings.h"
#include "viewer/TViewerMetrics.h"
#include "viewer/ui/TStyleFonts.h"

namespace lrl {

// The viewer's fonts and metrics on a target device (a printer, a preview page), measured for that
// device's resolution and kept while the resolution and the text font stay the same. The screen's
// fonts and metrics are never touched by printing.
class TDeviceFonts {
public:
    // Makes the fonts and metrics those of `dpi` dots per inch and the font, for text in `codePage`.
    void prepare(int dpi, const TSM_Font& font, int codePage = 1252);

    TStyleFonts& fonts() { return m_fonts; }
    const TViewerMetrics& metrics() const { return m_metrics; }
    int resolution() const { return m_fonts.resolution(); }

private:
    TStyleFonts m_fonts;
    TViewerMetrics m_metrics;
    TSM_Font m_font { "", 0, 0 };
    bool m_ready = false;
};

} // namespace lrl
