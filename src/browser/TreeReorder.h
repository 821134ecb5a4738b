#pragma once

#include <string>

namespace lrl {

class TTreeNode;
class TreeModel;

// Reordering the tree by dragging, which sets the order in which print jobs walk it. A routine moves
// only within its own unit (possibly into another category); a unit moves among the project's units.
class TreeReorder {
public:
    // Whether a drag may be dropped over target. pressedRoutine: the routine pressed at mouse-down, or
    // null; draggedUnit: the caption of the unit above the node whose icon was pressed.
    static bool accepts(const TTreeNode* pressedRoutine, const TTreeNode* target, const std::string& draggedUnit);
    // The drop of the dragged (selected) node over target: when the drag began on a node's icon and the
    // drop is accepted, dragged moves to stand directly before target. Answers whether it moved.
    static bool drop(TreeModel& tree, TTreeNode* dragged, const TTreeNode* pressedRoutine, TTreeNode* target,
        const std::string& draggedUnit, bool beganOnIcon);
};

} // namespace lrl
