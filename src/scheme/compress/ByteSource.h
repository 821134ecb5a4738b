#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace lrl {

class Stream;

// Reads a stream byte by byte through a caller's buffer, asking the stream for no more than `limit`
// bytes in all, so that nothing past the data meant for the coder is consumed.
class ByteSource {
public:
    static constexpr int64_t kNoLimit = std::numeric_limits<int64_t>::max();

    ByteSource(Stream& stream, std::span<uint8_t> buffer, int64_t limit = kNoLimit);

    // The next byte, or -1 when the input (or the limit) has been reached.
    int next()
    {
        if (m_pos == m_end && !refill())
            return -1;
        return m_buffer[m_pos++];
    }

    // Whether no byte is left; may read ahead to find out.
    bool atEnd() { return m_pos == m_end && !refill(); }

    // Bytes handed out by next() so far.
    int64_t consumed() const { return m_fetched - static_cast<int64_t>(m_end - m_pos); }

private:
    bool refill();

    Stream& m_stream;
    std::span<uint8_t> m_buffer;
    int64_t m_left;
    int64_t m_fetched = 0;
    size_t m_pos = 0;
    size_t m_end = 0;
};

// Reads up to count bytes, asking again after short reads; answers how many arrived before the end.
size_t readUpTo(Stream& stream, void* bytes, size_t count);

} // namespace lrl
