#pragma once

namespace lrl {

class TreeModel;
class TTreeNode;

// Print marks are the tree nodes' state images.
namespace mark {
    constexpr int None = -1;
    constexpr int Whole = 13; // the file whole; a project root: the project file, then every file
    constexpr int Separate = 14; // a unit's heading, then each marked routine as a job of its own
    constexpr int Single = 15; // this one item only
} // namespace mark

// The modifier keys held during a marking click.
struct MarkModifiers {
    bool alt = false;
    bool ctrl = false;
};

// Marking and unmarking nodes of the project tree with the right mouse button. A node's kind is told by
// its image and level; projectImage is the project root's image (0 or the program icon's slot).
class PrintMarks {
public:
    PrintMarks(TreeModel& tree, int projectImage)
        : m_tree(tree)
        , m_projectImage(projectImage)
    {
    }

    // A marking click on node: unmarks a marked node, otherwise marks it (and what lies below it) by the
    // node's kind. separatePages is the stored "print on separate pages" setting, which has the effect
    // of Alt.
    void click(TTreeNode* node, MarkModifiers modifiers, bool separatePages);
    void unmark(TTreeNode* node);
    void clearAll();
    // Whether any node carries a mark; the print controls are enabled exactly then.
    bool anyMarked() const;

    static bool isRoutineImage(int image) { return image >= 5 && image <= 12; }

private:
    bool isProjectRoot(const TTreeNode* node) const;
    bool anyDescendantMarked(const TTreeNode* node) const;
    void markBelow(TTreeNode* node, int value);
    void markDescendantsSingle(TTreeNode* node, bool formsAndRoutinesOnly);
    void clearBelow(TTreeNode* node, bool formsAndRoutinesOnly);

    TreeModel& m_tree;
    int m_projectImage;
};

} // namespace lrl
