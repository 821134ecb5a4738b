#pragma once

#include "scheme/TSM_Settings.h"

#include <cstdint>

namespace lrl {

// Sizes of a font as the device reports them, in device pixels.
struct TFontMeasure {
    int height = 0; // ascent + descent
    int externalLeading = 0;
    int averageCharWidth = 0;
};

// What the viewer measures its text font with: the widget answers from the fonts it draws with, a
// printer canvas from its own. A viewer without one uses fixed fallback sizes (TViewerMetrics).
//
// fontStyle holds TSM_Effect::Style bits; only bold and italic change sizes. Characters are the bytes of
// the text, in the code page the viewer last set (Windows-1252 until then).
class TMetricsSource {
public:
    virtual ~TMetricsSource() = default;
    virtual TFontMeasure measure(const TSM_Font& font, uint8_t fontStyle) = 0;
    virtual int charWidth(const TSM_Font& font, uint8_t fontStyle, uint8_t c) = 0;
    // The code page of the bytes charWidth is asked about from now on.
    virtual void setCodePage(int codePage) { (void)codePage; }
};

} // namespace lrl
