#include "prtprev/TPageBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace lrl {

TPageBox::TPageBox(QWidget* parent)
    : QWidget(parent)
{
}

void TPageBox::paintEvent(QPaintEvent*)
{
    if (!paintPage)
        return;
    QPainter painter(this);
    paintPage(painter, size());
}

void TPageBox::mousePressEvent(QMouseEvent* event)
{
    if (!mouseDown)
        return;
    QPoint at = event->position().toPoint();
    mouseDown(at.x(), at.y(), event->buttons() & Qt::LeftButton, event->buttons() & Qt::RightButton);
}

void TPageBox::mouseMoveEvent(QMouseEvent* event)
{
    if (mouseMoved) {
        QPoint at = event->position().toPoint();
        mouseMoved(at.x(), at.y());
    }
}

void TPageBox::mouseReleaseEvent(QMouseEvent*)
{
    if (mouseUp)
        mouseUp();
}

} // namespace lrl
