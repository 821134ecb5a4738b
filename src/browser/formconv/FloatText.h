#pragma once

#include <cstdint>
#include <string>

namespace lrl {

// A binary floating-point value taken apart: (-1)^negative × mantissa × 2^exponent, or an infinity or a
// NaN. Every stored float layout decodes into this, so one exact formatter serves them all.
struct BinaryFloat {
    enum class Kind { Finite, Infinity, NaN };
    Kind kind = Kind::Finite;
    bool negative = false;
    uint64_t mantissa = 0;
    int exponent = 0;
};

// The 80-bit extended layout: 64-bit mantissa with an explicit integer bit, then 15 exponent bits (bias
// 16383) and the sign, little-endian. Decoded from the bytes, independent of the host's long double.
BinaryFloat decodeExtended(const uint8_t bytes[10]);
// IEEE double and single from their bit patterns.
BinaryFloat decodeDouble(uint64_t bits);
BinaryFloat decodeSingle(uint32_t bits);
// An integer as a float, for values stored as scaled integers.
BinaryFloat integerFloat(int64_t value);

// The general format of a number: the exact value rounded (half away from zero) to `precision`
// significant digits, trailing zeros removed, "." as the decimal separator whatever the locale. Fixed
// notation while the decimal point falls within the digits' reach (at most `precision` digits before it
// and no more than four zeros after it, so 0.0001 stays fixed and 0.00001 becomes 1E-5); otherwise
// "d.dddE[-]x" with the exponent's digits unpadded and no "+" ("1E15", "1.5E-7"). Infinities and NaN are
// written "INF", "-INF" and "NAN".
std::string formatGeneral(const BinaryFloat& value, int precision = 15);

} // namespace lrl
