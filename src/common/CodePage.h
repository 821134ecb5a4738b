#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lrl {

// A single-byte Windows code page: the meaning of the 8 bits the text store keeps per character. Bytes
// below 0x80 are ASCII in every page. A byte a page leaves undefined reads as the control character of
// the same number when it is below 0xA0 (as the desktop's converters do) and as U+FFFD above.
class CodePage {
public:
    static constexpr int kDefault = 1252;
    // The pages a decoded file may be stored in, in the order they are tried.
    static constexpr std::array<int, 6> kStoragePages { 1252, 1250, 1251, 1253, 1254, 1257 };

    // The page with that number, or null when it is not one of kStoragePages.
    static const CodePage* find(int number);
    // The page with that number; Windows-1252 for any other number.
    static const CodePage& of(int number);
    static bool isSupported(int number) { return find(number) != nullptr; }

    int number() const { return m_number; }
    char16_t toUnicode(uint8_t byte) const { return byte < 0x80 ? char16_t(byte) : m_high[byte - 0x80]; }
    // The byte of a code point, or -1 when the page has none.
    int byteOf(char32_t codePoint) const;

    // The page's bytes as UTF-8.
    std::string toUtf8(std::string_view bytes) const;
    // UTF-8 text in this page; null when it holds a character the page lacks or is not valid UTF-8.
    std::optional<std::string> fromUtf8(std::string_view utf8) const;

    CodePage(int number, const std::array<char16_t, 128>& high);

private:
    struct Entry {
        char16_t codePoint;
        uint8_t byte;
    };
    int m_number;
    const std::array<char16_t, 128>& m_high;
    std::array<Entry, 128> m_sorted {}; // the upper half by code point, for byteOf
};

} // namespace lrl
