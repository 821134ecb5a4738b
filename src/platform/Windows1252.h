#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace lrl {

// Converts between the store's 8-bit text (Windows-1252) and Qt's Unicode strings.
class Windows1252 {
public:
    // Every byte maps to one character; the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
    // 0x90, 0x9D) map to the control characters of the same number, as the desktop's converter does.
    static QString decode(std::string_view bytes);
    // One byte per character (per code point beyond the 16-bit range); characters the code page cannot
    // show become "?".
    static std::string encode(const QString& text);
    // The byte of a code point, or -1 when the code page has none.
    static int byteOf(char32_t codePoint);
};

} // namespace lrl
