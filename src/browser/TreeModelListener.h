#pragma once

namespace lrl {

class TTreeNode;

// What a view of a TreeModel is told. A null parent stands for the top level. Row numbers are positions
// among the parent's children. The "about to" calls come before the model changes, the others after,
// so that an item-model adapter can bracket each change as its toolkit requires.
class TreeModelListener {
public:
    virtual ~TreeModelListener() = default;

    virtual void nodeAboutToBeAdded(const TTreeNode* parent, int row) = 0;
    virtual void nodeAdded(const TTreeNode* node) = 0;
    // Called before node and everything below it are deleted.
    virtual void nodeAboutToBeRemoved(const TTreeNode* node) = 0;
    virtual void nodeRemoved(const TTreeNode* parent, int row) = 0;
    virtual void aboutToClear() = 0;
    virtual void cleared() = 0;
    // Caption, images, print mark or data changed.
    virtual void nodeChanged(const TTreeNode* node) = 0;
    virtual void expansionChanged(const TTreeNode* node) = 0;
    // The selected node changed (null: none selected).
    virtual void selectionChanged(const TTreeNode* node) = 0;
    // The outermost update bracket opened or closed: a view may stop repainting in between.
    virtual void updateBegun() = 0;
    virtual void updateEnded() = 0;
};

} // namespace lrl
