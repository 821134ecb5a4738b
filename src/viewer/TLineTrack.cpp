#include "viewer/TLineTrack.h"

namespace lrl {

void TLineTrack::shift(int offset, int removed, int inserted)
{
    if (m_position >= offset + removed)
        m_position += inserted - removed;
    else if (m_position > offset)
        m_position = offset;
}

} // namespace lrl
