#pragma once

#include <string>

namespace lrl {

class TTextStore;

// Checks the invariants of a text store and answers a description of the first one broken, or an empty
// string: the links run both ways; LineCount, CharCount, the CR count and LongestLine match the nodes;
// every node holds 1 ... 2047 characters, NUL-terminated, with no LF and no control character but TAB
// and a final CR; the TAB flag says whether a TAB is there; bit 12 says whether the node before does
// not end with CR. Walks the whole list, for tests and fuzzing.
std::string checkTextStore(const TTextStore& store);

} // namespace lrl
