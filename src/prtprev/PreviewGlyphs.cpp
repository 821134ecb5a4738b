#include "prtprev/PreviewGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lrl {

namespace {

constexpr int kSize = 20;

void drawTriangle(QPainter& p, double tipX, bool pointsLeft)
{
    QPainterPath path;
    double back = pointsLeft ? tipX + 6 : tipX - 6;
    path.moveTo(tipX, 10);
    path.lineTo(back, 4);
    path.lineTo(back, 16);
    path.closeSubpath();
    p.fillPath(path, QColor(30, 30, 30));
}

void drawPaper(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (double y = r.top() + 3; y < r.bottom() - 2; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void drawGlyph(QPainter& p, PreviewGlyph glyph)
{
    switch (glyph) {
    case PreviewGlyph::First:
        p.fillRect(QRectF(4, 4, 2, 12), QColor(30, 30, 30));
        drawTriangle(p, 7, true);
        break;
    case PreviewGlyph::Previous:
        drawTriangle(p, 7, true);
        break;
    case PreviewGlyph::Next:
        drawTriangle(p, 13, false);
        break;
    case PreviewGlyph::Last:
        drawTriangle(p, 13, false);
        p.fillRect(QRectF(14, 4, 2, 12), QColor(30, 30, 30));
        break;
    case PreviewGlyph::OnePage:
        drawPaper(p, QRectF(5.5, 2.5, 9, 15));
        break;
    case PreviewGlyph::TwoPages:
        drawPaper(p, QRectF(1.5, 3.5, 8, 13));
        drawPaper(p, QRectF(10.5, 3.5, 8, 13));
        break;
    case PreviewGlyph::FitPage:
        drawPaper(p, QRectF(6.5, 3.5, 7, 13));
        p.setPen(QPen(QColor(0, 70, 160), 1.5));
        p.drawLine(QPointF(3, 2), QPointF(3, 18));
        p.drawLine(QPointF(17, 2), QPointF(17, 18));
        p.drawLine(QPointF(1, 2), QPointF(5, 2));
        p.drawLine(QPointF(1, 18), QPointF(5, 18));
        break;
    case PreviewGlyph::FitWidth:
        drawPaper(p, QRectF(3.5, 5.5, 13, 9));
        p.setPen(QPen(QColor(0, 70, 160), 1.5));
        p.drawLine(QPointF(2, 17), QPointF(18, 17));
        p.drawLine(QPointF(2, 15), QPointF(2, 19));
        p.drawLine(QPointF(18, 15), QPointF(18, 19));
        break;
    case PreviewGlyph::Print:
        drawPaper(p, QRectF(5.5, 1.5, 9, 7));
        p.setPen(QPen(QColor(50, 50, 50), 1));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(1.5, 7.5, 17, 7), 1.5, 1.5);
        drawPaper(p, QRectF(5.5, 12.5, 9, 6));
        break;
    case PreviewGlyph::Close:
        p.setPen(QPen(QColor(170, 20, 20), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(15, 15));
        p.drawLine(QPointF(15, 5), QPointF(5, 15));
        break;
    }
}

} // namespace

QIcon previewGlyph(PreviewGlyph glyph)
{
    QIcon icon;
    for (int scale : { 1, 2 }) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        drawGlyph(p, glyph);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QCursor zoomCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // The handle, then the lens with a white face and a black rim drawn over a white halo, so the cursor
    // shows on white paper and on the grey surface alike.
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 17), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 17), QPointF(28, 28));
    p.setPen(QPen(Qt::white, 4));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(11, 11), 8, 8);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QPointF(11, 11), 8, 8);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(7, 11), QPointF(15, 11));
    p.drawLine(QPointF(11, 7), QPointF(11, 15));
    p.end();
    return QCursor(pixmap, 11, 11);
}

} // namespace lrl
