#include "browser/ui/TreeItemModel.h"

#include "browser/TreeModel.h"
#include "browser/ui/TreeImages.h"

namespace lrl {

TreeItemModel::TreeItemModel(TreeModel& tree, const TreeImages& images, QObject* parent)
    : QAbstractItemModel(parent)
    , m_tree(tree)
    , m_images(images)
    , m_selected(tree.selected())
{
    m_tree.addListener(this);
}

TreeItemModel::~TreeItemModel() { m_tree.removeListener(this); }

TTreeNode* TreeItemModel::nodeAt(const QModelIndex& index)
{
    return index.isValid() ? static_cast<TTreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TreeItemModel::indexOf(const TTreeNode* node) const
{
    if (!node)
        return {};
    return createIndex(node->index(), 0, const_cast<TTreeNode*>(node));
}

QModelIndex TreeItemModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    const TTreeNode* p = nodeAt(parent);
    size_t count = p ? p->count() : m_tree.topCount();
    if (static_cast<size_t>(row) >= count)
        return {};
    TTreeNode* node = p ? p->child(static_cast<size_t>(row)) : m_tree.top(static_cast<size_t>(row));
    return createIndex(row, 0, node);
}

QModelIndex TreeItemModel::parent(const QModelIndex& child) const
{
    const TTreeNode* node = nodeAt(child);
    return node ? indexOf(node->parent()) : QModelIndex();
}

int TreeItemModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    const TTreeNode* p = nodeAt(parent);
    return static_cast<int>(p ? p->count() : m_tree.topCount());
}

int TreeItemModel::columnCount(const QModelIndex&) const { return 1; }

QVariant TreeItemModel::data(const QModelIndex& index, int role) const
{
    const TTreeNode* node = nodeAt(index);
    if (!node)
        return {};
    int image = node == m_selected ? node->selectedIndex() : node->imageIndex();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(node->text());
    case Qt::DecorationRole:
        return m_images.icon(image);
    case NodeRole:
        return QVariant::fromValue(reinterpret_cast<quintptr>(node));
    case StateIndexRole:
        return node->stateIndex();
    case DataRole:
        return node->data() ? QVariant(*node->data()) : QVariant();
    case ImageIndexRole:
        return image;
    default:
        return {};
    }
}

Qt::ItemFlags TreeItemModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void TreeItemModel::nodeAboutToBeAdded(const TTreeNode* parent, int row)
{
    beginInsertRows(indexOf(parent), row, row);
}

void TreeItemModel::nodeAdded(const TTreeNode*) { endInsertRows(); }

void TreeItemModel::nodeAboutToBeRemoved(const TTreeNode* node)
{
    // The selected node may go with the branch; the tree reports the empty selection after the removal.
    for (const TTreeNode* n = m_selected; n; n = n->parent())
        if (n == node)
            m_selected = nullptr;
    int row = node->index();
    beginRemoveRows(indexOf(node->parent()), row, row);
}

void TreeItemModel::nodeRemoved(const TTreeNode*, int) { endRemoveRows(); }

void TreeItemModel::aboutToClear()
{
    beginResetModel();
    m_selected = nullptr;
}

void TreeItemModel::cleared() { endResetModel(); }

void TreeItemModel::nodeChanged(const TTreeNode* node)
{
    QModelIndex i = indexOf(node);
    emit dataChanged(i, i);
}

void TreeItemModel::expansionChanged(const TTreeNode* node)
{
    emit expansionRequested(indexOf(node), node->expanded());
}

// The selected node shows its selected image, so both the old and the new node repaint.
void TreeItemModel::selectionChanged(const TTreeNode* node)
{
    const TTreeNode* old = m_selected;
    m_selected = node;
    if (old && old != node) {
        QModelIndex i = indexOf(old);
        emit dataChanged(i, i, { Qt::DecorationRole, ImageIndexRole });
    }
    QModelIndex now = indexOf(node);
    if (node)
        emit dataChanged(now, now, { Qt::DecorationRole, ImageIndexRole });
    emit selectionRequested(now);
}

void TreeItemModel::updateBegun() { emit updating(true); }

void TreeItemModel::updateEnded() { emit updating(false); }

} // namespace lrl
