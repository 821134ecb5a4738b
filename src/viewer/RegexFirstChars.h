#pragma once

#include "common/Set256.h"

namespace lrl {

class RegexProgram;

// The characters that a counted (non-empty) match of the program can start with: the first character a
// consuming node takes, or the CR that "^" takes or "$" stands before. Answers false when the program is
// too involved to tell, in which case every start position must be tried.
bool regexFirstChars(const RegexProgram& program, Set256& first);

} // namespace lrl
