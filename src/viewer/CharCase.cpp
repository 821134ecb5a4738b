#include "viewer/CharCase.h"

namespace lrl {

namespace {

std::array<uint8_t, 256> buildUpperTable()
{
    std::array<uint8_t, 256> t {};
    for (int c = 0; c < 256; ++c)
        t[c] = static_cast<uint8_t>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = static_cast<uint8_t>(c - 32);
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7)
            t[c] = static_cast<uint8_t>(c - 32);
    t[0x9A] = 0x8A; // š
    t[0x9C] = 0x8C; // œ
    t[0x9E] = 0x8E; // ž
    t[0xFF] = 0x9F; // ÿ
    return t;
}

} // namespace

const std::array<uint8_t, 256>& CharCase::table()
{
    static const std::array<uint8_t, 256> t = buildUpperTable();
    return t;
}

} // namespace lrl
