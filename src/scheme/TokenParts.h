#pragma once

#include "common/Set256.h"

#include <array>
#include <cstdint>

namespace lrl {

// The pieces a token is recognised with. Classes are indexes into the scheme's TSM_CharGroupManager.

// How a token begins or goes on: one character of a class at a time, or a routine. A routine is
// numeric; it is a "match" routine answered by the OnCustomParse event when custom is set, otherwise a
// routine of the scanner's table (in a token's start part the numbers 10..20 name the built-in
// recognisers).
struct TSM_StartPart {
    bool repeat = false; // "*": the end is tried before the first continuation step
    uint16_t charClass = 0;
    bool numeric = false;
    bool custom = false;
    int32_t routine = 0;

    bool operator==(const TSM_StartPart&) const = default;
};

// How a token ends: up to four closing classes matched one character each, or a routine. Without
// either, the token has no end part.
struct TSM_EndPart {
    static constexpr int kMaxClasses = 4;

    bool consume = false; // the closing characters belong to the token
    bool numeric = false;
    bool custom = false;
    int32_t routine = 0;
    uint8_t classCount = 0;
    std::array<uint16_t, kMaxClasses> classes {};

    bool exists() const { return numeric || classCount > 0; }
    bool operator==(const TSM_EndPart&) const = default;
};

// Continues a token whose first part a word or a token entry with the same token value recognised.
struct TSM_Handler {
    TSM_StartPart start;
    TSM_EndPart end;

    bool operator==(const TSM_Handler&) const = default;
};

// A token entry for one start character: how the token starts (a built-in recogniser when start is
// numeric), the states in which the entry is valid, its body and end, and the token value it yields.
struct TSM_TokenRecord {
    TSM_StartPart start;
    Set256 states;
    TSM_StartPart body;
    TSM_EndPart end;
    uint8_t token = 0;

    bool operator==(const TSM_TokenRecord&) const = default;
};

} // namespace lrl
