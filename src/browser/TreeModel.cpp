#include "browser/TreeModel.h"

#include "browser/TreeModelListener.h"

#include <algorithm>

namespace lrl {

TreeModel::TreeModel() = default;

template <typename F> void TreeModel::notify(F&& f)
{
    for (TreeModelListener* l : m_listeners)
        f(*l);
}

void TreeModel::addListener(TreeModelListener* listener) { m_listeners.push_back(listener); }

void TreeModel::removeListener(TreeModelListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

TTreeNode* TreeModel::add(
    TTreeNode* parent, std::string text, int imageIndex, int selectedIndex, std::optional<int32_t> data)
{
    TTreeNode& o = owner(parent);
    std::unique_ptr<TTreeNode> node(new TTreeNode);
    node->m_text = std::move(text);
    node->m_imageIndex = imageIndex;
    node->m_selectedIndex = selectedIndex;
    node->m_data = data;
    node->m_parent = &o;
    int row = static_cast<int>(o.m_children.size());
    notify([&](TreeModelListener& l) { l.nodeAboutToBeAdded(parent, row); });
    o.m_children.push_back(std::move(node));
    TTreeNode* added = o.m_children.back().get();
    notify([&](TreeModelListener& l) { l.nodeAdded(added); });
    return added;
}

bool TreeModel::contains(const TTreeNode* node) const
{
    for (const TTreeNode* n = node; n; n = n->m_parent)
        if (n == &m_top)
            return true;
    return false;
}

void TreeModel::moveBefore(TTreeNode* node, TTreeNode* target)
{
    if (!node || !target || node == target)
        return;
    for (const TTreeNode* n = target; n; n = n->m_parent)
        if (n == node)
            return;
    const bool wasSelected = m_selected == node;
    TTreeNode& from = owner(node->parent());
    const int row = node->index();
    notify([&](TreeModelListener& l) { l.nodeAboutToBeRemoved(node); });
    std::unique_ptr<TTreeNode> taken = std::move(from.m_children[static_cast<size_t>(row)]);
    from.m_children.erase(from.m_children.begin() + row);
    notify([&](TreeModelListener& l) { l.nodeRemoved(node->parent(), row); });
    TTreeNode* newParent = target->parent();
    TTreeNode& to = owner(newParent);
    const int at = target->index();
    notify([&](TreeModelListener& l) { l.nodeAboutToBeAdded(newParent, at); });
    taken->m_parent = &to;
    to.m_children.insert(to.m_children.begin() + at, std::move(taken));
    notify([&](TreeModelListener& l) { l.nodeAdded(node); });
    if (wasSelected) {
        m_selected = nullptr;
        select(node);
    }
}

void TreeModel::remove(TTreeNode* node)
{
    if (!node || node == &m_top)
        return;
    TTreeNode* parent = node->parent();
    TTreeNode& o = owner(parent);
    int row = node->index();
    notify([&](TreeModelListener& l) { l.nodeAboutToBeRemoved(node); });
    bool selectionGoes = false;
    for (const TTreeNode* n = m_selected; n; n = n->m_parent)
        if (n == node)
            selectionGoes = true;
    if (selectionGoes)
        m_selected = nullptr;
    o.m_children.erase(o.m_children.begin() + row);
    notify([&](TreeModelListener& l) { l.nodeRemoved(parent, row); });
    if (selectionGoes)
        notify([&](TreeModelListener& l) { l.selectionChanged(nullptr); });
}

void TreeModel::clear()
{
    notify([](TreeModelListener& l) { l.aboutToClear(); });
    bool hadSelection = m_selected != nullptr;
    m_selected = nullptr;
    m_top.m_children.clear();
    notify([](TreeModelListener& l) { l.cleared(); });
    if (hadSelection)
        notify([](TreeModelListener& l) { l.selectionChanged(nullptr); });
}

void TreeModel::setText(TTreeNode* node, std::string text)
{
    node->m_text = std::move(text);
    notify([&](TreeModelListener& l) { l.nodeChanged(node); });
}

void TreeModel::setImages(TTreeNode* node, int imageIndex, int selectedIndex)
{
    node->m_imageIndex = imageIndex;
    node->m_selectedIndex = selectedIndex;
    notify([&](TreeModelListener& l) { l.nodeChanged(node); });
}

void TreeModel::setStateIndex(TTreeNode* node, int stateIndex)
{
    node->m_stateIndex = stateIndex;
    notify([&](TreeModelListener& l) { l.nodeChanged(node); });
}

void TreeModel::setExpanded(TTreeNode* node, bool expanded)
{
    if (!node || node->m_expanded == expanded)
        return;
    node->m_expanded = expanded;
    notify([&](TreeModelListener& l) { l.expansionChanged(node); });
}

void TreeModel::select(TTreeNode* node)
{
    if (node && !contains(node))
        node = nullptr;
    if (node == m_selected)
        return;
    m_selected = node;
    notify([&](TreeModelListener& l) { l.selectionChanged(node); });
}

void TreeModel::beginUpdate()
{
    if (m_updateDepth++ == 0)
        notify([](TreeModelListener& l) { l.updateBegun(); });
}

void TreeModel::endUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0)
        notify([](TreeModelListener& l) { l.updateEnded(); });
}

TreeModel::UpdateBracket::UpdateBracket(TreeModel& model, bool enabled)
    : m_model(enabled ? &model : nullptr)
{
    if (m_model)
        m_model->beginUpdate();
}

TreeModel::UpdateBracket::~UpdateBracket()
{
    if (m_model)
        m_model->endUpdate();
}

} // namespace lrl
