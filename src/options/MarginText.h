#pragma once

#include <string>

namespace lrl::MarginText {

// A margin's stored two digits in hundredths of an inch as the margin edit shows it: "00" is a whole
// inch, "1.00"; any other v shows "0." + v.
std::string shown(const std::string& digits);
// The two digits stored for a margin edit's value in inches (0.05 ... 1.00): the two characters after
// "0." or "1." of the value shown with two decimals, so 1.00 is stored "00" and 0.05 "05". Values
// outside the range are taken to its nearest end.
std::string stored(double inches);

} // namespace lrl::MarginText
