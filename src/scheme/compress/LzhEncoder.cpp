#include "scheme/compress/LzhEncoder.h"

#include "scheme/compress/BitWriter.h"
#include "scheme/compress/ByteSource.h"
#include "scheme/compress/LzhFormat.h"

#include <algorithm>

namespace lrl {

using namespace lzh;

namespace {

void encodeDistance(int distance, BitWriter& out)
{
    int upper = distance >> 6;
    int length = kPositionCode.length[upper];
    out.put(static_cast<uint32_t>(kPositionCode.code[upper]) >> (8 - length), length);
    out.put(static_cast<uint32_t>(distance & 63), 6);
}

} // namespace

int64_t LzhEncoder::encode(ByteSource& in, ByteSink& out)
{
    m_huffman.reset();
    m_tree.reset();
    BitWriter bits(out);
    const uint8_t* text = m_tree.text();

    int s = 0;
    int r = kStart;
    int len = 0;
    for (int c; len < kLookahead && (c = in.next()) >= 0; ++len)
        m_tree.setByte(r + len, static_cast<uint8_t>(c));
    int64_t coded = len;
    if (len == 0)
        return 0;

    // The spaces before the start are strings like any other, so a leading run of blanks matches them.
    for (int i = 1; i <= kLookahead; ++i)
        m_tree.insert(r - i);
    m_tree.insert(r);
    do {
        int matchLength = std::min(m_tree.matchLength(), len);
        if (matchLength <= kThreshold) {
            matchLength = 1;
            m_huffman.encode(text[r], bits);
        } else {
            m_huffman.encode(kFirstLengthSymbol + matchLength, bits);
            encodeDistance(m_tree.matchDistance(), bits);
        }
        // Slide the window by the coded bytes, reading as many new ones as there are.
        int i = 0;
        for (int c; i < matchLength && (c = in.next()) >= 0; ++i) {
            m_tree.remove(s);
            m_tree.setByte(s, static_cast<uint8_t>(c));
            s = (s + 1) & (kWindow - 1);
            r = (r + 1) & (kWindow - 1);
            m_tree.insert(r);
        }
        coded += i;
        // At the end of the input the look-ahead shrinks instead.
        for (; i < matchLength; ++i) {
            m_tree.remove(s);
            s = (s + 1) & (kWindow - 1);
            r = (r + 1) & (kWindow - 1);
            if (--len != 0)
                m_tree.insert(r);
        }
    } while (len > 0);
    bits.finish();
    return coded;
}

} // namespace lrl
