// Runs arbitrary bytes through encoding detection and decoding. The first input byte picks the legacy
// code page and whether the bytes start the text (or go on behind an ASCII start, without a
// byte-order mark). Checks that the decoded text holds one stored character per character the input's
// encoding holds (read here independently), that every stored byte reads back as that character or is
// a "?" counted as replaced, and that legacy bytes are kept as they are.

#include "common/CodePage.h"
#include "common/SourceDecoder.h"
#include "common/Utf8.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace lrl;

void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The characters of a Unicode text as a plain reading gives them; -1 for pieces that are no character.
std::vector<long> characters(SourceEncoding encoding, const std::string& bytes)
{
    std::vector<long> out;
    if (encoding == SourceEncoding::Utf8 || encoding == SourceEncoding::Utf8Bom) {
        std::string_view text(bytes);
        size_t i = encoding == SourceEncoding::Utf8Bom ? 3 : 0;
        while (i < text.size()) {
            char32_t cp = 0;
            size_t n = decodeUtf8(text, i, cp);
            out.push_back(n ? long(cp) : -1);
            i += n ? n : 1;
        }
        return out;
    }
    bool little = encoding == SourceEncoding::Utf16Le;
    std::vector<unsigned> units;
    size_t i = 2;
    for (; i + 1 < bytes.size(); i += 2) {
        unsigned a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(little ? a | (b << 8) : (a << 8) | b);
    }
    for (size_t k = 0; k < units.size(); ++k) {
        unsigned u = units[k];
        bool high = u >= 0xD800 && u < 0xDC00;
        if (high && k + 1 < units.size() && units[k + 1] >= 0xDC00 && units[k + 1] < 0xE000) {
            out.push_back(0x10000 + ((long(u) - 0xD800) << 10) + (units[k + 1] - 0xDC00));
            ++k;
        } else {
            out.push_back(u >= 0xD800 && u < 0xE000 ? -1 : long(u));
        }
    }
    if (i < bytes.size())
        out.push_back(-1);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    int legacy = CodePage::kStoragePages[(data[0] & 0x7F) % CodePage::kStoragePages.size()];
    const bool atStart = (data[0] & 0x80) == 0;
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    DecodedSource decoded = SourceDecoder::decode(bytes, legacy, atStart);
    if (!CodePage::isSupported(decoded.info.codePage))
        fail("stored in a page the store cannot use");
    if (decoded.info.encoding != SourceDecoder::detect(bytes, atStart))
        fail("decode and detect disagree");
    if (!atStart && decoded.info.encoding != SourceEncoding::Legacy && decoded.info.encoding != SourceEncoding::Utf8)
        fail("a byte-order mark behind the start of the text");
    if (decoded.info.encoding == SourceEncoding::Legacy) {
        if (decoded.text != bytes || decoded.info.codePage != legacy || decoded.info.replaced != 0)
            fail("legacy bytes changed");
        return 0;
    }
    std::vector<long> expected = characters(decoded.info.encoding, bytes);
    if (expected.size() != decoded.text.size())
        fail("not one stored character per character");
    const CodePage& page = CodePage::of(decoded.info.codePage);
    size_t replaced = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        auto stored = static_cast<uint8_t>(decoded.text[i]);
        if (expected[i] >= 0 && page.toUnicode(stored) == expected[i])
            continue;
        if (stored != '?')
            fail("a character stored as another one");
        ++replaced;
    }
    if (replaced != decoded.info.replaced)
        fail("replacement count wrong");
    return 0;
}
