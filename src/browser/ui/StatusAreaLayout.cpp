#include "browser/ui/StatusAreaLayout.h"

#include <QWidget>

#include <algorithm>

namespace lrl {

StatusAreaLayout::StatusAreaLayout(
    QWidget* area, QWidget* panel3, QWidget* panel4, QWidget* panel5, QWidget* abortButton)
    : QLayout(area)
{
    setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : { panel3, panel4, panel5, abortButton }) {
        w->setParent(area);
        m_items.append(new QWidgetItem(w));
    }
}

StatusAreaLayout::~StatusAreaLayout() { qDeleteAll(m_items); }

// The four places are fixed; nothing else is laid out here.
void StatusAreaLayout::addItem(QLayoutItem* item) { delete item; }

int StatusAreaLayout::count() const { return static_cast<int>(m_items.size()); }

QLayoutItem* StatusAreaLayout::itemAt(int index) const { return m_items.value(index); }

QLayoutItem* StatusAreaLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

int StatusAreaLayout::rowHeight() const
{
    int h = 0;
    for (QLayoutItem* item : m_items)
        h = std::max(h, item->sizeHint().height());
    return h;
}

QSize StatusAreaLayout::sizeHint() const
{
    if (m_items.size() != SlotCount)
        return {};
    int w = m_items[Panel3]->sizeHint().width() + kPanel4Gap + 100 + kPanel4Gap + m_items[Abort]->sizeHint().width();
    return { w, 2 * rowHeight() + kRowGap };
}

QSize StatusAreaLayout::minimumSize() const
{
    if (m_items.size() != SlotCount)
        return {};
    return { m_items[Abort]->sizeHint().width() + kPanel5Gap + 1, 2 * rowHeight() + kRowGap };
}

void StatusAreaLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    if (m_items.size() != SlotCount)
        return;
    int h = rowHeight();
    int abortWidth = m_items[Abort]->sizeHint().width();
    int abortLeft = rect.right() + 1 - abortWidth;
    int secondRow = rect.top() + h + kRowGap;

    int panel3Width = std::min(m_items[Panel3]->sizeHint().width(), std::max(abortLeft - rect.left(), 0));
    m_items[Panel3]->setGeometry(QRect(rect.left(), rect.top(), panel3Width, h));
    int panel4Left = rect.left() + panel3Width + kPanel4Gap;
    m_items[Panel4]->setGeometry(QRect(panel4Left, rect.top(), std::max(abortLeft - kPanel4Gap - panel4Left, 0), h));
    m_items[Panel5]->setGeometry(QRect(rect.left(), secondRow, std::max(rect.width() - abortWidth - kPanel5Gap, 0), h));
    m_items[Abort]->setGeometry(QRect(abortLeft, secondRow, abortWidth, h));
}

} // namespace lrl
