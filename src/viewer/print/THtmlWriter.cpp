#include "viewer/print/THtmlWriter.h"

#include "common/CodePage.h"
#include "common/MemoryStream.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TStyleColors.h"
#include "viewer/print/TEscapeTable.h"
#include "viewer/print/TExportSink.h"
#include "viewer/print/TSelectionWalk.h"

#include <array>
#include <cstdio>
#include <memory>
#include <utility>

namespace lrl {

namespace {

// The HTML form of a character of the code page.
std::string htmlEscape(const CodePage& page, uint8_t c)
{
    if (c == '\t' || (c >= 128 && page.toUnicode(c) == 0xA0))
        return "&nbsp;";
    if (c < 32)
        return {};
    switch (c) {
    case '"':
        return "&quot;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    default:
        return c >= 128 ? "&#" + std::to_string(unsigned(page.toUnicode(c))) + ";"
                        : std::string(1, static_cast<char>(c));
    }
}

const TEscapeTable& escapes(int codePage = CodePage::kDefault) { return escapesFor<htmlEscape>(codePage); }

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

std::string_view THtmlWriter::escape(uint8_t c, int codePage) { return escapes(codePage)[c]; }

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
    escapes().put(out, viewer.title());
    out.put("</TITLE>\r\n<META NAME=\"Date\" CONTENT=\"");
    escapes().put(out, m_env.shortDate());
    out.put("\">\r\n</HEAD>\r\n");
    out.putf("<BODY TEXT=\"#%s\" BGCOLOR=\"#%s\">\r\n", hex(base.text).c_str(), hex(base.back).c_str());
    out.put("<PRE><FONT FACE=\"");
    escapes().put(out, settings.font.name);
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
    const TEscapeTable& body = escapes(viewer.codePage());
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
            body.put(out, chars, count);
        });
        if (line.lineEnd)
            out.put("\r\n");
    });
    out.put("</PRE></FONT></BODY></HTML>\r\n");
}

} // namespace lrl
