#include "viewer/print/TRichTextWriter.h"

#include "common/CodePage.h"
#include "common/MemoryStream.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TStyleColors.h"
#include "viewer/print/TEscapeTable.h"
#include "viewer/print/TExportSink.h"
#include "viewer/print/TSelectionWalk.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <utility>

namespace lrl {

namespace {

// The rich-text form of a character of the code page: one outside ASCII as its Unicode value (\uN, a
// signed 16-bit number) followed by the page's byte, which readers without Unicode show instead.
std::string rtfEscape(const CodePage& page, uint8_t c)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\'%.2x", c);
    switch (c) {
    case 0:
        return {};
    case '\t':
        return "\\tab ";
    case '\f':
        return "\\page ";
    case '\r':
        return "\\line ";
    case '\'':
        return hex;
    case '\\':
    case '{':
    case '}':
        return std::string { '\\', static_cast<char>(c) };
    default:
        if (c < 32)
            return hex;
        if (c >= 128)
            return "\\u" + std::to_string(static_cast<int16_t>(page.toUnicode(c))) + hex;
        return std::string(1, static_cast<char>(c));
    }
}

const TEscapeTable& escapes(int codePage = CodePage::kDefault) { return escapesFor<rtfEscape>(codePage); }

void putColor(TExportSink& out, int32_t rgb)
{
    out.putf("\\red%d\\green%d\\blue%d;", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

// The colour table and, per style, the resolved colours of its runs with their table entries.
class ColorTable {
public:
    ColorTable(const TSM_Settings& settings, const TExportEnvironment& env)
    {
        for (int s = 0; s < 256; ++s) {
            TColorPair pair = TStyleColors::styleColors(settings, static_cast<uint8_t>(s));
            m_text[static_cast<size_t>(s)] = env.resolveColor(pair.text);
            m_back[static_cast<size_t>(s)] = env.resolveColor(pair.back);
        }
        m_entries.fill(m_text[0]);
        m_entries[1] = m_back[0];
        m_defined = settings.effects;
    }

    // Writes the table: entries 0 and 1, then each new colour of the defined styles while there is
    // room for it.
    void write(TExportSink& out)
    {
        out.put("{\\colortbl");
        putColor(out, m_entries[0]);
        putColor(out, m_entries[1]);
        int n = 2;
        for (size_t s = 0; s < 256; ++s) {
            if (!m_defined[s].defined)
                continue;
            for (int32_t rgb : { m_text[s], m_back[s] }) {
                if (n > 255 || std::find(m_entries.begin(), m_entries.end(), rgb) != m_entries.end())
                    continue;
                putColor(out, rgb);
                m_entries[static_cast<size_t>(n++)] = rgb;
            }
        }
        out.put("}\r\n");
        for (size_t s = 0; s < 256; ++s) {
            m_textIndex[s] = indexOf(m_text[s], 0);
            m_backIndex[s] = indexOf(m_back[s], 1);
            m_textCommand[s] = "\\cf" + std::to_string(m_textIndex[s]) + " ";
            m_backCommand[s] = "\\cb" + std::to_string(m_backIndex[s]) + " ";
        }
    }

    int32_t entry(int index) const { return m_entries[static_cast<size_t>(index)]; }
    int32_t text(uint8_t style) const { return m_text[style]; }
    int32_t back(uint8_t style) const { return m_back[style]; }
    int textIndex(uint8_t style) const { return m_textIndex[style]; }
    int backIndex(uint8_t style) const { return m_backIndex[style]; }
    // The commands that switch to the style's entries.
    const std::string& textCommand(uint8_t style) const { return m_textCommand[style]; }
    const std::string& backCommand(uint8_t style) const { return m_backCommand[style]; }

private:
    int indexOf(int32_t rgb, int fallback) const
    {
        auto it = std::find(m_entries.begin(), m_entries.end(), rgb);
        return it == m_entries.end() ? fallback : static_cast<int>(it - m_entries.begin());
    }

    std::array<int32_t, 256> m_entries {};
    std::array<int32_t, 256> m_text {};
    std::array<int32_t, 256> m_back {};
    std::array<int, 256> m_textIndex {};
    std::array<int, 256> m_backIndex {};
    std::array<std::string, 256> m_textCommand;
    std::array<std::string, 256> m_backCommand;
    std::array<TSM_Effect, 256> m_defined {};
};

// Switches one font style bit on or off with its pair of commands.
void toggle(TExportSink& out, bool want, bool& state, std::string_view on, std::string_view off)
{
    if (want != state) {
        out.put(want ? on : off);
        state = want;
    }
}

// The font size in half points: a size in points doubled; a negative size is a height in pixels,
// taken at the desktop's 96 pixels per inch (a negative \fs would not be read).
long long halfPoints(int32_t size)
{
    return size >= 0 ? 2LL * size : (-static_cast<long long>(size) * 3 + 1) / 2;
}

} // namespace

TRichTextWriter::TRichTextWriter(TExportEnvironment env)
    : m_env(std::move(env))
{
}

std::string_view TRichTextWriter::escape(uint8_t c, int codePage) { return escapes(codePage)[c]; }

void TRichTextWriter::write(TCustomSyntaxMemo& viewer, Stream& out) const
{
    viewer.fullScan();
    TExportSink sink(out);
    writeSelection(viewer, sink);
    sink.flush();
}

std::string TRichTextWriter::text(TCustomSyntaxMemo& viewer) const
{
    MemoryStream out;
    write(viewer, out);
    return std::string(out.bytes().begin(), out.bytes().end());
}

void TRichTextWriter::writeSelection(const TCustomSyntaxMemo& viewer, TExportSink& out) const
{
    const TSM_Settings& settings = viewer.settings();
    const bool highlight = viewer.options().has(smoSyntaxHighlight);

    const TEscapeTable& body = escapes(viewer.codePage());
    out.putf("{\\rtf1\\ansi\\ansicpg%d \\deff1{\\fonttbl {\\f1 \\fnil ", viewer.codePage());
    const std::string& face = settings.font.name;
    escapes().put(out, face);
    out.put(";}}\r\n");

    ColorTable colors(settings, m_env);
    colors.write(out);

    out.putf("{\\f1\\fs%lld\\cf0\\cb1 ", halfPoints(settings.font.size));
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int32_t text = colors.entry(0);
    int32_t back = colors.entry(1);

    TSelectionWalk walk(viewer.textStore(), viewer.selStart(), viewer.selEnd());
    walk.forEachLine([&](const TExportLine& line) {
        TSelectionWalk::forEachRun(line, [&](const uint8_t* chars, int count, int value) {
            if (value >= 0) {
                const uint8_t style = TStyleColors::styleOf(settings, static_cast<uint8_t>(value), highlight);
                const uint8_t bits = TStyleColors::fontStyleOf(settings, style);
                toggle(out, bits & TSM_Effect::Bold, bold, "\\b1 ", "\\b0 ");
                toggle(out, bits & TSM_Effect::Italic, italic, "\\i1 ", "\\i0 ");
                toggle(out, bits & TSM_Effect::Underline, underline, "\\ul1 ", "\\ul0 ");
                if (colors.text(style) != text) {
                    out.put(colors.textCommand(style));
                    text = colors.entry(colors.textIndex(style));
                }
                if (colors.back(style) != back) {
                    out.put(colors.backCommand(style));
                    back = colors.entry(colors.backIndex(style));
                }
            }
            body.put(out, chars, count);
        });
        if (line.lineEnd)
            out.put("\r\n");
    });
    out.put("}}");
}

} // namespace lrl
