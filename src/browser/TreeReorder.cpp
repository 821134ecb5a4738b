#include "browser/TreeReorder.h"

#include "browser/BrowserConstants.h"
#include "browser/TreeModel.h"

namespace lrl {

namespace {

    bool isRoutine(const TTreeNode* n)
    {
        const int i = n->imageIndex();
        return i == img::Procedure || i == img::Function || i == img::Constructor || i == img::Destructor;
    }

    // A unit of a project, found or missing (the forms folder and the options node are not units).
    bool isProjectUnit(const TTreeNode* n)
    {
        return n->level() == 1 && (n->imageIndex() == img::Unit || n->imageIndex() == img::Missing);
    }

} // namespace

bool TreeReorder::accepts(const TTreeNode* pressedRoutine, const TTreeNode* target, const std::string& draggedUnit)
{
    if (!target)
        return false;
    if (pressedRoutine && isRoutine(pressedRoutine)) {
        const TTreeNode* category = target->parent();
        const TTreeNode* unit = category ? category->parent() : nullptr;
        return isRoutine(target) && unit && unit->text() == draggedUnit;
    }
    return !pressedRoutine && isProjectUnit(target);
}

bool TreeReorder::drop(TreeModel& tree, TTreeNode* dragged, const TTreeNode* pressedRoutine, TTreeNode* target,
    const std::string& draggedUnit, bool beganOnIcon)
{
    if (!beganOnIcon || !dragged || dragged == target || !accepts(pressedRoutine, target, draggedUnit))
        return false;
    // Only what the rule is about moves: the pressed routine itself, or a unit among the units. A form or
    // a category dragged onto a unit stays where it is.
    if (pressedRoutine ? dragged != pressedRoutine : !isProjectUnit(dragged))
        return false;
    tree.moveBefore(dragged, target);
    return true;
}

} // namespace lrl
