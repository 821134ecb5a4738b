#include "browser/formconv/FormTextWriter.h"

#include "common/CodePage.h"
#include "common/SourceDecoder.h"
#include "common/Utf8.h"

namespace lrl {

namespace {
constexpr size_t kSegment = 64;
}

void FormTextWriter::write(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            if (SourceDecoder::isValidUtf8(text))
                m_text += text;
            else
                m_text += CodePage::of(m_legacyCodePage).toUtf8(text);
            return;
        }
    }
    m_text += text;
}

std::u16string FormTextWriter::toUtf16(std::string_view text) const
{
    std::u16string out;
    out.reserve(text.size());
    if (!SourceDecoder::isValidUtf8(text)) {
        const CodePage& page = CodePage::of(m_legacyCodePage);
        for (char c : text)
            out += page.toUnicode(static_cast<uint8_t>(c));
        return out;
    }
    size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        i += decodeUtf8(text, i, cp);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

void FormTextWriter::writeString(std::string_view text) { writeWideString(toUtf16(text)); }

void FormTextWriter::writeWideString(std::u16string_view text)
{
    const size_t count = text.size();
    if (count == 0) {
        m_text += "''";
        return;
    }
    auto isHigh = [](char32_t c) { return c >= 0xD800 && c < 0xDC00; };
    auto isLow = [](char32_t c) { return c >= 0xDC00 && c < 0xE000; };
    // A surrogate pair is one character; a lone surrogate is written as its code.
    auto pairAt = [&](size_t i) { return isHigh(text[i]) && i + 1 < count && isLow(text[i + 1]); };
    auto isCode = [&](size_t i) {
        char32_t c = text[i];
        return c < 32 || c == '\'' || ((isHigh(c) || isLow(c)) && !pairAt(i));
    };
    indentMore();
    if (count > kSegment)
        newLine();
    size_t i = 0;
    size_t segmentStart = 0;
    while (i < count) {
        if (isCode(i)) {
            m_text += '#';
            m_text += std::to_string(unsigned(text[i]));
            ++i;
        } else {
            m_text += '\'';
            while (i < count && !isCode(i) && i - segmentStart < kSegment) {
                if (pairAt(i)) {
                    appendUtf8(m_text, 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
                    i += 2;
                } else {
                    appendUtf8(m_text, text[i++]);
                }
            }
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

void FormTextWriter::writeHex(const uint8_t* bytes, size_t count)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < count; ++i) {
        m_text += kDigits[bytes[i] >> 4];
        m_text += kDigits[bytes[i] & 15];
    }
}

} // namespace lrl
