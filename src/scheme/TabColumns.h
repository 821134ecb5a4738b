#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lrl {

// The viewer's explicit tab stops in their text form: 1-based column numbers, ascending, separated by
// blanks or semicolons, at most kMaxTabColumns of them.
constexpr int kMaxTabColumns = 32;

// The 0-based columns the text names. A malformed text raises ESyntaxMemo with "Tab stop column value
// expected", "Tab columns must be in order and unique", "Tab column must be > 1" or "Too many tab stops
// - maximum of 32".
std::vector<int32_t> parseTabColumns(std::string_view text);

// The text form of 0-based columns: the first as "%d", each further one as " %d", 1-based.
std::string tabColumnsText(const std::vector<int32_t>& columns);

} // namespace lrl
