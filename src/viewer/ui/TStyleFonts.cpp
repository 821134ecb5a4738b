#include "viewer/ui/TStyleFonts.h"

#include "common/CodePage.h"
#include "scheme/TSM_Effect.h"

#include <QString>

#include <algorithm>

namespace lrl {

QFont TStyleFonts::makeFont(const std::string& name, int32_t size, uint8_t style, int deviceDpi)
{
    QFont f(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    if (deviceDpi > 0 && size != 0) {
        // Rounded as the device's own font mapping rounds a height of size x dpi / 72.
        const int64_t perInch = size > 0 ? 72 : kScreenDpi;
        const int64_t units = size > 0 ? size : -int64_t(size);
        f.setPixelSize(static_cast<int>(std::max<int64_t>(1, (units * deviceDpi + perInch / 2) / perInch)));
    } else if (size > 0) {
        f.setPointSize(size);
    } else if (size < 0) {
        f.setPixelSize(-size);
    }
    f.setBold(style & TSM_Effect::Bold);
    f.setItalic(style & TSM_Effect::Italic);
    f.setUnderline(style & TSM_Effect::Underline);
    f.setStrikeOut(style & TSM_Effect::StrikeOut);
    f.setKerning(false);
    return f;
}

void TStyleFonts::setResolution(int dpi)
{
    dpi = std::max(dpi, 0);
    if (dpi == m_dpi)
        return;
    m_dpi = dpi;
    for (auto& f : m_faces)
        f.reset();
    for (auto& r : m_raw)
        r = Raw {};
    m_gutterValid = false;
}

void TStyleFonts::use(const TSM_Font& font)
{
    if (m_valid && font == m_font)
        return;
    m_font = font;
    m_valid = true;
    for (auto& f : m_faces)
        f.reset();
    for (auto& r : m_raw)
        r = Raw {};
}

TStyleFonts::Face& TStyleFonts::face(uint8_t fontStyle)
{
    if (!m_valid)
        use(TSM_Font {});
    auto& slot = m_faces[fontStyle & 15];
    if (!slot) {
        slot.emplace();
        slot->font = makeFont(m_font.name, m_font.size, fontStyle & 15, m_dpi);
        slot->metrics.emplace(slot->font);
    }
    return *slot;
}

const QFont& TStyleFonts::font(uint8_t fontStyle) { return face(fontStyle).font; }

const QFontMetrics& TStyleFonts::fontMetrics(uint8_t fontStyle) { return *face(fontStyle).metrics; }

const QRawFont& TStyleFonts::rawFont(uint8_t fontStyle)
{
    glyphs(fontStyle);
    return m_raw[fontStyle & 3].font;
}

const std::array<quint32, 256>& TStyleFonts::glyphs(uint8_t fontStyle)
{
    Raw& raw = m_raw[fontStyle & 3];
    if (!raw.built) {
        raw.built = true;
        raw.font = QRawFont::fromFont(font(fontStyle & 3));
        QString chars(256, Qt::Uninitialized);
        const CodePage& page = CodePage::of(m_codePage);
        for (int c = 0; c < 256; ++c)
            chars[c] = QChar(page.toUnicode(static_cast<uint8_t>(c)));
        raw.glyphs.fill(0);
        if (raw.font.isValid()) {
            QList<quint32> indexes = raw.font.glyphIndexesForString(chars);
            for (int c = 32; c < 256 && c < indexes.size(); ++c)
                raw.glyphs[c] = raw.font.supportsCharacter(chars[c]) ? indexes[c] : 0;
        }
    }
    return raw.glyphs;
}

int TStyleFonts::ascent() { return fontMetrics(TSM_Effect::Bold | TSM_Effect::Italic).ascent(); }

TFontMeasure TStyleFonts::measure(const TSM_Font& font, uint8_t fontStyle)
{
    use(font);
    const QFontMetrics& m = fontMetrics(fontStyle);
    return { m.height(), m.leading(), m.averageCharWidth() };
}

int TStyleFonts::charWidth(const TSM_Font& font, uint8_t fontStyle, uint8_t c)
{
    use(font);
    return fontMetrics(fontStyle).horizontalAdvance(QChar(CodePage::of(m_codePage).toUnicode(c)));
}

void TStyleFonts::setCodePage(int codePage)
{
    if (codePage == m_codePage)
        return;
    m_codePage = codePage;
    for (Raw& raw : m_raw)
        raw.built = false;
}

const QFont& TStyleFonts::gutterFont(const TSM_GutterFont& font)
{
    if (!m_gutterValid || !(font == m_gutterSpec)) {
        m_gutterSpec = font;
        m_gutter = makeFont(font.name, font.size, font.style, m_dpi);
        m_gutterValid = true;
    }
    return m_gutter;
}

} // namespace lrl
