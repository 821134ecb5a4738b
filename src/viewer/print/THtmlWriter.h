#pragma once

#include "viewer/print/TExportEnvironment.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lrl {

class Stream;
class TCustomSyntaxMemo;
class TExportSink;

// Writes a viewer's selection with its highlighting as an HTML page: a head with generator, title and
// date, a body in the default style's colours, and the characters inside PRE in runs of equal token
// value, a FONT colour change where the text colour changes and B, I and U tags where the font style
// does. Background colours are not written.
class THtmlWriter {
public:
    // The generator named in the page's head.
    static constexpr const char* kGenerator = "TCustomSyntaxMemo - listrel@corvane.example";

    explicit THtmlWriter(TExportEnvironment env = {});

    // Rescans the viewer's text from its first line, then writes the selection.
    void write(TCustomSyntaxMemo& viewer, Stream& out) const;
    // Writes the selection with the token values the nodes have now.
    void writeSelection(const TCustomSyntaxMemo& viewer, TExportSink& out) const;
    // The whole page as a string (rescanning first).
    std::string text(TCustomSyntaxMemo& viewer) const;

    // How a byte of the text's code page is written: control characters other than TAB (CR and LF
    // included) as nothing, TAB and the no-break space as "&nbsp;", the double quote, "<", ">" and "&" as
    // their entities, other codes from 128 as a decimal reference to their Unicode character; all else
    // as it is. The page's fixed header (title, date, font) is written through the Windows-1252 table.
    static std::string_view escape(uint8_t c, int codePage = 1252);
    // A colour as the page writes it: six lower-case hex digits, red first. A system colour is written
    // as its current value.
    std::string hex(int32_t stored) const;

private:
    TExportEnvironment m_env;
};

} // namespace lrl
