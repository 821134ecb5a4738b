#pragma once

#include "scheme/TSM_Settings.h"
#include "viewer/TMetricsSource.h"

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>

#include <array>
#include <optional>

namespace lrl {

// The viewer's fonts: the text font in each combination of the style bits (bold, italic, underline,
// strike-out), the gutter font, and for the four bold/italic faces the glyph of every byte of the text
// (in the text's code page), so that runs are drawn as glyph runs at computed x positions. It measures for the
// viewer model (TMetricsSource) and rebuilds itself when the model asks about another font.
//
// Fonts are measured on the screen's resolution unless a device resolution is set: then they are made in
// pixels of that device (a size in points as points at that resolution, a size in pixels as screen
// pixels of 96 per inch), as the page renderer needs them on a printer or in a preview page. Nothing
// needs the widget to be shown.
class TStyleFonts : public TMetricsSource {
public:
    static constexpr int kScreenDpi = 96;

    // A font as the settings describe it: a positive size in points, a negative one in pixels. With a
    // device resolution (dots per inch, > 0) the size becomes pixels of that device.
    static QFont makeFont(const std::string& name, int32_t size, uint8_t style, int deviceDpi = 0);

    // The device resolution fonts are made for; 0: the screen.
    int resolution() const { return m_dpi; }
    void setResolution(int dpi);

    // TMetricsSource
    TFontMeasure measure(const TSM_Font& font, uint8_t fontStyle) override;
    int charWidth(const TSM_Font& font, uint8_t fontStyle, uint8_t c) override;
    void setCodePage(int codePage) override;
    int codePage() const { return m_codePage; }

    // Makes `font` the text font (nothing happens when it already is).
    void use(const TSM_Font& font);
    const QFont& font(uint8_t fontStyle);
    const QFontMetrics& fontMetrics(uint8_t fontStyle);
    // The face of the bold and italic bits, and the glyph of each byte in it (0: the face has none).
    const QRawFont& rawFont(uint8_t fontStyle);
    const std::array<quint32, 256>& glyphs(uint8_t fontStyle);
    // The baseline below a row's top: the ascent of the bold-italic face the metrics are measured with.
    int ascent();

    const QFont& gutterFont(const TSM_GutterFont& font);

private:
    struct Face {
        QFont font;
        std::optional<QFontMetrics> metrics;
    };
    struct Raw {
        QRawFont font;
        std::array<quint32, 256> glyphs {};
        bool built = false;
    };
    Face& face(uint8_t fontStyle);

    TSM_Font m_font { "", 0, 0 };
    int m_dpi = 0;
    int m_codePage = 1252;
    bool m_valid = false;
    std::array<std::optional<Face>, 16> m_faces;
    std::array<Raw, 4> m_raw;
    TSM_GutterFont m_gutterSpec;
    QFont m_gutter;
    bool m_gutterValid = false;
};

} // namespace lrl
