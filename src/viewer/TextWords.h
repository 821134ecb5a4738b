#pragma once

#include "viewer/TNodePos.h"
#include "viewer/WordTests.h"

#include <utility>

namespace lrl {

class TTextStore;

// Word boundaries over a text store by the viewer's word tests (a word character is one for which
// either test holds). Line ends are never word characters unless a replaced test says so.
namespace TextWords {

    // The start of the next word after the one at offset: past the word characters at offset, then past
    // the characters that are not; the text's end when there is none.
    int nextWordStart(const TTextStore& store, const WordTests& tests, int offset);
    // The start of the word before offset: back over the characters that are not word characters, then
    // over the word's characters; 0 when there is none.
    int previousWordStart(const TTextStore& store, const WordTests& tests, int offset);

    // The word a double click at offset selects, within the row (node) that holds it: the word starting
    // at offset; else the word of the nearest word character before offset in the row; else the first
    // word of the row after offset. A row without word characters gives its start, twice.
    std::pair<int, int> wordAt(const TNodePos& row, const WordTests& tests, int offset);

} // namespace TextWords

} // namespace lrl
