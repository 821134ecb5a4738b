#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace lrl {

class Stream;

// Writes bytes to a stream through a caller's buffer. A stream that takes fewer bytes than it is given
// raises CodecError::Write. Call flush() before the buffer goes away; the destructor does not, so that a
// failed operation writes nothing more.
class ByteSink {
public:
    ByteSink(Stream& stream, std::span<uint8_t> buffer);

    void put(uint8_t byte)
    {
        if (m_used == m_buffer.size())
            flush();
        m_buffer[m_used++] = byte;
    }

    void flush();

    // Bytes given to put() so far, flushed or not.
    int64_t written() const { return m_flushed + static_cast<int64_t>(m_used); }

private:
    Stream& m_stream;
    std::span<uint8_t> m_buffer;
    size_t m_used = 0;
    int64_t m_flushed = 0;
};

// Writes all of bytes to the stream or raises CodecError::Write.
void writeAll(Stream& stream, const void* bytes, size_t count);

} // namespace lrl
