#pragma once

#include "common/Set256.h"
#include "scheme/TokenParts.h"

#include <cstddef>
#include <cstdint>

namespace lrl {

class Stream;
class TSM_CharGroupManager;

// The shared pieces of the stored table layout: sets, classes, start and end parts, token records,
// and the smallest size each kind of counted item takes (for checking counts against the input).
namespace schemeformat {

    constexpr size_t kSetBytes = 32;
    constexpr size_t kClassBytes = kSetBytes + 4 + 1;
    constexpr size_t kMinStartPartBytes = 1 + kClassBytes + 1;
    constexpr size_t kMinEndPartBytes = 3;
    constexpr size_t kMinTokenRecordBytes = kMinStartPartBytes + kSetBytes + kMinStartPartBytes + kMinEndPartBytes + 1;

    void writeSet(Stream& s, const Set256& set);
    Set256 readSet(Stream& s);

    void writeClass(Stream& s, const TSM_CharGroupManager& pool, uint16_t index);
    uint16_t readClass(Stream& s, TSM_CharGroupManager& pool);

    void writeStartPart(Stream& s, const TSM_CharGroupManager& pool, const TSM_StartPart& part);
    TSM_StartPart readStartPart(Stream& s, TSM_CharGroupManager& pool);

    void writeEndPart(Stream& s, const TSM_CharGroupManager& pool, const TSM_EndPart& part);
    TSM_EndPart readEndPart(Stream& s, TSM_CharGroupManager& pool);

    void writeTokenRecord(Stream& s, const TSM_CharGroupManager& pool, const TSM_TokenRecord& record);
    TSM_TokenRecord readTokenRecord(Stream& s, TSM_CharGroupManager& pool);

    // A 32-bit token value that must lie in 0..255 (EReadError otherwise).
    uint8_t readTokenValue32(Stream& s);
    // An 8-bit flag.
    inline bool flag(uint8_t b) { return b != 0; }

} // namespace schemeformat

} // namespace lrl
