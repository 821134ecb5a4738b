#pragma once

#include "scheme/TSM_CharGroup.h"

#include <string_view>
#include <vector>

namespace lrl {

// Reads the character specifiers of a text, one class each. A specifier is either one character or a
// bracketed class "[...]" with an optional leading "^" (negation) and ranges such as "a-z". A backslash
// takes the character after it literally (so "\]", "\-", "\^" and "\\" stand for themselves); a "]"
// right after "[" or "[^" and a "-" at either end of a class are literal too; a "[" without a closing
// "]" is the character "[" itself. A range whose second character is below the first raises
// ESyntaxMemo "Characters not in correct order for range specifier".
std::vector<TSM_CharGroup> parseCharSpecifiers(std::string_view text);

} // namespace lrl
