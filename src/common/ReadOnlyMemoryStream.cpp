#include "common/ReadOnlyMemoryStream.h"

#include <algorithm>
#include <cstring>

namespace lrl {

size_t ReadOnlyMemoryStream::read(void* buffer, size_t count)
{
    if (m_pos >= m_data.size())
        return 0;
    size_t n = std::min(count, m_data.size() - m_pos);
    std::memcpy(buffer, m_data.data() + m_pos, n);
    m_pos += n;
    return n;
}

int64_t ReadOnlyMemoryStream::seek(int64_t offset, SeekOrigin origin)
{
    m_pos = static_cast<size_t>(
        seekTarget(offset, origin, static_cast<int64_t>(m_pos), static_cast<int64_t>(m_data.size())));
    return static_cast<int64_t>(m_pos);
}

} // namespace lrl
