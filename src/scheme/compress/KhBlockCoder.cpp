#include "scheme/compress/KhBlockCoder.h"

#include <algorithm>
#include <cstring>

namespace lrl {

namespace {

constexpr size_t kMinRun = 16;
constexpr size_t kMaxRun = 4095;
constexpr size_t kMinCopy = 3;
constexpr size_t kMaxCopy = 18;
constexpr size_t kMaxDistance = 4095;
constexpr int kItemsPerControlWord = 16;

// How many bytes from pos on equal src[pos], counting src[pos] itself, up to kMaxRun.
size_t runLength(std::span<const uint8_t> src, size_t pos)
{
    size_t limit = std::min(kMaxRun, src.size() - pos);
    size_t n = 1;
    while (n < limit && src[pos + n] == src[pos])
        ++n;
    return n;
}

unsigned hashOf(const uint8_t* p)
{
    uint32_t h = ((((static_cast<uint32_t>(p[0]) << 4) ^ p[1]) << 4) ^ p[2]) * 0x9E5Fu;
    return (h >> 4) & 0xFFF;
}

void putControlWord(uint8_t* at, uint32_t word)
{
    at[0] = static_cast<uint8_t>(word >> 8);
    at[1] = static_cast<uint8_t>(word);
}

} // namespace

size_t KhBlockCoder::compress(std::span<const uint8_t> src, uint8_t* dst)
{
    const size_t n = src.size();
    m_hash.fill(kNoPosition);

    size_t out = 0;
    dst[out++] = kCompressedFlag;
    size_t controlAt = out;
    out += 2;
    uint32_t control = 0;
    int items = 0;

    size_t pos = 0;
    // Each pass adds at most one item (4 bytes) and one control word (2 bytes), so stopping as soon as
    // the output is longer than the input keeps it within n + kOutputSlack.
    while (pos < n && out <= n) {
        control <<= 1;
        size_t run = runLength(src, pos);
        if (run >= kMinRun) {
            size_t code = run - kMinRun;
            dst[out++] = 0;
            dst[out++] = static_cast<uint8_t>(code >> 8);
            dst[out++] = static_cast<uint8_t>(code);
            dst[out++] = src[pos];
            control |= 1;
            pos += run;
        } else {
            size_t length = 0;
            size_t distance = 0;
            if (n - pos >= kMinCopy) {
                uint16_t& slot = m_hash[hashOf(&src[pos])];
                uint16_t candidate = slot;
                slot = static_cast<uint16_t>(pos);
                if (candidate != kNoPosition && pos - candidate <= kMaxDistance) {
                    distance = pos - candidate;
                    size_t limit = std::min(kMaxCopy, n - pos);
                    while (length < limit && src[candidate + length] == src[pos + length])
                        ++length;
                }
            }
            if (length >= kMinCopy) {
                dst[out++] = static_cast<uint8_t>(distance >> 4);
                dst[out++] = static_cast<uint8_t>(((distance & 15) << 4) | (length - kMinCopy));
                control |= 1;
                pos += length;
            } else {
                dst[out++] = src[pos++];
            }
        }
        if (++items == kItemsPerControlWord) {
            putControlWord(&dst[controlAt], control);
            controlAt = out;
            out += 2;
            control = 0;
            items = 0;
        }
    }

    if (out > n) {
        dst[0] = kStoredFlag;
        if (n != 0)
            std::memcpy(&dst[1], src.data(), n);
        return n + 1;
    }
    putControlWord(&dst[controlAt], control << (kItemsPerControlWord - items));
    return out;
}

std::optional<size_t> KhBlockCoder::expand(std::span<const uint8_t> block, uint8_t* dst)
{
    const size_t size = block.size();
    if (size < 2)
        return 0;
    if (block[0] == kStoredFlag) {
        size_t n = size - 1;
        if (n > kChunkSize)
            return std::nullopt;
        std::memcpy(dst, &block[1], n);
        return n;
    }
    if (block[0] != kCompressedFlag)
        return std::nullopt;

    size_t pos = 1;
    size_t out = 0;
    uint32_t control = 0;
    int bitsLeft = 0;
    while (pos < size) {
        if (bitsLeft == 0) {
            if (size - pos < 2)
                return std::nullopt;
            control = (static_cast<uint32_t>(block[pos]) << 8) | block[pos + 1];
            pos += 2;
            bitsLeft = kItemsPerControlWord;
            continue;
        }
        bool isCopy = (control & 0x8000) != 0;
        control <<= 1;
        --bitsLeft;
        if (!isCopy) {
            if (out >= kChunkSize)
                return std::nullopt;
            dst[out++] = block[pos++];
            continue;
        }
        if (size - pos < 2)
            return std::nullopt;
        size_t b0 = block[pos];
        size_t b1 = block[pos + 1];
        size_t distance = (b0 << 4) | (b1 >> 4);
        if (distance == 0) {
            if (size - pos < 4)
                return std::nullopt;
            size_t count = (b1 << 8) + block[pos + 2] + kMinRun;
            if (count > kChunkSize - out)
                return std::nullopt;
            std::memset(&dst[out], block[pos + 3], count);
            out += count;
            pos += 4;
        } else {
            size_t count = (b1 & 15) + kMinCopy;
            if (distance > out || count > kChunkSize - out)
                return std::nullopt;
            // Byte by byte: a copy may overlap the bytes it produces.
            for (size_t k = 0; k < count; ++k, ++out)
                dst[out] = dst[out - distance];
            pos += 2;
        }
    }
    return out;
}

} // namespace lrl
