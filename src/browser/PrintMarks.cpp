#include "browser/PrintMarks.h"

#include "browser/BrowserConstants.h"
#include "browser/TextCompare.h"
#include "browser/TreeModel.h"

namespace lrl {

namespace {

    bool isFormsFolder(const TTreeNode* node)
    {
        return node->level() == 1 && node->imageIndex() == img::Form && sameText(node->text(), kFormsFolder);
    }

    bool isFormOrRoutineImage(int image) { return image == img::Form || PrintMarks::isRoutineImage(image); }

    template <typename F> bool anyNode(const TTreeNode* node, F&& test)
    {
        for (size_t i = 0; i < node->count(); ++i) {
            const TTreeNode* c = node->child(i);
            if (test(c) || anyNode(c, test))
                return true;
        }
        return false;
    }

} // namespace

bool PrintMarks::isProjectRoot(const TTreeNode* node) const
{
    return node->level() == 0 && (node->imageIndex() == img::Project || node->imageIndex() == m_projectImage);
}

bool PrintMarks::anyDescendantMarked(const TTreeNode* node) const
{
    return anyNode(node, [](const TTreeNode* n) { return n->stateIndex() != mark::None; });
}

void PrintMarks::click(TTreeNode* node, MarkModifiers modifiers, bool separatePages)
{
    if (!node)
        return;
    const int image = node->imageIndex();
    if (image == img::Class || image == img::ProcFunc || image == img::Missing)
        return;
    if (node->stateIndex() != mark::None) {
        unmark(node);
        return;
    }
    const int m = modifiers.alt || separatePages ? mark::Separate : mark::Whole;
    const int level = node->level();
    if (isProjectRoot(node)) {
        if (anyDescendantMarked(node))
            return;
        if (modifiers.ctrl) {
            m_tree.setStateIndex(node, mark::Single);
            return;
        }
        m_tree.setStateIndex(node, m);
        for (size_t i = 0; i < node->count(); ++i) {
            m_tree.setStateIndex(node->child(i), m);
            markBelow(node->child(i), m);
        }
    } else if (level == 0 && image == img::Unit) {
        m_tree.setStateIndex(node, m);
        markBelow(node, m);
    } else if (level == 1 && image >= img::Form && image <= img::Unit && !isFormsFolder(node)) {
        if (!anyDescendantMarked(node))
            markBelow(node, m);
    } else if (image == img::Form || image == img::Options) {
        if (!isFormsFolder(node))
            m_tree.setStateIndex(node, mark::Whole);
    } else if (isRoutineImage(image)) {
        const TTreeNode* unit = node->parent() ? node->parent()->parent() : nullptr;
        if (level <= 1 || !unit || unit->stateIndex() == mark::None)
            m_tree.setStateIndex(node, mark::Single);
    }
}

void PrintMarks::markBelow(TTreeNode* node, int value)
{
    const int image = node->imageIndex();
    const bool keeps = image == img::Project || image == img::Form || image == img::FormSelected
        || image == img::Unit || image == img::Options || image == m_projectImage;
    m_tree.setStateIndex(node, keeps ? value : mark::None);
    const int now = node->stateIndex();
    if (now != mark::Separate && now != mark::None)
        return;
    if (isFormsFolder(node)) {
        for (size_t i = 0; i < node->count(); ++i)
            if (node->child(i)->imageIndex() == img::Form)
                m_tree.setStateIndex(node->child(i), mark::Single);
        return;
    }
    for (size_t i = 0; i < node->count(); ++i)
        markDescendantsSingle(node->child(i), true);
}

void PrintMarks::markDescendantsSingle(TTreeNode* node, bool formsAndRoutinesOnly)
{
    for (size_t i = 0; i < node->count(); ++i) {
        TTreeNode* c = node->child(i);
        const int image = c->imageIndex();
        // Images 1 and 5 to 11: forms and the four routine kinds (their selected images never show here).
        if (!formsAndRoutinesOnly || image == img::Form || (image >= 5 && image <= 11))
            m_tree.setStateIndex(c, mark::Single);
        markDescendantsSingle(c, formsAndRoutinesOnly);
    }
}

void PrintMarks::unmark(TTreeNode* node)
{
    const int image = node->imageIndex();
    if (isProjectRoot(node)) {
        m_tree.setStateIndex(node, mark::None);
        clearBelow(node, false);
    } else if (image == img::Form || image == img::FormSelected || image == img::Unit || image == img::Options) {
        m_tree.setStateIndex(node, mark::None);
        clearBelow(node, true);
    } else {
        // A routine, and any other node that somehow carries a mark: only its own mark goes.
        m_tree.setStateIndex(node, mark::None);
    }
}

void PrintMarks::clearBelow(TTreeNode* node, bool formsAndRoutinesOnly)
{
    for (size_t i = 0; i < node->count(); ++i) {
        TTreeNode* c = node->child(i);
        if (!formsAndRoutinesOnly || isFormOrRoutineImage(c->imageIndex()))
            m_tree.setStateIndex(c, mark::None);
        clearBelow(c, formsAndRoutinesOnly);
    }
}

void PrintMarks::clearAll()
{
    for (size_t i = 0; i < m_tree.topCount(); ++i) {
        m_tree.setStateIndex(m_tree.top(i), mark::None);
        clearBelow(m_tree.top(i), false);
    }
}

bool PrintMarks::anyMarked() const
{
    for (size_t i = 0; i < m_tree.topCount(); ++i) {
        const TTreeNode* t = m_tree.top(i);
        if (t->stateIndex() != mark::None || anyDescendantMarked(t))
            return true;
    }
    return false;
}

} // namespace lrl
