#include "scheme/compress/LzhDecoder.h"

#include "scheme/compress/BitReader.h"
#include "scheme/compress/ByteSink.h"
#include "scheme/compress/CodecError.h"

#include <algorithm>

namespace lrl {

using namespace lzh;

namespace {

int decodeDistance(BitReader& in)
{
    uint32_t first = in.bits(8);
    int length = kPositionCode.decodeLength[first];
    uint32_t rest = in.bits(length - 2);
    uint32_t low = ((first << (length - 2)) | rest) & 63;
    return (kPositionCode.decodeUpper[first] << 6) | static_cast<int>(low);
}

} // namespace

void LzhDecoder::decode(ByteSource& in, int64_t size, ByteSink& out)
{
    m_huffman.reset();
    std::fill(m_window.begin(), m_window.begin() + kStart, kFill);
    std::fill(m_window.begin() + kStart, m_window.end(), uint8_t { 0 });
    BitReader bits(in, CodecError::LzhSize);

    int r = kStart;
    int64_t count = 0;
    while (count < size) {
        int c = m_huffman.decode(bits);
        if (c < 256) {
            out.put(static_cast<uint8_t>(c));
            m_window[r] = static_cast<uint8_t>(c);
            r = (r + 1) & (kWindow - 1);
            ++count;
            continue;
        }
        int from = (r - decodeDistance(bits) - 1) & (kWindow - 1);
        int length = c - kFirstLengthSymbol;
        if (length > size - count)
            throw CodecError { CodecError::LzhSize };
        for (int k = 0; k < length; ++k) {
            uint8_t b = m_window[(from + k) & (kWindow - 1)];
            out.put(b);
            m_window[r] = b;
            r = (r + 1) & (kWindow - 1);
        }
        count += length;
    }
    // Only the zero bits that pad the last byte may follow.
    if (!in.atEnd())
        throw CodecError { CodecError::LzhSize };
}

} // namespace lrl
