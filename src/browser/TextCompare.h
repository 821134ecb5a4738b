#pragma once

#include <string>
#include <string_view>

namespace lrl {

// Case-insensitive text order of the browser's string lists (units, categories, routines): letters
// compare without regard to case, and punctuation sorts before digits, digits before letters, the way
// the desktop's locale-aware comparison orders identifiers and paths ("A_B" before "A1" before "AB").
// Answers a negative number, 0 or a positive number.
int compareText(std::string_view a, std::string_view b);

// True when a and b differ in letter case at most.
bool sameText(std::string_view a, std::string_view b);

// ASCII lower case; other bytes are kept.
std::string lowerCase(std::string_view text);

} // namespace lrl
