#pragma once

#include "scheme/compress/AdaptiveHuffman.h"
#include "scheme/compress/LzhFormat.h"

#include <array>
#include <cstdint>

namespace lrl {

class ByteSink;
class ByteSource;

// Expands LZH method data (see LzhEncoder).
class LzhDecoder {
public:
    // Expands exactly `size` bytes from `in` onto `out`. Raises CodecError::LzhSize when the data
    // ends first, when a match would run past `size`, or when more input follows the last code, so
    // that a header of the wrong size is always noticed. The work is bounded by the input: every
    // symbol costs at least one bit and yields at most 60 bytes.
    void decode(ByteSource& in, int64_t size, ByteSink& out);

private:
    std::array<uint8_t, lzh::kWindow> m_window {};
    AdaptiveHuffman m_huffman;
};

} // namespace lrl
