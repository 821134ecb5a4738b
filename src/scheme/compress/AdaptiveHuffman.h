#pragma once

#include <array>
#include <cstdint>

namespace lrl {

class BitReader;
class BitWriter;

// The adaptive Huffman code of the LZH method over 314 symbols (256 literals, then the match lengths
// 3..60 as 253 + length). The tree of 627 nodes keeps its nodes ordered by frequency; every coded
// symbol adds one to its leaf and the nodes above it, swapping nodes to keep the order, and the tree is
// rebuilt with halved frequencies when the root reaches 32768. Encoder and decoder make the same
// updates, so they always agree on the code.
class AdaptiveHuffman {
public:
    static constexpr int kSymbols = 314;
    static constexpr int kNodes = 2 * kSymbols - 1;
    static constexpr int kRoot = kNodes - 1;
    static constexpr uint32_t kMaxFreq = 0x8000;

    AdaptiveHuffman() { reset(); }

    // The starting tree: every symbol with frequency 1, paired from the lowest node up.
    void reset();

    void encode(int symbol, BitWriter& out);
    int decode(BitReader& in);

private:
    void update(int symbol);
    void rebuild();

    // Frequencies by node, ascending; the extra last entry is a sentinel above any count.
    std::array<uint32_t, kNodes + 1> m_freq {};
    // Parent of each node; entry kNodes + s is the leaf node of symbol s.
    std::array<int16_t, kNodes + kSymbols> m_parent {};
    // Left child of each node (the right one is next to it), or kNodes + symbol for a leaf.
    std::array<int16_t, kNodes> m_son {};
    // A symbol's code, leaf first, while encoding.
    std::array<uint8_t, kNodes> m_path {};
};

} // namespace lrl
