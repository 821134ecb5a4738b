#include "scheme/TMacroKeywords.h"

#include "common/StreamIO.h"

namespace lrl {

namespace {
    constexpr size_t kMinEntryBytes = 1 + 1 + 4;
}

void TMacroKeywords::saveToStream(Stream& stream) const
{
    writeLE<int32_t>(stream, static_cast<int32_t>(m_entries.size()));
    for (const TMacroKeyword& e : m_entries) {
        writeShortString(stream, e.name);
        writeShortString(stream, e.description);
        writeLongString(stream, e.body);
    }
    writeLongString(stream, shortCutToText(m_hotKey));
    writeLE<uint32_t>(stream, m_flags & kFlagMask);
}

void TMacroKeywords::loadFromStream(Stream& stream)
{
    m_entries.clear();
    int32_t count = readCount(stream, kMinEntryBytes);
    for (int32_t i = 0; i < count; ++i) {
        TMacroKeyword e;
        e.name = readShortString(stream);
        e.description = readShortString(stream);
        e.body = readLongString(stream);
        m_entries.push_back(std::move(e));
    }
    m_hotKey = textToShortCut(readLongString(stream));
    setFlags(readLE<uint32_t>(stream));
}

} // namespace lrl
