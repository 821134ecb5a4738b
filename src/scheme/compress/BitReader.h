#pragma once

#include "scheme/compress/ByteSource.h"
#include "scheme/compress/CodecError.h"

#include <cstdint>

namespace lrl {

// Reads bits most significant first. Needing a bit after the input has ended raises `onEnd`: the
// coder's input is shorter than the header claims.
class BitReader {
public:
    BitReader(ByteSource& source, CodecError::Kind onEnd)
        : m_source(source)
        , m_onEnd(onEnd)
    {
    }

    int bit()
    {
        if (m_count == 0) {
            int b = m_source.next();
            if (b < 0)
                throw CodecError { m_onEnd };
            m_acc = static_cast<uint32_t>(b);
            m_count = 8;
        }
        --m_count;
        return static_cast<int>((m_acc >> m_count) & 1);
    }

    // The next `count` bits as a number, the first bit highest.
    uint32_t bits(int count)
    {
        uint32_t v = 0;
        for (int i = 0; i < count; ++i)
            v = (v << 1) | static_cast<uint32_t>(bit());
        return v;
    }

private:
    ByteSource& m_source;
    CodecError::Kind m_onEnd;
    uint32_t m_acc = 0;
    int m_count = 0;
};

} // namespace lrl
