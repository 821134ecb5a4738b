#pragma once

#include "scheme/compress/LzhFormat.h"

#include <array>
#include <cstdint>

namespace lrl {

// The LZH encoder's window and its match finder: binary search trees of window positions, one per
// first byte, ordered by the 60 bytes that start at each position. Inserting a position finds the
// longest earlier string that matches it (and, among equally long ones, the nearest).
class LzhMatchTree {
public:
    // The window as text(): kWindow bytes of ring plus a copy of its first kLookahead - 1 bytes, so
    // that a string starting near the end can be compared without wrapping.
    static constexpr int kTextSize = lzh::kWindow + lzh::kLookahead - 1;

    // Empties the trees and fills the window: spaces before the starting position, zeros from there.
    void reset();

    uint8_t* text() { return m_text.data(); }
    // Stores a byte at ring position pos, keeping the copy at the end in step.
    void setByte(int pos, uint8_t byte)
    {
        m_text[pos] = byte;
        if (pos < lzh::kLookahead - 1)
            m_text[pos + lzh::kWindow] = byte;
    }

    // Inserts the string at r; afterwards matchLength() and matchDistance() describe the best earlier
    // match (length 0 when none is longer than the threshold). A string that matches completely
    // replaces the older node.
    void insert(int r);
    void remove(int p);

    int matchLength() const { return m_matchLength; }
    // How far back the match starts, less one (0..4095), as the position code carries it.
    int matchDistance() const { return m_matchDistance; }

private:
    static constexpr int kNil = lzh::kWindow;

    std::array<uint8_t, kTextSize> m_text {};
    std::array<int16_t, lzh::kWindow + 1> m_left {};
    // Right children; entries kWindow + 1 + b are the roots of the trees for first byte b.
    std::array<int16_t, lzh::kWindow + 257> m_right {};
    std::array<int16_t, lzh::kWindow + 1> m_parent {};
    int m_matchLength = 0;
    int m_matchDistance = 0;
};

} // namespace lrl
