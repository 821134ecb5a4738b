#include "viewer/print/THtmlWriter.h"

#include "common/MemoryStream.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TStyleColors.h"
#include "viewer/print/TExportSink.h"
#include "viewer/print/TSelectionWalk.h"

#include <array>
#include <cstdio>
#include <utility>

namespace lrl {

namespace {

class HtmlEscapes {
public:
    HtmlEscapes()
    {
        for (int c = 0; c < 256; ++c) {
            std::string& s = m_text[static_cast<size_t>(c)];
            if (c == '\t' || c == 160)
                s = "&nbsp;";
            else if (c < 32)
                s.clear();
            else if (c == '"')
                s = "&quot;";
            else if (c == '<')
                s = "&lt;";
            else if (c == '>')
                s = "&gt;";
            else if (c == '&')
                s = "&amp;";
            else if (c >= 128)
                s = "&#" + std::to_string(c) + ";";
            else
                s = std::string(1, static_cast<char>(c));
            m_plain[static_cast<size_t>(c)] = s.size() == 1 && s[0] == static_cast<char>(c);
        }
    }
    std::string_view operator[](uint8_t c) const { return m_text[c]; }
    bool plain(uint8_t c) const { return m_plain[c]; }

private:
    std::array<std::string, 256> m_text;
    std::array<bool, 256> m_plain {};
};

const HtmlEscapes& escapes()
{
    static const HtmlEscapes table;
    return table;
}

void putEscaped(TExportSink& out, const uint8_t* chars, int count)
{
    const HtmlEscapes& table = escapes();
    int i = 0;
    while (i < count) {
        int j = i;
        while (j < count && table.plain(chars[j]))
            ++j;
        if (j > i)
            out.put(std::string_view(reinterpret_cast<const char*>(chars + i), static_cast<size_t>(j - i)));
        if (j < count)
            out.put(table[chars[j++]]);
        i = j;
    }
}

void putEscaped(TExportSink& out, const std::string& text)
{
    putEscaped(out, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
}

// Switches one font style tag on or off.
void toggle(TExportSink& out, bool want, bool& state, std::string_view on, std::string_view off)
{
    if (want != state) {
        out.put(want ? on : off);
        state = want;
    }
}

} // namespace

THtmlWriter::THtmlWriter(TExportEnvironment env)
    : m_env(std::move(env))
{
}

std::string_view THtmlWriter::escape(uint8_t c) { return escapes()[c]; }

std::string THtmlWriter::hex(int32_t stored) const
{
    const int32_t value = stored < 0 ? m_env.resolveColor(stored) : stored;
    const unsigned rgb = ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
    char text[8];
    std::snprintf(text, sizeof text, "%.6x", rgb);
    return text;
}

void THtmlWriter::write(TCustomSyntaxMemo& viewer, Stream& out) const
{
    viewer.fullScan();
    TExportSink sink(out);
    writeSelection(viewer, sink);
    sink.flush();
}

std::string THtmlWriter::text(TCustomSyntaxMemo& viewer) const
{
    MemoryStream out;
    write(viewer, out);
    return std::string(out.bytes().begin(), out.bytes().end());
}

void THtmlWriter::writeSelection(const TCustomSyntaxMemo& viewer, TExportSink& out) const
{
    const TSM_Settings& settings = viewer.settings();
    const bool highlight = viewer.options().has(smoSyntaxHighlight);
    const TColorPair base = TStyleColors::styleColors(settings, 0);

    out.put("<HTML><HEAD>\r\n<META NAME=\"Generator\" CONTENT=\"");
    out.put(kGenerator);
    out.put("\">\r\n<TITLE>");
    putEscaped(out, viewer.title());
    out.put("</TITLE>\r\n<META NAME=\"Date\" CONTENT=\"");
    putEscaped(out, m_env.shortDate());
    out.put("\">\r\n</HEAD>\r\n");
    out.putf("<BODY TEXT=\"#%s\" BGCOLOR=\"#%s\">\r\n", hex(base.text).c_str(), hex(base.back).c_str());
    out.put("<PRE><FONT FACE=\"");
    putEscaped(out, settings.font.name);
    out.put("\">\r\n");

    // Per style its text colour and the tags that switch to it.
    std::array<int32_t, 256> styleText {};
    std::array<std::string, 256> colorTags;
    for (size_t s = 0; s < styleText.size(); ++s) {
        styleText[s] = TStyleColors::styleColors(settings, static_cast<uint8_t>(s)).text;
        colorTags[s] = "</FONT><FONT COLOR=\"#" + hex(styleText[s]) + "\">";
    }

    int32_t text = base.text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    TSelectionWalk walk(viewer.textStore(), viewer.selStart(), viewer.selEnd());
    walk.forEachLine([&](const TExportLine& line) {
        TSelectionWalk::forEachRun(line, [&](const uint8_t* chars, int count, int value) {
            if (value >= 0) {
                const uint8_t style = TStyleColors::styleOf(settings, static_cast<uint8_t>(value), highlight);
                const int32_t color = styleText[style];
                if (color != text) {
                    out.put(colorTags[style]);
                    text = color;
                }
                const uint8_t bits = TStyleColors::fontStyleOf(settings, style);
                toggle(out, bits & TSM_Effect::Bold, bold, "<B>", "</B>");
                toggle(out, bits & TSM_Effect::Italic, italic, "<I>", "</I>");
                toggle(out, bits & TSM_Effect::Underline, underline, "<U>", "</U>");
            }
            putEscaped(out, chars, count);
        });
        if (line.lineEnd)
            out.put("\r\n");
    });
    out.put("</PRE></FONT></BODY></HTML>\r\n");
}

} // namespace lrl
