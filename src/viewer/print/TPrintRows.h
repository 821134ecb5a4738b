#pragma once

#include <vector>

namespace lrl {

class TTabStops;

// One print row of a node: characters [start, start + length) of the node's text.
struct TPrintRow {
    int start = 0;
    int length = 0;
    bool operator==(const TPrintRow&) const = default;
};

// How nodes are cut into print rows: with wrap off every node is one row; with it on, rows are at most
// about wrapWidth characters and break after blanks. TAB stops are needed for nodes that hold a TAB.
struct TPrintWrap {
    bool wrap = false;
    int wrapWidth = 1; // characters
    const TTabStops* tabs = nullptr;
};

// Cuts one node into the rows it prints as.
//
// With wrap on, rows are taken from position p = 0 while p is inside the node and (p = 0 or the
// character at p is not the line-end CR), so that a CR never forms a row of its own:
// - a node without TAB: the rest when it is no longer than wrapWidth; otherwise the row ends after the
//   last character <= blank found searching back from offset wrapWidth - 1 to offset 1 (relative to p),
//   together with every character <= blank right behind it, so that blanks stay at the end of the row;
//   with no blank the row is exactly wrapWidth characters;
// - a node with a TAB: characters are counted from p, a display column advancing from 0 (a TAB to the
//   next tab stop), until the column reaches wrapWidth - TabDefault or the node ends (k characters);
//   the row ends after the last character <= blank found searching back from offset k to offset 1 (the
//   end of the node counts as one), else it is the k characters.
// Every row holds at least one character, however narrow the page.
class TPrintRows {
public:
    static void split(
        const char* chars, int length, bool hasTab, const TPrintWrap& wrap, std::vector<TPrintRow>& rows);
    // The number of rows split() gives.
    static int count(
        const char* chars, int length, bool hasTab, const TPrintWrap& wrap, std::vector<TPrintRow>& scratch);
};

} // namespace lrl
