#include "browser/formconv/FloatText.h"

#include <cstddef>
#include <vector>

namespace lrl {

namespace {

// mantissa × 2^e or mantissa × 5^e written out in decimal, in base 10^9 limbs (least significant first)
// built by repeated multiplication with small factors. The exact expansion of the smallest extended
// values has over 11000 digits; only the leading ones are ever shown, so the number may keep just its
// top limbs, dropping the rest after each step while it bounds the error this leaves: the true value
// lies between the kept limbs and the kept limbs plus m_error units of the lowest one.
class DecimalDigits {
public:
    // keep = 0 keeps every limb, so the result is exact.
    DecimalDigits(uint64_t value, size_t keep)
        : m_keep(keep)
    {
        do {
            m_limbs.push_back(static_cast<uint32_t>(value % kBase));
            value /= kBase;
        } while (value != 0);
    }

    void multiplyByPower(uint32_t base, uint32_t stepFactor, int stepExponent, int exponent)
    {
        for (; exponent >= stepExponent; exponent -= stepExponent)
            multiply(stepFactor);
        uint32_t rest = 1;
        for (; exponent > 0; --exponent)
            rest *= base;
        if (rest != 1)
            multiply(rest);
    }

    // The first `count` digits (all of them when the number is exact) and the number of digits of the
    // whole number; nothing when the dropped limbs leave those digits uncertain.
    bool leadingDigits(size_t count, std::string& digits, int& length) const
    {
        std::string low = text(m_limbs);
        if (m_dropped == 0) {
            digits = low;
            length = static_cast<int>(low.size());
            return true;
        }
        std::vector<uint32_t> upper = m_limbs;
        add(upper, static_cast<uint64_t>(m_error) + 1);
        std::string high = text(upper);
        if (high.size() != low.size() || low.size() < count || low.compare(0, count, high, 0, count) != 0)
            return false;
        digits = low.substr(0, count);
        length = static_cast<int>(low.size() + 9 * m_dropped);
        return true;
    }

private:
    static constexpr uint32_t kBase = 1000000000;

    static std::string text(const std::vector<uint32_t>& limbs)
    {
        std::string out = std::to_string(limbs.back());
        for (size_t i = limbs.size() - 1; i-- > 0;) {
            std::string limb = std::to_string(limbs[i]);
            out.append(9 - limb.size(), '0');
            out += limb;
        }
        return out;
    }

    static void add(std::vector<uint32_t>& limbs, uint64_t amount)
    {
        for (size_t i = 0; amount != 0; ++i) {
            if (i == limbs.size())
                limbs.push_back(0);
            uint64_t v = limbs[i] + amount;
            limbs[i] = static_cast<uint32_t>(v % kBase);
            amount = v / kBase;
        }
    }

    // factor < 2^31, so limb × factor + carry stays below 2^64.
    void multiply(uint32_t factor)
    {
        uint64_t carry = 0;
        for (uint32_t& limb : m_limbs) {
            uint64_t v = static_cast<uint64_t>(limb) * factor + carry;
            limb = static_cast<uint32_t>(v % kBase);
            carry = v / kBase;
        }
        while (carry != 0) {
            m_limbs.push_back(static_cast<uint32_t>(carry % kBase));
            carry /= kBase;
        }
        m_error *= factor;
        if (m_keep != 0 && m_limbs.size() > m_keep) {
            size_t drop = m_limbs.size() - m_keep;
            m_limbs.erase(m_limbs.begin(), m_limbs.begin() + static_cast<std::ptrdiff_t>(drop));
            m_dropped += drop;
            // The dropped limbs are worth less than one unit of the new lowest limb; the slack covers
            // the rounding of the bound itself.
            for (size_t i = 0; i < drop; ++i)
                m_error /= kBase;
            m_error = (m_error + 1) * (1 + 1e-9);
        }
    }

    std::vector<uint32_t> m_limbs;
    size_t m_keep;
    size_t m_dropped = 0;
    double m_error = 0;
};

// The leading decimal digits of mantissa × 2^exponent (mantissa > 0), at least `count` of them unless
// the whole expansion is shorter, and the position of the decimal point counted from the first digit:
// value = 0.digits... × 10^point, the digits truncated.
struct Decimal {
    std::string digits;
    int point = 0;
};

Decimal leadingDecimal(uint64_t mantissa, int exponent, size_t count)
{
    while ((mantissa & 1) == 0 && exponent < 0) {
        mantissa >>= 1;
        ++exponent;
    }
    // Five limbs settle the digits of nearly every value; a run of nines or zeros right after them
    // needs more, and the exact expansion is the last resort.
    for (size_t keep : { size_t { 5 }, size_t { 16 }, size_t { 0 } }) {
        DecimalDigits n(mantissa, keep);
        if (exponent >= 0)
            n.multiplyByPower(2, 1u << 29, 29, exponent);
        else
            n.multiplyByPower(5, 1220703125u, 13, -exponent); // m × 2^-k = m × 5^k / 10^k; 5^13
        Decimal d;
        int length = 0;
        if (n.leadingDigits(count, d.digits, length)) {
            d.point = length + (exponent < 0 ? exponent : 0);
            return d;
        }
    }
    return {}; // not reached: the exact expansion always answers
}

void roundToPrecision(Decimal& d, int precision)
{
    if (static_cast<int>(d.digits.size()) > precision) {
        bool up = d.digits[static_cast<size_t>(precision)] >= '5';
        d.digits.resize(static_cast<size_t>(precision));
        if (up) {
            size_t i = d.digits.size();
            while (i > 0 && d.digits[i - 1] == '9')
                d.digits[--i] = '0';
            if (i == 0) {
                d.digits.insert(d.digits.begin(), '1');
                d.digits.pop_back();
                ++d.point;
            } else {
                ++d.digits[i - 1];
            }
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
}

// An IEEE 754 binary layout: sign, exponentBits of biased exponent, fractionBits of fraction with an
// implicit integer bit.
BinaryFloat ieee(uint64_t bits, int exponentBits, int fractionBits)
{
    const uint64_t field = (bits >> fractionBits) & ((uint64_t { 1 } << exponentBits) - 1);
    const uint64_t fraction = bits & ((uint64_t { 1 } << fractionBits) - 1);
    const int bias = (1 << (exponentBits - 1)) - 1;
    BinaryFloat f;
    f.negative = ((bits >> (exponentBits + fractionBits)) & 1) != 0;
    if (field == (uint64_t { 1 } << exponentBits) - 1) {
        f.kind = fraction == 0 ? BinaryFloat::Kind::Infinity : BinaryFloat::Kind::NaN;
    } else if (field == 0) {
        f.mantissa = fraction;
        f.exponent = 1 - bias - fractionBits;
    } else {
        f.mantissa = fraction | (uint64_t { 1 } << fractionBits);
        f.exponent = static_cast<int>(field) - bias - fractionBits;
    }
    return f;
}

} // namespace

BinaryFloat decodeExtended(const uint8_t bytes[10])
{
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | bytes[i];
    unsigned signExp = static_cast<unsigned>(bytes[8]) | (static_cast<unsigned>(bytes[9]) << 8);
    int field = static_cast<int>(signExp & 0x7FFF);
    BinaryFloat f;
    f.negative = (signExp & 0x8000) != 0;
    if (field == 0x7FFF) {
        // Only the fraction decides: the integer bit is ignored, as pseudo-infinities are still infinite.
        bool fraction = (mantissa & 0x7FFFFFFFFFFFFFFFull) != 0;
        f.kind = fraction ? BinaryFloat::Kind::NaN : BinaryFloat::Kind::Infinity;
        return f;
    }
    // The integer bit is explicit, so denormals (field 0) and unnormals need no special case beyond
    // the denormal exponent.
    f.mantissa = mantissa;
    f.exponent = (field == 0 ? 1 : field) - 16383 - 63;
    return f;
}

BinaryFloat decodeDouble(uint64_t bits) { return ieee(bits, 11, 52); }

BinaryFloat decodeSingle(uint32_t bits) { return ieee(bits, 8, 23); }

BinaryFloat integerFloat(int64_t value)
{
    BinaryFloat f;
    f.negative = value < 0;
    f.mantissa = f.negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    return f;
}

std::string formatGeneral(const BinaryFloat& value, int precision)
{
    if (value.kind == BinaryFloat::Kind::NaN)
        return "NAN";
    if (value.kind == BinaryFloat::Kind::Infinity)
        return value.negative ? "-INF" : "INF";
    if (value.mantissa == 0)
        return "0";

    // Rounding half away from zero needs the digits up to one beyond the precision, truncated.
    Decimal d = leadingDecimal(value.mantissa, value.exponent, static_cast<size_t>(precision) + 1);
    roundToPrecision(d, precision);

    std::string out = value.negative ? "-" : "";
    const int count = static_cast<int>(d.digits.size());
    if (d.point > precision || d.point < -3) {
        out += d.digits[0];
        if (count > 1) {
            out += '.';
            out.append(d.digits, 1);
        }
        out += 'E';
        out += std::to_string(d.point - 1);
    } else if (d.point <= 0) {
        out += "0.";
        out.append(static_cast<size_t>(-d.point), '0');
        out += d.digits;
    } else if (count <= d.point) {
        out += d.digits;
        out.append(static_cast<size_t>(d.point - count), '0');
    } else {
        out.append(d.digits, 0, static_cast<size_t>(d.point));
        out += '.';
        out.append(d.digits, static_cast<size_t>(d.point));
    }
    return out;
}

} // namespace lrl
