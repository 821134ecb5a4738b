#pragma once

#include <QMimeData>

#include <memory>
#include <string>
#include <string_view>

namespace lrl {

// Puts the viewer's 8-bit text (in its code page) on the clipboard as plain (Unicode) text, optionally
// with its rich text form (RTF is ASCII with escapes, stored as it is).
class ClipboardText {
public:
    static constexpr const char* kRtfMime = "text/rtf";
    // The name under which Windows programs look for "Rich Text Format".
    static constexpr const char* kWindowsRtfMime = "application/x-qt-windows-mime;value=\"Rich Text Format\"";

    // The clipboard or drag contents; rtf may be empty for plain text only.
    static std::unique_ptr<QMimeData> mimeData(std::string_view text, std::string_view rtf = {}, int codePage = 1252);
    static void setText(std::string_view text, int codePage = 1252);
    static void setTextAndRtf(std::string_view text, std::string_view rtf, int codePage = 1252);
};

} // namespace lrl
