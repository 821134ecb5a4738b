#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lrl {

class TreeModel;

// One node of the project tree as the tree printout sees it.
struct TreePrintEntry {
    int32_t level = 0;
    int32_t imageIndex = -1;
    std::string caption;
    bool operator==(const TreePrintEntry&) const = default;
};

// Every node of the tree in tree order (each node before its children, children in order), whether
// expanded or not. Taken when a printout starts, so that the printout does not depend on the tree
// staying unchanged while messages run.
std::vector<TreePrintEntry> takeTreePrintSnapshot(const TreeModel& tree);

} // namespace lrl
