#pragma once

#include "common/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace lrl {

// How a source file's bytes were written.
enum class SourceEncoding : uint8_t {
    Legacy, // bytes of a single-byte code page, stored as they are
    Utf8Bom,
    Utf8,
    Utf16Le, // with its byte-order mark
    Utf16Be, // with its byte-order mark
};

// What loading found out about a file: how it was written, the code page its text is stored in, and how
// many of its characters that page lacked (stored as "?").
struct SourceEncodingInfo {
    SourceEncoding encoding = SourceEncoding::Legacy;
    int codePage = CodePage::kDefault;
    size_t replaced = 0;

    // "UTF-8 BOM", "UTF-8", "UTF-16 LE", "UTF-16 BE", or the code page for legacy bytes ("Windows-1251").
    std::string name() const;
};

} // namespace lrl
