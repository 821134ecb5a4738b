#pragma once

namespace lrl {

class TLineNode;

// One change of a text store: the characters [offset, offset + removed) were replaced with `inserted`
// characters. The nodes from line `line` on were rebuilt: `linesRemoved` old nodes gave way to
// `linesInserted` new ones, firstNode ... lastNode (both null when no node was created). `wholeText` is
// set when the store was emptied at once (a load or Clear).
struct TTextChange {
    int offset = 0;
    int removed = 0;
    int inserted = 0;
    int line = 0;
    int linesRemoved = 0;
    int linesInserted = 0;
    TLineNode* firstNode = nullptr;
    TLineNode* lastNode = nullptr;
    bool wholeText = false;
};

} // namespace lrl
