#include "browser/TreePrintSnapshot.h"

#include "browser/TreeModel.h"

namespace lrl {

namespace {

void addNode(const TTreeNode& node, int32_t level, std::vector<TreePrintEntry>& out)
{
    out.push_back({ level, node.imageIndex(), node.text() });
    for (size_t i = 0; i < node.count(); ++i)
        addNode(*node.child(i), level + 1, out);
}

} // namespace

std::vector<TreePrintEntry> takeTreePrintSnapshot(const TreeModel& tree)
{
    std::vector<TreePrintEntry> out;
    for (size_t i = 0; i < tree.topCount(); ++i)
        addNode(*tree.top(i), 0, out);
    return out;
}

} // namespace lrl
