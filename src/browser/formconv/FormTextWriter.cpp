#include "browser/formconv/FormTextWriter.h"

namespace lrl {

namespace {
constexpr size_t kSegment = 64;
}

template <typename Unit>
void FormTextWriter::writeQuoted(const Unit* units, size_t count, unsigned highestPlain)
{
    if (count == 0) {
        m_text += "''";
        return;
    }
    auto isCode = [highestPlain](unsigned c) { return c < 32 || c == '\'' || c > highestPlain; };
    indentMore();
    if (count > kSegment)
        newLine();
    size_t i = 0;
    size_t segmentStart = 0;
    while (i < count) {
        unsigned c = units[i];
        if (isCode(c)) {
            m_text += '#';
            m_text += std::to_string(c);
            ++i;
        } else {
            m_text += '\'';
            while (i < count && !isCode(units[i]) && i - segmentStart < kSegment)
                m_text += static_cast<char>(units[i++]);
            m_text += '\'';
        }
        if (i - segmentStart >= kSegment && i < count) {
            m_text += " +";
            newLine();
            segmentStart = i;
        }
    }
    indentLess();
}

void FormTextWriter::writeString(std::string_view text)
{
    writeQuoted(reinterpret_cast<const uint8_t*>(text.data()), text.size(), 255);
}

void FormTextWriter::writeWideString(std::u16string_view text) { writeQuoted(text.data(), text.size(), 127); }

void FormTextWriter::writeHex(const uint8_t* bytes, size_t count)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < count; ++i) {
        m_text += kDigits[bytes[i] >> 4];
        m_text += kDigits[bytes[i] & 15];
    }
}

} // namespace lrl
