#pragma once

#include "viewer/print/TExportEnvironment.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lrl {

class Stream;
class TCustomSyntaxMemo;
class TExportSink;

// Writes a viewer's selection with its highlighting as a rich-text (RTF) document: a font table with the
// viewer's font, a colour table built from the defined styles, then the characters in runs of equal
// token value, each run preceded by the bold, italic, underline and colour commands that change from the
// run before. The characters are the store's 8-bit characters, escaped as escape() says.
class TRichTextWriter {
public:
    explicit TRichTextWriter(TExportEnvironment env = {});

    // Rescans the viewer's text from its first line (so that every node has current token values), then
    // writes the selection.
    void write(TCustomSyntaxMemo& viewer, Stream& out) const;
    // Writes the selection with the token values the nodes have now.
    void writeSelection(const TCustomSyntaxMemo& viewer, TExportSink& out) const;
    // The whole document as a string (rescanning first).
    std::string text(TCustomSyntaxMemo& viewer) const;

    // How a byte of the text's code page is written: NUL as nothing, TAB "\tab ", form feed "\page ", CR
    // "\line ", apostrophe "\'27", backslash, "{" and "}" behind a backslash, other codes below 32 as "\'"
    // with two lower-case hex digits; every code from 128 as "\u" + its character's Unicode value (signed
    // 16-bit) followed by the "\'" form of the byte (what readers without Unicode show); all else as it
    // is. The header names the code page ("\ansi\ansicpg" + its number).
    static std::string_view escape(uint8_t c, int codePage = 1252);

private:
    TExportEnvironment m_env;
};

} // namespace lrl
