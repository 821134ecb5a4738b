#pragma once

#include <array>
#include <cstdint>

namespace lrl {

// Upper-casing of single bytes in the Windows-1252 character set that Delphi sources are written in:
// a-z, the accented small letters à-þ (but not ÷), and š, œ, ž, ÿ map to their capitals; every other
// byte maps to itself.
class CharCase {
public:
    static uint8_t upper(uint8_t c) { return table()[c]; }
    // The whole 256-entry table, for loops that upper-case many bytes.
    static const std::array<uint8_t, 256>& table();
};

} // namespace lrl
