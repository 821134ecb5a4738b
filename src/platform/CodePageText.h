#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace lrl {

// Converts between the store's 8-bit text in one of its code pages (see CodePage) and Qt's strings.
class CodePageText {
public:
    // Every byte maps to one character.
    static QString decode(int codePage, std::string_view bytes);
    // One byte per character; characters the page lacks become "?".
    static std::string encode(int codePage, const QString& text);
    // The text in the page, or null when it holds a character the page lacks.
    static std::optional<std::string> encodeExact(int codePage, const QString& text);
};

} // namespace lrl
