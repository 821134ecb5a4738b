#pragma once

#include "scheme/compress/ECompressorException.h"

#include <cstdint>
#include <memory>
#include <string>

namespace lrl {

class KhBlockCoder;
class LzhDecoder;
class LzhEncoder;
class Stream;

// Packs and unpacks a stream or a file with one of two methods: KH, a fast LZ77 variant in blocks of
// 32768 bytes, or LZH, LZSS over a 4096-byte window with adaptive Huffman coding (slower, smaller).
//
// Compressed form: 4 bytes magic ("WRZL" for KH, "!HZL" for LZH), the original size as 32-bit
// little-endian, then the method data. Decompression recognises the method by the magic and checks
// that it produced exactly the original size. The same input always gives the same bytes.
//
// In stream mode InputStream and OutputStream are used from their current positions (compression
// packs everything from the input position to its end); both must be able to report their position.
// In file mode InputFileName is read and OutputFileName created; when the operation fails the output
// file is removed again.
//
// Every failure raises ECompressorException with one of the compressor's fixed texts. Hostile input
// cannot make decompression allocate, loop or write without bound: the buffers are fixed, the work is
// bounded by the input, and nothing beyond the size in the header is written.
//
// The work buffers are allocated on first use and kept for the object's later operations; one
// operation at a time per object.
class TCompressor {
public:
    enum Method { mLZH = 0, mKH = 1, mAdvise = 2 };

    std::string InputFileName;
    std::string OutputFileName;
    // mLZH, mKH, or mAdvise to let Advise() choose before compressing; any other value means mKH.
    int Method = mKH;
    bool StreamMode = false;
    Stream* InputStream = nullptr;
    Stream* OutputStream = nullptr;
    // Advise() picks KH when its samples shrink below this percentage of their size.
    int AdviseRatio = 40;

    TCompressor();
    ~TCompressor();
    // Copies the settings; the copy allocates its own buffers when it first needs them.
    TCompressor(const TCompressor& other);
    TCompressor& operator=(const TCompressor& other);
    TCompressor(TCompressor&&) noexcept;
    TCompressor& operator=(TCompressor&&) noexcept;

    // Compresses the input onto the output; answers the bytes written, header included.
    int64_t Compress();
    // Expands the input onto the output; answers the bytes written.
    int64_t Decompress();
    // The method to use for the input: inputs up to 98303 bytes get LZH; larger ones get KH when two
    // 32 KB samples (a third and two thirds in) compress with KH to less than AdviseRatio percent,
    // otherwise LZH. The input position is left as it was.
    int Advise();

private:
    struct Buffers;

    Buffers& buffers(const char* failText);
    KhBlockCoder& khCoder();
    LzhEncoder& lzhEncoder();
    LzhDecoder& lzhDecoder();

    std::unique_ptr<Buffers> m_buffers;
    std::unique_ptr<KhBlockCoder> m_kh;
    std::unique_ptr<LzhEncoder> m_lzhEncoder;
    std::unique_ptr<LzhDecoder> m_lzhDecoder;
};

} // namespace lrl
