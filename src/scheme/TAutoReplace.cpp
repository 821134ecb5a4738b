#include "scheme/TAutoReplace.h"

#include "common/StreamIO.h"

namespace lrl {

void TAutoReplace::saveToStream(Stream& stream) const
{
    TMacroKeywords::saveToStream(stream);
    writeShortString(stream, m_actionKeys);
}

void TAutoReplace::loadFromStream(Stream& stream)
{
    TMacroKeywords::loadFromStream(stream);
    m_actionKeys = readShortString(stream);
}

} // namespace lrl
