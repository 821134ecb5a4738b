#pragma once

#include <string>

namespace lrl {

class TreeModel;

// The tree as text, one node per line: two spaces per level, the caption, " [IMAGE/SELECTED]", and
// " @OFFSET" for nodes with data.
std::string formatTree(const TreeModel& tree);

} // namespace lrl
