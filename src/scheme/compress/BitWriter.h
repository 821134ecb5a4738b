#pragma once

#include "scheme/compress/ByteSink.h"

#include <cstdint>

namespace lrl {

// Packs bits most significant first into bytes; finish() pads the last byte with zero bits.
class BitWriter {
public:
    explicit BitWriter(ByteSink& sink)
        : m_sink(sink)
    {
    }

    // Writes the low `count` bits of bits (count at most 24), the highest of them first.
    void put(uint32_t bits, int count)
    {
        m_acc = (m_acc << count) | (bits & ((1u << count) - 1));
        m_count += count;
        while (m_count >= 8) {
            m_count -= 8;
            m_sink.put(static_cast<uint8_t>(m_acc >> m_count));
        }
        m_acc &= (1u << m_count) - 1;
    }

    void finish()
    {
        if (m_count > 0)
            m_sink.put(static_cast<uint8_t>(m_acc << (8 - m_count)));
        m_acc = 0;
        m_count = 0;
    }

private:
    ByteSink& m_sink;
    uint32_t m_acc = 0;
    int m_count = 0;
};

} // namespace lrl
