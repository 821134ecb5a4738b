#include "browser/formconv/FloatText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

using namespace lrl;

namespace {

// An extended value from its mantissa and biased exponent field (sign in bit 15).
std::string extended(uint64_t mantissa, uint16_t signAndExponent)
{
    uint8_t bytes[10];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<uint8_t>(mantissa >> (8 * i));
    bytes[8] = static_cast<uint8_t>(signAndExponent);
    bytes[9] = static_cast<uint8_t>(signAndExponent >> 8);
    return formatGeneral(decodeExtended(bytes));
}

std::string fromDouble(double d) { return formatGeneral(decodeDouble(std::bit_cast<uint64_t>(d))); }

} // namespace

TEST(FloatText, ExtendedLayoutDecodedFromBytes)
{
    EXPECT_EQ(extended(0x8000000000000000ull, 0x3FFF), "1");
    EXPECT_EQ(extended(0xC000000000000000ull, 0xBFFF), "-1.5");
    EXPECT_EQ(extended(0, 0), "0");
    EXPECT_EQ(extended(0, 0x8000), "0");
    // 0.1 rounded to 64 bits, then to 15 digits.
    EXPECT_EQ(extended(0xCCCCCCCCCCCCCCCDull, 0x3FFB), "0.1");
    // The range beyond double: largest and smallest extended values.
    EXPECT_EQ(extended(0xFFFFFFFFFFFFFFFFull, 0x7FFE), "1.18973149535723E4932");
    EXPECT_EQ(extended(1, 0), "3.64519953188247E-4951");
    EXPECT_EQ(extended(0x8000000000000000ull, 0x7FFF), "INF");
    EXPECT_EQ(extended(0x8000000000000000ull, 0xFFFF), "-INF");
    EXPECT_EQ(extended(0xC000000000000000ull, 0x7FFF), "NAN");
}

TEST(FloatText, GeneralFormatChoosesFixedOrExponent)
{
    EXPECT_EQ(fromDouble(123456789012345.0), "123456789012345");
    EXPECT_EQ(fromDouble(1e15), "1E15");
    EXPECT_EQ(fromDouble(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(fromDouble(0.0001), "0.0001");
    EXPECT_EQ(fromDouble(0.00001), "1E-5");
    EXPECT_EQ(fromDouble(-1.5e-7), "-1.5E-7");
    EXPECT_EQ(fromDouble(100.0), "100");
    EXPECT_EQ(fromDouble(0.3), "0.3");
    // Rounding carries into a new leading digit.
    EXPECT_EQ(fromDouble(9.999999999999999), "10");
    EXPECT_EQ(fromDouble(999999999999999.9), "1E15");
    // Exact halves round away from zero.
    EXPECT_EQ(fromDouble(1000000000000005.0), "1.00000000000001E15");
    EXPECT_EQ(fromDouble(-1000000000000005.0), "-1.00000000000001E15");
}

TEST(FloatText, SingleAndScaledIntegers)
{
    EXPECT_EQ(formatGeneral(decodeSingle(std::bit_cast<uint32_t>(0.25f))), "0.25");
    EXPECT_EQ(formatGeneral(decodeSingle(1)), "1.40129846432482E-45");
    EXPECT_EQ(formatGeneral(decodeSingle(0x7F800000)), "INF");
    EXPECT_EQ(formatGeneral(integerFloat(INT64_MIN)), "-9.22337203685478E18");
}

#if defined(__x86_64__) && LDBL_MANT_DIG == 64
// On x86-64 the host's long double is the same 80-bit layout, and the C library prints it exactly: an
// independent reference for random values over the whole exponent range, denormals included.
TEST(FloatText, AgreesWithTheHostOnRandomExtendedValues)
{
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 5000; ++i) {
        uint8_t bytes[10];
        uint64_t mantissa = random();
        uint16_t field = static_cast<uint16_t>(random() % 0x7FFF);
        if (field != 0)
            mantissa |= 0x8000000000000000ull;
        else
            mantissa >>= random() % 64;
        if (mantissa == 0)
            continue;
        uint16_t signAndExponent = static_cast<uint16_t>(field | (random() & 1 ? 0x8000 : 0));
        std::memcpy(bytes, &mantissa, 8);
        std::memcpy(bytes + 8, &signAndExponent, 2);
        long double host;
        std::memcpy(&host, bytes, 10);

        // Skip the rare values whose digits after the 15th are a tie, where the host rounds to even.
        char digits[64];
        std::snprintf(digits, sizeof digits, "%.39Le", host);
        std::string tail(std::strchr(digits, '.') + 15, std::strchr(digits, 'e'));
        if (tail.find_first_not_of('0', 1) == std::string::npos && tail[0] == '5')
            continue;

        char reference[64];
        std::snprintf(reference, sizeof reference, "%.14Le", host);
        std::string ours = formatGeneral(decodeExtended(bytes));
        ASSERT_EQ(std::strtold(ours.c_str(), nullptr), std::strtold(reference, nullptr))
            << ours << " vs " << reference;
    }
}
#endif
