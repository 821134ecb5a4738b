#include "common/SourceDecoder.h"

#include "common/Utf8.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace lrl {

namespace {

    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
    constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

    // Length of the ASCII run at the start of the bytes, eight bytes at a time where it can.
    size_t asciiPrefix(std::string_view bytes)
    {
        size_t i = 0;
        for (; i + 8 <= bytes.size(); i += 8) {
            uint64_t word;
            std::memcpy(&word, bytes.data() + i, 8);
            if (word & 0x8080808080808080ull)
                break;
        }
        while (i < bytes.size() && static_cast<uint8_t>(bytes[i]) < 0x80)
            ++i;
        return i;
    }

    // Calls f(codePoint, isCharacter) for every character of text in the given Unicode encoding (its
    // byte-order mark already removed), except that runs of ASCII in UTF-8 go to ascii(run) whole. A
    // piece that is no character is reported with its own value (a byte or a code unit) and isCharacter
    // false.
    template <typename A, typename F>
    void forEachCharacter(SourceEncoding encoding, std::string_view text, A&& ascii, F&& f)
    {
        if (encoding == SourceEncoding::Utf8 || encoding == SourceEncoding::Utf8Bom) {
            size_t i = 0;
            while (i < text.size()) {
                size_t run = asciiPrefix(text.substr(i));
                if (run)
                    ascii(text.substr(i, run));
                i += run;
                if (i == text.size())
                    break;
                char32_t cp = 0;
                size_t length = decodeUtf8(text, i, cp);
                if (length == 0) {
                    f(char32_t(static_cast<uint8_t>(text[i])), false);
                    ++i;
                } else {
                    f(cp, true);
                    i += length;
                }
            }
            return;
        }
        const bool little = encoding == SourceEncoding::Utf16Le;
        auto unitAt = [&](size_t i) -> char32_t {
            auto lo = static_cast<uint8_t>(text[little ? i : i + 1]);
            auto hi = static_cast<uint8_t>(text[little ? i + 1 : i]);
            return char32_t(lo | (hi << 8));
        };
        size_t i = 0;
        while (i + 2 <= text.size()) {
            char32_t unit = unitAt(i);
            i += 2;
            if (unit >= 0xD800 && unit <= 0xDBFF && i + 2 <= text.size()) {
                char32_t next = unitAt(i);
                if (next >= 0xDC00 && next <= 0xDFFF) {
                    i += 2;
                    f(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), true);
                    continue;
                }
            }
            f(unit, !(unit >= 0xD800 && unit <= 0xDFFF));
        }
        if (i < text.size())
            f(char32_t(static_cast<uint8_t>(text[i])), false);
    }

    // The storage page for the characters of text: the first page holding all non-ASCII characters,
    // else the one holding most of them.
    const CodePage& choosePage(SourceEncoding encoding, std::string_view text)
    {
        constexpr size_t kPages = CodePage::kStoragePages.size();
        std::array<const CodePage*, kPages> pages {};
        for (size_t p = 0; p < kPages; ++p)
            pages[p] = &CodePage::of(CodePage::kStoragePages[p]);
        std::array<size_t, kPages> held {};
        size_t nonAscii = 0;
        char32_t last = 0;
        std::array<bool, kPages> lastHeld {};
        forEachCharacter(encoding, text, [](std::string_view) {}, [&](char32_t cp, bool isCharacter) {
            if (!isCharacter || cp < 0x80)
                return;
            ++nonAscii;
            if (cp != last) {
                last = cp;
                for (size_t p = 0; p < kPages; ++p)
                    lastHeld[p] = pages[p]->byteOf(cp) >= 0;
            }
            for (size_t p = 0; p < kPages; ++p)
                held[p] += lastHeld[p] ? 1 : 0;
        });
        size_t best = 0;
        for (size_t p = 0; p < kPages; ++p) {
            if (held[p] == nonAscii)
                return *pages[p];
            if (held[p] > held[best])
                best = p;
        }
        return *pages[best];
    }

} // namespace

bool SourceDecoder::isValidUtf8(std::string_view bytes)
{
    size_t i = 0;
    while (true) {
        i += asciiPrefix(bytes.substr(i));
        if (i == bytes.size())
            return true;
        char32_t cp;
        size_t length = decodeUtf8(bytes, i, cp);
        if (length == 0)
            return false;
        i += length;
    }
}

size_t SourceDecoder::asciiLength(std::string_view bytes) { return asciiPrefix(bytes); }

SourceEncoding SourceDecoder::detect(std::string_view bytes, bool atStart)
{
    if (atStart && bytes.starts_with(kUtf8Bom))
        return SourceEncoding::Utf8Bom;
    if (atStart && bytes.starts_with(kUtf16LeBom))
        return SourceEncoding::Utf16Le;
    if (atStart && bytes.starts_with(kUtf16BeBom))
        return SourceEncoding::Utf16Be;
    size_t ascii = asciiPrefix(bytes);
    if (ascii == bytes.size())
        return SourceEncoding::Legacy;
    return isValidUtf8(bytes.substr(ascii)) ? SourceEncoding::Utf8 : SourceEncoding::Legacy;
}

DecodedSource SourceDecoder::decode(std::string bytes, int legacyCodePage, bool atStart)
{
    DecodedSource result;
    result.info.encoding = detect(bytes, atStart);
    if (result.info.encoding == SourceEncoding::Legacy) {
        result.info.codePage = CodePage::of(legacyCodePage).number();
        result.text = std::move(bytes);
        return result;
    }
    std::string_view text(bytes);
    if (result.info.encoding == SourceEncoding::Utf8Bom)
        text.remove_prefix(kUtf8Bom.size());
    else if (result.info.encoding != SourceEncoding::Utf8)
        text.remove_prefix(kUtf16LeBom.size());

    const CodePage& page = choosePage(result.info.encoding, text);
    result.info.codePage = page.number();
    std::string& out = result.text;
    out.reserve(result.info.encoding == SourceEncoding::Utf8 || result.info.encoding == SourceEncoding::Utf8Bom
            ? text.size()
            : text.size() / 2 + 1);
    size_t replaced = 0;
    forEachCharacter(result.info.encoding, text, [&](std::string_view run) { out += run; },
        [&](char32_t cp, bool isCharacter) {
        int b = isCharacter ? page.byteOf(cp) : -1;
        if (b < 0) {
            ++replaced;
            b = '?';
        }
        out += static_cast<char>(b);
    });
    result.info.replaced = replaced;
    return result;
}

} // namespace lrl
