#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lrl {

class TreeModel;

// One node of the project tree. Nodes are created, changed and deleted through their TreeModel, which
// tells its listeners; a node's address stays valid until the node is deleted.
class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::string& text() const { return m_text; }
    int imageIndex() const { return m_imageIndex; }
    int selectedIndex() const { return m_selectedIndex; }
    // The print mark, -1 for none.
    int stateIndex() const { return m_stateIndex; }
    // A routine's character offset in its file; empty for every other node.
    const std::optional<int32_t>& data() const { return m_data; }
    bool expanded() const { return m_expanded; }

    // The parent node, or null for a node at level 0.
    TTreeNode* parent() const { return m_parent && m_parent->m_parent ? m_parent : nullptr; }
    // 0 for the top level.
    int level() const;
    // Position among the node's siblings.
    int index() const;
    size_t count() const { return m_children.size(); }
    bool hasChildren() const { return !m_children.empty(); }
    TTreeNode* child(size_t i) const { return m_children[i].get(); }
    TTreeNode* firstChild() const { return m_children.empty() ? nullptr : m_children.front().get(); }
    TTreeNode* nextSibling() const;

private:
    friend class TreeModel;
    TTreeNode() = default;

    std::string m_text;
    int m_imageIndex = -1;
    int m_selectedIndex = -1;
    int m_stateIndex = -1;
    std::optional<int32_t> m_data;
    bool m_expanded = false;
    TTreeNode* m_parent = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> m_children;
};

} // namespace lrl
