#pragma once

#include "viewer/print/TExportEnvironment.h"

namespace lrl {

class TCustomSyntaxMemo;

// The viewer's copy command and rich exports on the desktop.
class ViewerClipboard {
public:
    // System colours from the application's palette, the date in the desktop locale's short format.
    static TExportEnvironment environment();
    // Replaces the clipboard's contents with the viewer's selection in the formats of its
    // ClipCopyFormats: plain text (Windows-1252 decoded, CR LF line ends) and rich text (from the
    // viewer's rich-text writer). With neither the clipboard is just emptied.
    static void copy(TCustomSyntaxMemo& viewer);
};

} // namespace lrl
