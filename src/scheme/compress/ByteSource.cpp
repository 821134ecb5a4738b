#include "scheme/compress/ByteSource.h"

#include "common/Stream.h"

#include <algorithm>

namespace lrl {

ByteSource::ByteSource(Stream& stream, std::span<uint8_t> buffer, int64_t limit)
    : m_stream(stream)
    , m_buffer(buffer)
    , m_left(limit)
{
}

bool ByteSource::refill()
{
    if (m_left <= 0)
        return false;
    size_t want = static_cast<size_t>(std::min<int64_t>(m_left, static_cast<int64_t>(m_buffer.size())));
    size_t got = m_stream.read(m_buffer.data(), want);
    m_pos = 0;
    m_end = got;
    m_left -= static_cast<int64_t>(got);
    m_fetched += static_cast<int64_t>(got);
    if (got == 0)
        m_left = 0;
    return got != 0;
}

size_t readUpTo(Stream& stream, void* bytes, size_t count)
{
    auto* p = static_cast<uint8_t*>(bytes);
    size_t total = 0;
    while (total < count) {
        size_t got = stream.read(p + total, count - total);
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

} // namespace lrl
