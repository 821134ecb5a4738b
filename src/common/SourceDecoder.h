#pragma once

#include "common/SourceEncoding.h"

#include <string>
#include <string_view>

namespace lrl {

// A file's text as the text store keeps it: one byte per character in info.codePage.
struct DecodedSource {
    SourceEncodingInfo info;
    std::string text;
};

// Tells how a source file's bytes were written and turns them into single-byte text.
//
// Detection, in this order: a UTF-8 byte-order mark; a UTF-16 LE or BE one; otherwise bytes that are
// valid UTF-8 and hold at least one non-ASCII character are UTF-8; anything else (pure ASCII, or bytes
// that are not valid UTF-8) is in the legacy code page and is kept as it is.
//
// Unicode text is stored in the first of CodePage::kStoragePages that holds all its characters; when
// none does, in the one that holds most of them (the earlier on a tie), and every character it lacks
// becomes "?" and is counted. So are the pieces that are no character at all (a byte that starts no
// UTF-8 sequence after a UTF-8 mark, a lone surrogate, a final odd byte of UTF-16). The byte-order mark
// is not part of the text.
class SourceDecoder {
public:
    // atStart false: the bytes go on behind an ASCII start of the text, so they hold no byte-order mark.
    static SourceEncoding detect(std::string_view bytes, bool atStart = true);
    // A legacy code page that is not one of CodePage::kStoragePages reads as Windows-1252.
    static DecodedSource decode(std::string bytes, int legacyCodePage = CodePage::kDefault, bool atStart = true);
    // True when the bytes are valid UTF-8 (pure ASCII included).
    static bool isValidUtf8(std::string_view bytes);
    // The length of the ASCII run the bytes start with.
    static size_t asciiLength(std::string_view bytes);
};

} // namespace lrl
