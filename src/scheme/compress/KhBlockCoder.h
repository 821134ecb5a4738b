#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace lrl {

// One block of the KH method: a chunk of at most 32768 bytes, compressed into LZ77 items under 16-bit
// control words (literals, 12-bit-distance copies of 3..18 bytes, runs of 16 or more equal bytes), or
// stored as it is when compressing would not make it shorter.
//
// Block layout: byte 0 is 64 (compressed) or 128 (stored). A compressed block continues with a
// big-endian control word whose bits, most significant first, tell the next 16 items apart (0 literal,
// 1 copy or run); after 16 items the next control word follows in the data. A copy is b0 b1 with
// distance b0 * 16 + (b1 >> 4) and length (b1 & 15) + 3; distance 0 marks a run 0 hi lo v of
// (hi * 256 + lo) + 16 bytes v. Copies refer only to bytes of the same block.
class KhBlockCoder {
public:
    static constexpr size_t kChunkSize = 32768;
    // A stored full chunk: the flag byte and the bytes.
    static constexpr size_t kMaxBlockSize = kChunkSize + 1;
    // compress() may run up to 6 bytes past the input length before it notices that storing is
    // better; its output buffer needs this much room beyond the chunk.
    static constexpr size_t kOutputSlack = 8;
    static constexpr uint8_t kCompressedFlag = 64;
    static constexpr uint8_t kStoredFlag = 128;

    // Compresses src (at most kChunkSize bytes) into dst, which must hold src.size() + kOutputSlack
    // bytes, and answers the block length. The same input always gives the same block.
    size_t compress(std::span<const uint8_t> src, uint8_t* dst);

    // Expands a block into dst (room for kChunkSize bytes) and answers the number of bytes, or nothing
    // when the block is malformed: an unknown flag, an item cut off by the block end, a copy reaching
    // before the block's first byte, or more than kChunkSize bytes of output. A block shorter than two
    // bytes expands to nothing.
    static std::optional<size_t> expand(std::span<const uint8_t> block, uint8_t* dst);

private:
    static constexpr uint16_t kNoPosition = 0xFFFF;

    // Positions by hash of their next three bytes; cleared at the start of every block.
    std::array<uint16_t, 4096> m_hash {};
};

} // namespace lrl
