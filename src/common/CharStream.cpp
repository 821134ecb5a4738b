#include "common/CharStream.h"

#include <algorithm>
#include <cstring>

namespace lrl {

uint8_t CharStream::currentSlow()
{
    int64_t pos = position();
    if (pos >= m_size)
        return 0;
    loadSegment(pos);
    return m_cur < m_segEnd ? *m_cur : 0;
}

void CharStream::nextSlow()
{
    int64_t pos = position();
    if (pos >= m_size)
        return;
    loadSegment(pos);
    if (m_cur < m_segEnd)
        ++m_cur;
}

void CharStream::prevSlow()
{
    int64_t pos = position();
    if (pos <= 0)
        return;
    loadSegment(pos - 1);
}

void CharStream::seekSlow(int64_t pos)
{
    pos = std::clamp<int64_t>(pos, 0, m_size);
    if (m_segBegin != nullptr && pos >= m_segPos && pos <= m_segPos + (m_segEnd - m_segBegin)) {
        m_cur = m_segBegin + (pos - m_segPos);
        return;
    }
    loadSegment(pos);
}

size_t CharStream::read(uint8_t* dest, size_t count)
{
    size_t done = 0;
    while (done < count && !atEnd()) {
        if (m_cur >= m_segEnd) {
            loadSegment(position());
            if (m_cur >= m_segEnd)
                break;
        }
        size_t n = std::min(count - done, static_cast<size_t>(m_segEnd - m_cur));
        std::memcpy(dest + done, m_cur, n);
        m_cur += n;
        done += n;
    }
    return done;
}

} // namespace lrl
