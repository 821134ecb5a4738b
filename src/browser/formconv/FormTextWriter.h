#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace lrl {

// The output side of the form converter: UTF-8 text with CR LF line ends and an indent level of two
// spaces per step, plus the text forms of quoted strings and hexadecimal data.
//
// 8-bit text of the form (names, identifiers, 8-bit strings) is taken as UTF-8 when it is valid UTF-8,
// and otherwise as bytes of the legacy code page, so that the whole text is one encoding.
class FormTextWriter {
public:
    explicit FormTextWriter(int legacyCodePage = 1252)
        : m_legacyCodePage(legacyCodePage)
    {
    }
    void write(std::string_view text);
    void writeIndent() { m_text.append(2 * static_cast<size_t>(m_level), ' '); }
    // CR LF.
    void endLine() { m_text += "\r\n"; }
    // CR LF and the indent: the next piece of a value starts on a line of its own.
    void newLine()
    {
        endLine();
        writeIndent();
    }
    void indentMore() { ++m_level; }
    void indentLess() { --m_level; }

    // An 8-bit string: "''" when empty; otherwise runs of printable characters between apostrophes and
    // each character below 32 or apostrophe as "#" + its code, cut into segments of at most 64
    // characters joined by " +" line breaks one level deeper. A string longer than 64 characters starts
    // on a line of its own.
    void writeString(std::string_view text);
    // The same for UTF-16 text; its characters are written as themselves, only a lone surrogate (no
    // character at all) as a "#" code.
    void writeWideString(std::u16string_view text);
    // Two upper-case hexadecimal digits per byte.
    void writeHex(const uint8_t* bytes, size_t count);

    const std::string& text() const { return m_text; }
    std::string takeText() { return std::move(m_text); }

private:
    std::u16string toUtf16(std::string_view text) const;

    std::string m_text;
    int m_legacyCodePage;
    int m_level = 0;
};

} // namespace lrl
