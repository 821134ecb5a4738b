#include "browser/TTreeNode.h"

#include <algorithm>

namespace lrl {

int TTreeNode::level() const
{
    int level = 0;
    for (TTreeNode* p = parent(); p; p = p->parent())
        ++level;
    return level;
}

int TTreeNode::index() const
{
    if (!m_parent)
        return 0;
    const auto& siblings = m_parent->m_children;
    auto it
        = std::find_if(siblings.begin(), siblings.end(), [this](const auto& n) { return n.get() == this; });
    return static_cast<int>(it - siblings.begin());
}

TTreeNode* TTreeNode::nextSibling() const
{
    if (!m_parent)
        return nullptr;
    size_t next = static_cast<size_t>(index()) + 1;
    return next < m_parent->m_children.size() ? m_parent->m_children[next].get() : nullptr;
}

} // namespace lrl
