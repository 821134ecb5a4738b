#include "CompressorTestData.h"
#include "scheme/compress/KhBlockCoder.h"

#include <gtest/gtest.h>

using namespace lrl;
using namespace lrl::test;

namespace {

const Bytes kKhEmptyHeader = { 'W', 'R', 'Z', 'L', 0, 0, 0, 0 };

Bytes khHeader(uint32_t size)
{
    Bytes h = kKhEmptyHeader;
    setOriginalSize(h, size);
    return h;
}

Bytes concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(KhFormat, EmptyInputIsHeaderAndOneStoredByte)
{
    Bytes packed = streamCompress({}, TCompressor::mKH);
    EXPECT_EQ(packed, concat(khHeader(0), { 1, 0, 128 }));
    EXPECT_TRUE(streamDecompress(packed).empty());
}

TEST(KhFormat, HundredEqualBytesAreOneRunItem)
{
    Bytes packed = streamCompress(Bytes(100, 'x'), TCompressor::mKH);
    // Block of 7 bytes: flag, control word 1000..., run item 0 hi lo v with 100 - 16 = 0x54.
    EXPECT_EQ(packed, concat(khHeader(100), { 7, 0, 64, 0x80, 0x00, 0, 0, 0x54, 'x' }));
}

TEST(KhFormat, RepeatsBecomeCopiesWithDistanceAndLength)
{
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "abc";
    Bytes packed = streamCompress(Bytes(text.begin(), text.end()), TCompressor::mKH);
    // Three literals, then 18 bytes from distance 3 (0x00 0x3F), then 9 bytes from distance 18 (0x01
    // 0x26); control bits 00011 shifted to the top.
    EXPECT_EQ(packed, concat(khHeader(30), { 10, 0, 64, 0x18, 0x00, 'a', 'b', 'c', 0x00, 0x3F, 0x01, 0x26 }));
}

TEST(KhFormat, FullChunkIsFollowedByEmptyBlock)
{
    Bytes input = randomBytes(32768);
    Bytes packed = streamCompress(input, TCompressor::mKH);
    // Random bytes do not compress: one stored block of 32769 bytes, then the empty block.
    ASSERT_EQ(packed.size(), 8u + 2 + 32769 + 3);
    EXPECT_EQ(packed[8] | packed[9] << 8, 32769);
    EXPECT_EQ(packed[10], 128);
    EXPECT_EQ(Bytes(packed.end() - 3, packed.end()), (Bytes { 1, 0, 128 }));
    EXPECT_EQ(streamDecompress(packed), input);
}

TEST(KhFormat, SixteenItemsReserveTheNextControlWord)
{
    // Sixteen runs fill the first control word; the word reserved after them stays, empty.
    Bytes input;
    for (int v = 0; v < 16; ++v)
        input.insert(input.end(), 16, static_cast<uint8_t>('a' + v));
    Bytes packed = streamCompress(input, TCompressor::mKH);
    ASSERT_EQ(packed[8] | packed[9] << 8, 1 + 2 + 16 * 4 + 2);
    EXPECT_EQ(packed[11], 0xFF);
    EXPECT_EQ(packed[12], 0xFF);
    EXPECT_EQ(packed[8 + 2 + 67], 0);
    EXPECT_EQ(packed[8 + 2 + 68], 0);
    EXPECT_EQ(streamDecompress(packed), input);
}

TEST(KhFormat, MalformedBlocksAreRejected)
{
    uint8_t out[KhBlockCoder::kChunkSize];
    struct Case {
        const char* what;
        Bytes block;
    };
    const Case cases[] = {
        { "unknown flag", { 65, 0, 0, 'a' } },
        { "copy before the block start", { 64, 0x80, 0x00, 0x00, 0x10 } },
        { "copy cut off", { 64, 0x80, 0x00, 0x01 } },
        { "run cut off", { 64, 0x80, 0x00, 0x00, 0x00, 0x05 } },
        { "control word cut off", { 64, 0x00 } },
    };
    for (const auto& c : cases)
        EXPECT_FALSE(KhBlockCoder::expand(c.block, out)) << c.what;

    // Eight runs of 4111 bytes expand past a chunk.
    Bytes tooLong = { 64, 0xFF, 0x00 };
    for (int i = 0; i < 8; ++i)
        tooLong.insert(tooLong.end(), { 0x00, 0x0F, 0xFF, 'x' });
    EXPECT_FALSE(KhBlockCoder::expand(tooLong, out));
    tooLong.resize(tooLong.size() - 4);
    EXPECT_EQ(KhBlockCoder::expand(tooLong, out), 7u * 4111);
    EXPECT_EQ(KhBlockCoder::expand(Bytes { 7 }, out), 0u) << "a 1-byte block expands to nothing";
}

TEST(KhFormat, BadBlocksInAStreamRaiseTheKhReadError)
{
    const std::string kh = "Compressor : Error reading from input stream ! (Compressor/KH)";
    EXPECT_EQ(decompressError(concat(khHeader(1), { 4, 0, 64, 0x80, 0x00, 0x00 })), kh);
    EXPECT_EQ(decompressError(concat(khHeader(1), { 9, 0, 128 })), kh) << "block cut off";
    EXPECT_EQ(decompressError(concat(khHeader(40000), { 0xFF, 0xFF, 128 })), kh) << "block too long";
    EXPECT_EQ(decompressError(khHeader(1)), kh) << "no block at all";
}
