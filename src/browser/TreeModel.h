#pragma once

#include "browser/TTreeNode.h"

#include <optional>
#include <string>
#include <vector>

namespace lrl {

class TreeModelListener;

// The project tree as the main window shows it: nodes in levels with captions, image pairs, print marks
// and routine offsets, one selected node, expansion state, and an update bracket during which a view
// need not repaint. Every change is reported to the listeners (see TreeModelListener).
class TreeModel {
public:
    TreeModel();
    TreeModel(const TreeModel&) = delete;
    TreeModel& operator=(const TreeModel&) = delete;

    void addListener(TreeModelListener* listener);
    void removeListener(TreeModelListener* listener);

    // Adds a node as the last child of parent (null: at the top level) and answers it.
    TTreeNode* add(TTreeNode* parent, std::string text, int imageIndex, int selectedIndex,
        std::optional<int32_t> data = std::nullopt);
    // Deletes node with everything below it.
    void remove(TTreeNode* node);
    // Deletes every node.
    void clear();
    // Moves node (with everything below it) to stand directly before target among target's siblings.
    // Listeners hear of it as a removal and an addition of the same node; the node keeps its address
    // and, when it was selected, stays selected. Nothing happens when target is node or lies below it.
    void moveBefore(TTreeNode* node, TTreeNode* target);

    void setText(TTreeNode* node, std::string text);
    void setImages(TTreeNode* node, int imageIndex, int selectedIndex);
    void setStateIndex(TTreeNode* node, int stateIndex);
    void setExpanded(TTreeNode* node, bool expanded);
    // Selects node (null: none).
    void select(TTreeNode* node);

    TTreeNode* selected() const { return m_selected; }
    size_t topCount() const { return m_top.count(); }
    TTreeNode* top(size_t i) const { return m_top.child(i); }
    // The first node at the top level, or null when the tree is empty.
    TTreeNode* firstNode() const { return m_top.firstChild(); }
    bool empty() const { return m_top.count() == 0; }

    // Nested brackets; listeners hear of the outermost only.
    void beginUpdate();
    void endUpdate();
    bool updating() const { return m_updateDepth > 0; }

    // Holds an update bracket for its lifetime when enabled is true, also when the scope is left by an
    // exception.
    class UpdateBracket {
    public:
        explicit UpdateBracket(TreeModel& model, bool enabled = true);
        ~UpdateBracket();
        UpdateBracket(const UpdateBracket&) = delete;
        UpdateBracket& operator=(const UpdateBracket&) = delete;

    private:
        TreeModel* m_model;
    };

private:
    TTreeNode& owner(TTreeNode* parent) { return parent ? *parent : m_top; }
    bool contains(const TTreeNode* node) const;
    template <typename F> void notify(F&& f);

    TTreeNode m_top;
    TTreeNode* m_selected = nullptr;
    int m_updateDepth = 0;
    std::vector<TreeModelListener*> m_listeners;
};

} // namespace lrl
