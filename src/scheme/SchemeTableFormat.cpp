#include "scheme/SchemeTableFormat.h"

#include "common/Exception.h"
#include "common/StreamIO.h"
#include "scheme/TSM_CharGroupManager.h"

namespace lrl::schemeformat {

void writeSet(Stream& s, const Set256& set)
{
    s.writeBuffer(set.bytes().data(), kSetBytes);
}

Set256 readSet(Stream& s)
{
    Set256 set;
    s.readBuffer(set.bytes().data(), kSetBytes);
    return set;
}

void writeClass(Stream& s, const TSM_CharGroupManager& pool, uint16_t index)
{
    const TSM_CharGroup& g = pool[index];
    writeSet(s, g.chars());
    writeLE<int32_t>(s, 0);
    writeLE<uint8_t>(s, g.negated() ? 1 : 0);
}

uint16_t readClass(Stream& s, TSM_CharGroupManager& pool)
{
    Set256 chars = readSet(s);
    if (readLE<int32_t>(s) != 0)
        throw EReadError();
    bool negated = flag(readLE<uint8_t>(s));
    try {
        return pool.findOrAdd(TSM_CharGroup(chars, negated));
    } catch (const ESyntaxMemo&) {
        throw EReadError();
    }
}

void writeStartPart(Stream& s, const TSM_CharGroupManager& pool, const TSM_StartPart& part)
{
    writeLE<uint8_t>(s, part.repeat ? 1 : 0);
    writeClass(s, pool, part.charClass);
    writeLE<uint8_t>(s, part.numeric ? 1 : 0);
    if (part.numeric) {
        writeLE<uint8_t>(s, part.custom ? 1 : 0);
        writeLE<int32_t>(s, part.routine);
    }
}

TSM_StartPart readStartPart(Stream& s, TSM_CharGroupManager& pool)
{
    TSM_StartPart part;
    part.repeat = flag(readLE<uint8_t>(s));
    part.charClass = readClass(s, pool);
    part.numeric = flag(readLE<uint8_t>(s));
    if (part.numeric) {
        part.custom = flag(readLE<uint8_t>(s));
        part.routine = readLE<int32_t>(s);
    }
    return part;
}

void writeEndPart(Stream& s, const TSM_CharGroupManager& pool, const TSM_EndPart& part)
{
    writeLE<uint8_t>(s, part.consume ? 1 : 0);
    writeLE<uint8_t>(s, part.numeric ? 1 : 0);
    if (part.numeric) {
        writeLE<uint8_t>(s, part.custom ? 1 : 0);
        writeLE<int32_t>(s, part.routine);
        return;
    }
    writeLE<uint8_t>(s, part.classCount);
    for (uint8_t i = 0; i < part.classCount; ++i)
        writeClass(s, pool, part.classes[i]);
}

TSM_EndPart readEndPart(Stream& s, TSM_CharGroupManager& pool)
{
    TSM_EndPart part;
    part.consume = flag(readLE<uint8_t>(s));
    part.numeric = flag(readLE<uint8_t>(s));
    if (part.numeric) {
        part.custom = flag(readLE<uint8_t>(s));
        part.routine = readLE<int32_t>(s);
        return part;
    }
    part.classCount = readLE<uint8_t>(s);
    if (part.classCount > TSM_EndPart::kMaxClasses)
        throw EReadError();
    for (uint8_t i = 0; i < part.classCount; ++i)
        part.classes[i] = readClass(s, pool);
    return part;
}

void writeTokenRecord(Stream& s, const TSM_CharGroupManager& pool, const TSM_TokenRecord& record)
{
    writeStartPart(s, pool, record.start);
    writeSet(s, record.states);
    writeStartPart(s, pool, record.body);
    writeEndPart(s, pool, record.end);
    writeLE<uint8_t>(s, record.token);
}

TSM_TokenRecord readTokenRecord(Stream& s, TSM_CharGroupManager& pool)
{
    TSM_TokenRecord record;
    record.start = readStartPart(s, pool);
    record.states = readSet(s);
    record.body = readStartPart(s, pool);
    record.end = readEndPart(s, pool);
    record.token = readLE<uint8_t>(s);
    return record;
}

uint8_t readTokenValue32(Stream& s)
{
    int32_t v = readLE<int32_t>(s);
    if (v < 0 || v > 255)
        throw EReadError();
    return static_cast<uint8_t>(v);
}

} // namespace lrl::schemeformat
