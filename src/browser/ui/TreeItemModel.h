#pragma once

#include "browser/TreeModelListener.h"

#include <QAbstractItemModel>

#include <vector>

namespace lrl {

class TreeImages;
class TreeModel;
class TTreeNode;

// The project tree (TreeModel) as a Qt item model for treView: one column, the caption as display text,
// the node's image as decoration (its selected image while it is the tree's selected node), and the
// print mark, the routine offset and the node itself under the roles below. Every change of the tree
// reaches the view through the model's own notifications; expansion, selection and update brackets of
// the tree come out as signals for the view.
class TreeItemModel : public QAbstractItemModel, private TreeModelListener {
    Q_OBJECT
public:
    enum Role {
        NodeRole = Qt::UserRole + 1, // const TTreeNode* as a quintptr
        StateIndexRole, // the print mark, -1 for none
        DataRole, // the routine offset, or an invalid QVariant
        ImageIndexRole, // the image shown now (selected image for the selected node)
    };

    TreeItemModel(TreeModel& tree, const TreeImages& images, QObject* parent = nullptr);
    ~TreeItemModel() override;

    TreeModel& tree() { return m_tree; }
    QModelIndex indexOf(const TTreeNode* node) const;
    static TTreeNode* nodeAt(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The tree asked for a node to be expanded or collapsed.
    void expansionRequested(const QModelIndex& index, bool expanded);
    // The tree's selected node changed (invalid index: none).
    void selectionRequested(const QModelIndex& index);
    // The outermost update bracket of the tree opened (true) or closed (false).
    void updating(bool on);

private:
    void nodeAboutToBeAdded(const TTreeNode* parent, int row) override;
    void nodeAdded(const TTreeNode* node) override;
    void nodeAboutToBeRemoved(const TTreeNode* node) override;
    void nodeRemoved(const TTreeNode* parent, int row) override;
    void aboutToClear() override;
    void cleared() override;
    void nodeChanged(const TTreeNode* node) override;
    void expansionChanged(const TTreeNode* node) override;
    void selectionChanged(const TTreeNode* node) override;
    void updateBegun() override;
    void updateEnded() override;

    TreeModel& m_tree;
    const TreeImages& m_images;
    const TTreeNode* m_selected = nullptr;
};

} // namespace lrl
