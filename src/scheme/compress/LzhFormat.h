#pragma once

#include <array>
#include <cstdint>

namespace lrl::lzh {

// The LZH window: a ring of 4096 bytes that starts as 4036 spaces with the writing position after
// them; matches of 3..60 bytes (a match must be longer than kThreshold).
inline constexpr int kWindow = 4096;
inline constexpr int kLookahead = 60;
inline constexpr int kThreshold = 2;
inline constexpr int kStart = kWindow - kLookahead;
inline constexpr uint8_t kFill = ' ';
// Symbols above the literals code a match length: kFirstLengthSymbol + length.
inline constexpr int kFirstLengthSymbol = 256 - kThreshold - 1;

// The fixed prefix code for the upper 6 bits of a match position (0..63): a canonical code with one
// 3-bit, three 4-bit, eight 5-bit, twelve 6-bit, twenty-four 7-bit and sixteen 8-bit codes, shorter
// codes for nearer positions. The lower 6 bits follow plainly.
struct PositionCode {
    std::array<uint8_t, 64> length {};
    std::array<uint8_t, 64> code {}; // left-aligned in 8 bits
    // By the next 8 bits of input: the upper position bits they start with, and that code's length.
    std::array<uint8_t, 256> decodeUpper {};
    std::array<uint8_t, 256> decodeLength {};
};

constexpr PositionCode makePositionCode()
{
    constexpr int kCodesOfLength[9] = { 0, 0, 0, 1, 3, 8, 12, 24, 16 };
    PositionCode t;
    int upper = 0;
    unsigned next = 0;
    for (int len = 3; len <= 8; ++len) {
        for (int k = 0; k < kCodesOfLength[len]; ++k, ++upper) {
            t.length[upper] = static_cast<uint8_t>(len);
            t.code[upper] = static_cast<uint8_t>(next);
            unsigned span = 1u << (8 - len);
            for (unsigned b = next; b < next + span; ++b) {
                t.decodeUpper[b] = static_cast<uint8_t>(upper);
                t.decodeLength[b] = static_cast<uint8_t>(len);
            }
            next += span;
        }
    }
    return t;
}

inline constexpr PositionCode kPositionCode = makePositionCode();

static_assert(kPositionCode.code[1] == 0x20 && kPositionCode.code[12] == 0x90 && kPositionCode.code[63] == 0xFF);

} // namespace lrl::lzh
