#pragma once

#include "viewer/print/TPrintRows.h"

namespace lrl {

class TLineNode;

// Where a printed page starts and how many rows it holds: the node its first row belongs to (with its
// 0-based index and the character offset of its start), the row within that node, and the line counter
// at that point (the number the next numbered line gets). A page of an empty text (or of a line range
// past the text's end) has no node and no rows.
struct TPrintPage {
    const TLineNode* node = nullptr;
    int nodeIndex = 0;
    int nodeStart = 0;
    int row = 0;
    int lineNumber = 1;
    int rows = 0;
    bool operator==(const TPrintPage&) const = default;
};

// One row of a page as the renderer draws it.
struct TPrintRowRef {
    const TLineNode* node = nullptr;
    int nodeIndex = 0;
    int nodeStart = 0;
    TPrintRow row;
    int lineNumber = 0; // the number printed before the row; 0 for a row that gets none
};

// Lines First ... Last (counted from 1, node indexes + 1) of a selection print; off: the whole text.
struct TPrintRange {
    bool on = false;
    int first = 1;
    int last = 1;
    bool operator==(const TPrintRange&) const = default;
};

} // namespace lrl
