#pragma once

#include "viewer/SearchDirection.h"

#include <cstdint>

namespace lrl {

class CharStream;
class TSkipTable;
struct WordTests;

// Finds the search string of table in the stream and answers the offset of the hit, or -1.
//
// Forward, the hit is the first one that starts at or after from; backward, the last one that starts at
// or before from. With wholeWord set, a hit counts only when neither the character before it nor the one
// after it (where they exist) is a word character by those tests. The text is read only through the
// stream and never copied: the scan runs over each segment's bytes in place.
int64_t plainSearch(CharStream& stream, const TSkipTable& table, int64_t from, SearchDirection direction,
    const WordTests* wholeWord = nullptr);

} // namespace lrl
