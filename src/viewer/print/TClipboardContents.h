#pragma once

#include <string>

namespace lrl {

class TCustomSyntaxMemo;

// What the viewer's copy command puts on the clipboard, in the formats of its ClipCopyFormats: with
// smTEXT the selection as plain text with CR LF line ends, with smRTF the selection as the viewer's
// rich-text writer writes it (none when the viewer has no such writer; see installExportWriters). The
// clipboard itself is the desktop's (the platform layer puts these there).
struct TClipboardContents {
    bool hasText = false;
    std::string text; // the store's 8-bit characters, in codePage
    int codePage = 1252;
    bool hasRichText = false;
    std::string richText;

    static TClipboardContents ofSelection(TCustomSyntaxMemo& viewer);
};

} // namespace lrl
