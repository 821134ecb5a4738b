#include "options/MarginText.h"

#include <algorithm>
#include <cmath>

namespace lrl::MarginText {

std::string shown(const std::string& digits) { return digits == "00" ? "1.00" : "0." + digits; }

std::string stored(double inches)
{
    long hundredths = std::lround(std::clamp(inches, 0.05, 1.0) * 100.0);
    hundredths %= 100; // 1.00 keeps the two digits after "1."
    return { static_cast<char>('0' + hundredths / 10), static_cast<char>('0' + hundredths % 10) };
}

} // namespace lrl::MarginText
