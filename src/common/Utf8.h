#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lrl {

// Appends the UTF-8 form of a code point (a surrogate or a value above U+10FFFF appends U+FFFD).
void appendUtf8(std::string& out, char32_t codePoint);

// Decodes the well-formed UTF-8 sequence at `at` into codePoint and answers its length; 0 when the
// bytes there do not form one (overlong forms, surrogates, values above U+10FFFF, cut sequences).
size_t decodeUtf8(std::string_view text, size_t at, char32_t& codePoint);

} // namespace lrl
