#pragma once

#include "scheme/compress/AdaptiveHuffman.h"
#include "scheme/compress/LzhMatchTree.h"

namespace lrl {

class ByteSink;
class ByteSource;

// The LZH method data: literals and (length, position) matches over a 4096-byte window, the symbols
// coded by the adaptive Huffman tree and the positions by the fixed position code, packed most
// significant bit first with the last byte padded by zero bits.
class LzhEncoder {
public:
    // Codes everything `in` delivers onto `out` and answers how many input bytes it coded. The state
    // is reset first, so the same input always gives the same bits.
    int64_t encode(ByteSource& in, ByteSink& out);

private:
    LzhMatchTree m_tree;
    AdaptiveHuffman m_huffman;
};

} // namespace lrl
