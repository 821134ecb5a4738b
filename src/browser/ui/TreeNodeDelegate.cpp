#include "browser/ui/TreeNodeDelegate.h"

#include "browser/ui/TreeImages.h"
#include "browser/ui/TreeItemModel.h"

#include <QPainter>

namespace lrl {

namespace {

constexpr int kMarkWidth = TreeImages::kSize + 2;

int markOf(const QModelIndex& index)
{
    QVariant v = index.data(TreeItemModel::StateIndexRole);
    return v.isValid() ? v.toInt() : -1;
}

} // namespace

TreeNodeDelegate::TreeNodeDelegate(const TreeImages& images, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_images(images)
{
}

void TreeNodeDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    int mark = markOf(index);
    if (mark < 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QRect markRect(option.rect.left(), option.rect.top() + (option.rect.height() - TreeImages::kSize) / 2,
        TreeImages::kSize, TreeImages::kSize);
    // The icon picks its picture for the screen's pixel density (the larger one on a scaled screen).
    m_images.icon(mark).paint(painter, markRect);
    QStyleOptionViewItem rest(option);
    rest.rect.setLeft(option.rect.left() + kMarkWidth);
    QStyledItemDelegate::paint(painter, rest, index);
}

QSize TreeNodeDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (markOf(index) >= 0)
        size.rwidth() += kMarkWidth;
    return size;
}

} // namespace lrl
