#pragma once

namespace lrl {

class TLineNode;

// A line node with its line number (0-based node index) and the character offset of its first
// character. A null node stands for a line that has no node: the implied empty line after a text that
// ends with a line break (line = LineCount, start = CharCount), or a line that does not exist.
struct TNodePos {
    TLineNode* node = nullptr;
    int line = 0;
    int start = 0;

    bool valid() const { return node != nullptr; }
};

} // namespace lrl
