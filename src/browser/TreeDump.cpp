#include "browser/TreeDump.h"

#include "browser/TreeModel.h"

namespace lrl {

namespace {

    void formatNode(const TTreeNode& node, int level, std::string& out)
    {
        out.append(static_cast<size_t>(level) * 2, ' ');
        out += node.text();
        out += " [" + std::to_string(node.imageIndex()) + "/" + std::to_string(node.selectedIndex()) + "]";
        if (node.data())
            out += " @" + std::to_string(*node.data());
        out += '\n';
        for (size_t i = 0; i < node.count(); ++i)
            formatNode(*node.child(i), level + 1, out);
    }

} // namespace

std::string formatTree(const TreeModel& tree)
{
    std::string out;
    for (size_t i = 0; i < tree.topCount(); ++i)
        formatNode(*tree.top(i), 0, out);
    return out;
}

} // namespace lrl
