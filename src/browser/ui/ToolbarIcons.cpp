#include "browser/ui/ToolbarIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace lrl {

namespace {

// The outlines and strokes: dark on a light toolbar, light on a dark desktop's.
QColor ink()
{
    const bool dark = QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
    return dark ? QColor(0xD8, 0xDA, 0xE2) : QColor(0x30, 0x30, 0x38);
}
const QColor kPaper(0xFF, 0xFF, 0xFF);
// Strokes drawn on white paper.
const QColor kPaperInk(0x30, 0x30, 0x38);
// The blue that stands out on light and on dark toolbars.
const QColor kAccent(0x3A, 0x7B, 0xDC);

void drawFolder(QPainter& p)
{
    p.setPen(QPen(QColor(0x9A, 0x6A, 0x10), 1.0));
    p.setBrush(QColor(0xE8, 0xB8, 0x40));
    QPainterPath back;
    back.moveTo(0.5, 3.5);
    back.lineTo(5.5, 3.5);
    back.lineTo(7, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.lineTo(0.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(0xF6, 0xD0, 0x60));
    QPainterPath front;
    front.moveTo(2.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(13.5, 13.5);
    front.lineTo(0.5, 13.5);
    front.closeSubpath();
    p.drawPath(front);
}

void drawLens(QPainter& p, const QRectF& lens, const QPointF& handleEnd)
{
    p.setPen(QPen(ink(), 1.5));
    p.setBrush(QColor(0xCF, 0xE4, 0xFF, 220));
    p.drawEllipse(lens);
    const qreal r = lens.width() / 2 * 0.7071;
    p.setPen(QPen(ink(), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(lens.center() + QPointF(r + 0.6, r + 0.6), handleEnd);
}

// A magnifying glass alone.
void drawFind(QPainter& p) { drawLens(p, QRectF(1.0, 1.0, 9.5, 9.5), QPointF(14.8, 14.8)); }

// A printed page under a magnifying glass.
void drawPreview(QPainter& p)
{
    p.setPen(QPen(ink(), 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(0.5, 0.5, 10, 13));
    p.setPen(QPen(QColor(0xA0, 0xA8, 0xB8), 1.0));
    for (qreal y = 3.5; y < 13; y += 2)
        p.drawLine(QPointF(2.5, y), QPointF(8.5, y));
    drawLens(p, QRectF(5.5, 5.5, 6.5, 6.5), QPointF(14.6, 14.6));
}

void drawPrinter(QPainter& p)
{
    p.setPen(QPen(ink(), 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 0.5, 7, 5));
    p.setBrush(QColor(0x70, 0x78, 0x88));
    p.drawRoundedRect(QRectF(0.5, 5.5, 15, 6), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 9.5, 9, 6));
    p.setPen(QPen(QColor(0x1A, 0x8A, 0x3A), 1.0));
    p.drawLine(QPointF(5, 12), QPointF(11, 12));
    p.drawLine(QPointF(5, 14), QPointF(9, 14));
}

// The printer, smaller, at the lower right, with a three-node outline above it at the left.
void drawPrintTree(QPainter& p)
{
    p.save();
    p.translate(4, 4);
    p.scale(0.75, 0.75);
    drawPrinter(p);
    p.restore();
    p.setPen(QPen(QColor(0x1E, 0x4A, 0x9A), 1.0));
    p.drawLine(QPointF(2.5, 3), QPointF(2.5, 8.5));
    p.drawLine(QPointF(2.5, 5.5), QPointF(5, 5.5));
    p.drawLine(QPointF(2.5, 8.5), QPointF(5, 8.5));
    p.setBrush(kAccent);
    p.drawRect(QRectF(0.5, 0.5, 4, 3));
    p.setBrush(QColor(0xE8, 0xB8, 0x40));
    p.drawRect(QRectF(5, 4.5, 3, 2));
}

// The printer with a cog wheel at the lower right.
void drawPrinterSetup(QPainter& p)
{
    drawPrinter(p);
    const QPointF centre(12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    for (int tooth = 0; tooth < 8; ++tooth) {
        p.save();
        p.translate(centre);
        p.rotate(tooth * 45.0);
        p.drawRect(QRectF(-1.0, -4.2, 2.0, 2.4));
        p.restore();
    }
    p.drawEllipse(centre, 3.0, 3.0);
    p.setBrush(kPaper);
    p.drawEllipse(centre, 1.1, 1.1);
}

// A small branch with a minus and a plus box.
void drawCollapseExpand(QPainter& p)
{
    p.setPen(QPen(QColor(0x80, 0x88, 0x98), 1.0));
    p.drawLine(QPointF(4.5, 6), QPointF(4.5, 12.5));
    p.drawLine(QPointF(4.5, 12.5), QPointF(9, 12.5));
    p.setPen(QPen(ink(), 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(0.5, 0.5, 8, 8));
    p.drawRect(QRectF(7.5, 8.5, 7, 7));
    // The minus and the plus stand on the white boxes: dark on any toolbar.
    p.setPen(QPen(kPaperInk, 1.0));
    p.drawLine(QPointF(2.5, 4.5), QPointF(6.5, 4.5));
    p.drawLine(QPointF(9.5, 12), QPointF(12.5, 12));
    p.drawLine(QPointF(11, 10.5), QPointF(11, 13.5));
}

void drawWrap(QPainter& p)
{
    p.setPen(QPen(ink(), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1, 3), QPointF(14, 3));
    p.drawLine(QPointF(1, 13), QPointF(6, 13));
    QPainterPath hook;
    hook.moveTo(1, 8);
    hook.lineTo(12, 8);
    hook.arcTo(QRectF(9.5, 8, 5, 5), 90, -180);
    hook.lineTo(9, 13);
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.drawLine(QPointF(9, 13), QPointF(11, 11));
    p.drawLine(QPointF(9, 13), QPointF(11, 15));
}

void drawQuestion(QPainter& p)
{
    p.setPen(QPen(QColor(0x1E, 0x4A, 0x9A), 1.0));
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0.5, 0.5, 15, 15), Qt::AlignCenter, QStringLiteral("?"));
}

void drawExit(QPainter& p)
{
    p.setPen(QPen(ink(), 1.0));
    p.setBrush(QColor(0xB0, 0x7A, 0x40));
    p.drawRect(QRectF(1.5, 0.5, 8, 15));
    p.setPen(QPen(QColor(0xC8, 0x30, 0x30), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(15, 8));
    p.drawLine(QPointF(15, 8), QPointF(12, 5));
    p.drawLine(QPointF(15, 8), QPointF(12, 11));
}

} // namespace

QPixmap ToolbarIcons::draw(Kind kind, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    switch (kind) {
    case Open:
        drawFolder(p);
        break;
    case Find:
        drawFind(p);
        break;
    case Print:
        drawPrinter(p);
        break;
    case PrintTree:
        drawPrintTree(p);
        break;
    case PrinterSetup:
        drawPrinterSetup(p);
        break;
    case Preview:
        drawPreview(p);
        break;
    case CollapseExpand:
        drawCollapseExpand(p);
        break;
    case WordWrap:
        drawWrap(p);
        break;
    case Help:
        drawQuestion(p);
        break;
    case Exit:
        drawExit(p);
        break;
    }
    return pixmap;
}

namespace {

// Draws the picture whenever a button asks for it, so that it follows the desktop's palette also when
// that changes while the program runs (a switch to a dark theme).
class ToolbarIconEngine : public QIconEngine {
public:
    explicit ToolbarIconEngine(ToolbarIcons::Kind kind)
        : m_kind(kind)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), picture);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        QPixmap picture = ToolbarIcons::draw(m_kind, std::max(1, std::min(size.width(), size.height())));
        if (mode != QIcon::Disabled)
            return picture;
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }

    QIconEngine* clone() const override { return new ToolbarIconEngine(m_kind); }

private:
    ToolbarIcons::Kind m_kind;
};

} // namespace

QIcon ToolbarIcons::icon(Kind kind) { return QIcon(new ToolbarIconEngine(kind)); }

} // namespace lrl
