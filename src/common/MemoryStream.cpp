#include "common/MemoryStream.h"


#include <algorithm>
#include <cstring>

namespace lrl {

size_t MemoryStream::read(void* buffer, size_t count)
{
    if (m_pos >= m_data.size())
        return 0;
    size_t n = std::min(count, m_data.size() - m_pos);
    std::memcpy(buffer, m_data.data() + m_pos, n);
    m_pos += n;
    return n;
}

size_t MemoryStream::write(const void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    if (m_pos + count > m_data.size())
        m_data.resize(m_pos + count);
    std::memcpy(m_data.data() + m_pos, buffer, count);
    m_pos += count;
    return count;
}

int64_t MemoryStream::seek(int64_t offset, SeekOrigin origin)
{
    m_pos = static_cast<size_t>(
        seekTarget(offset, origin, static_cast<int64_t>(m_pos), static_cast<int64_t>(m_data.size())));
    return static_cast<int64_t>(m_pos);
}

std::vector<uint8_t> MemoryStream::takeBytes()
{
    std::vector<uint8_t> out = std::move(m_data);
    clear();
    return out;
}

void MemoryStream::clear()
{
    m_data.clear();
    m_pos = 0;
}

} // namespace lrl
