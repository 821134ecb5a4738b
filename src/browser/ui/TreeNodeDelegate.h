#pragma once

#include <QStyledItemDelegate>

namespace lrl {

class TreeImages;

// Paints a tree node as the tree control does with a state image list: a node that carries a print mark
// shows the mark's image in front of its own image; nodes without a mark look as usual.
class TreeNodeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TreeNodeDelegate(const TreeImages& images, QObject* parent = nullptr);

    void paint(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const TreeImages& m_images;
};

} // namespace lrl
