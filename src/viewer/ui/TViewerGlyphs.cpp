#include "viewer/ui/TViewerGlyphs.h"

#include <QPainter>
#include <QPolygon>

#include <array>

namespace lrl {

namespace {

    // Rows of a 3 x 5 digit, the top three bits of each entry used left to right.
    constexpr std::array<std::array<uint8_t, 5>, 10> kDigits = { {
        { 7, 5, 5, 5, 7 },
        { 2, 6, 2, 2, 7 },
        { 7, 1, 7, 4, 7 },
        { 7, 1, 7, 1, 7 },
        { 5, 5, 7, 1, 1 },
        { 7, 4, 7, 1, 7 },
        { 7, 4, 7, 5, 7 },
        { 7, 1, 1, 2, 2 },
        { 7, 5, 7, 5, 7 },
        { 7, 5, 7, 1, 7 },
    } };

    // Saves the painter's state and switches anti-aliasing off for pixel-exact drawing.
    class PixelScope {
    public:
        explicit PixelScope(QPainter& p)
            : m_p(p)
        {
            m_p.save();
            m_p.setRenderHint(QPainter::Antialiasing, false);
        }
        ~PixelScope() { m_p.restore(); }
        PixelScope(const PixelScope&) = delete;
        PixelScope& operator=(const PixelScope&) = delete;

    private:
        QPainter& m_p;
    };

    int centredTop(const QRect& cell, int height) { return cell.top() + (cell.height() - height) / 2; }

    void line(QPainter& p, int x1, int y1, int x2, int y2) { p.drawLine(x1, y1, x2, y2); }

    // Inverting ink: every pixel drawn turns into its complement.
    void invert(QPainter& p)
    {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Qt::white);
    }

} // namespace

void TViewerGlyphs::drawDigit(QPainter& p, int x, int y, int digit, int scale, const QColor& color)
{
    const auto& rows = kDigits[static_cast<size_t>(((digit % 10) + 10) % 10)];
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            if (rows[r] & (4 >> c))
                p.fillRect(x + c * scale, y + r * scale, scale, scale, color);
}

void TViewerGlyphs::drawWrapGlyph(QPainter& p, const QRect& cell)
{
    PixelScope scope(p);
    const int size = 11;
    int x = cell.left() + 3;
    int y = centredTop(cell, size);
    p.setPen(QPen(QColor(0, 0, 128), 1));
    // A hooked arrow: down on the right, then back to the left.
    line(p, x + 9, y + 1, x + 9, y + 7);
    line(p, x + 10, y + 1, x + 10, y + 8);
    line(p, x + 2, y + 7, x + 9, y + 7);
    line(p, x + 2, y + 8, x + 10, y + 8);
    line(p, x + 2, y + 7, x + 5, y + 4);
    line(p, x + 2, y + 8, x + 5, y + 11);
    line(p, x + 3, y + 7, x + 5, y + 5);
    line(p, x + 3, y + 8, x + 5, y + 10);
}

void TViewerGlyphs::drawBookmarkGlyph(QPainter& p, const QRect& cell, int number)
{
    PixelScope scope(p);
    const int w = 12;
    const int h = 14;
    int x = cell.left() + 3;
    int y = centredTop(cell, h);
    p.fillRect(x, y, w, h, QColor(0, 112, 112));
    p.setPen(QColor(0, 64, 64));
    p.drawRect(x, y, w - 1, h - 1);
    drawDigit(p, x + 3, y + 2, number, 2, Qt::white);
}

void TViewerGlyphs::drawBreakpointGlyph(QPainter& p, const QRect& cell)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const int d = 10;
    QRectF dot(cell.left() + 4, centredTop(cell, d), d, d);
    p.setPen(QPen(QColor(128, 0, 0), 1));
    p.setBrush(QColor(220, 30, 30));
    p.drawEllipse(dot.adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

void TViewerGlyphs::drawGutterMark(QPainter& p, const QRect& cell, int image)
{
    PixelScope scope(p);
    int x = cell.left() + 2;
    int y = cell.height() <= kMarkHeight ? cell.top() : centredTop(cell, kMarkHeight);
    QRect box(x, y, kMarkWidth, kMarkHeight);
    QPoint c = box.center();
    p.setPen(Qt::NoPen);
    switch (image) {
    case 0: // arrow to the right, green
        p.setBrush(QColor(0, 140, 0));
        p.drawPolygon(QPolygon({ QPoint(x + 3, y + 2), QPoint(x + 12, y + 8), QPoint(x + 3, y + 14) }));
        break;
    case 1: // blue disc
        p.setBrush(QColor(0, 80, 200));
        p.drawRect(x + 5, y + 3, 5, 10);
        p.drawRect(x + 3, y + 5, 9, 6);
        p.drawRect(x + 4, y + 4, 7, 8);
        break;
    case 2: // red square
        p.fillRect(x + 3, y + 4, 9, 9, QColor(200, 0, 0));
        break;
    case 3: // orange diamond
        p.setBrush(QColor(230, 130, 0));
        p.drawPolygon(QPolygon({ QPoint(c.x(), y + 2), QPoint(x + 13, c.y()), QPoint(c.x(), y + 14),
            QPoint(x + 1, c.y()) }));
        break;
    case 4: // check mark, green
        p.setPen(QPen(QColor(0, 140, 0), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawPolyline(QPolygon({ QPoint(x + 3, y + 8), QPoint(x + 6, y + 11), QPoint(x + 12, y + 4) }));
        break;
    case 5: // cross, red
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(x + 3, y + 4, x + 11, y + 12);
        p.drawLine(x + 11, y + 4, x + 3, y + 12);
        break;
    case 6: // exclamation mark, purple
        p.fillRect(x + 6, y + 2, 3, 8, QColor(128, 0, 128));
        p.fillRect(x + 6, y + 12, 3, 2, QColor(128, 0, 128));
        break;
    default: // a numbered box
        p.fillRect(box.adjusted(1, 1, -1, -1), QColor(255, 255, 224));
        p.setPen(QColor(96, 96, 96));
        p.drawRect(box.adjusted(1, 1, -2, -2));
        drawDigit(p, x + 6, y + 5, image, 1, QColor(0, 0, 0));
        break;
    }
}

void TViewerGlyphs::drawBlankMark(QPainter& p, const QRect& cell)
{
    PixelScope scope(p);
    invert(p);
    QPoint c = cell.center();
    p.fillRect(c.x() - 1 + (cell.width() % 2), c.y(), 2, 2, Qt::white);
}

void TViewerGlyphs::drawTabMark(QPainter& p, const QRect& span)
{
    PixelScope scope(p);
    invert(p);
    int y = span.center().y();
    int left = span.left() + 2;
    int right = span.right() - 2;
    if (right - left < 4)
        right = left + 4;
    p.drawLine(left, y, right, y);
    p.drawLine(right - 3, y - 3, right - 1, y - 1);
    p.drawLine(right - 3, y + 3, right - 1, y + 1);
}

void TViewerGlyphs::drawLineEndMark(QPainter& p, const QRect& cell, bool continued)
{
    PixelScope scope(p);
    invert(p);
    int x = cell.left() + 1;
    int h = std::min(cell.height() - 4, 11);
    int y = centredTop(cell, h);
    if (continued) {
        // A small hooked arrow.
        p.drawLine(x + 5, y + 1, x + 5, y + h - 3);
        p.drawLine(x + 1, y + h - 3, x + 4, y + h - 3);
        p.drawLine(x + 1, y + h - 3, x + 3, y + h - 5);
        p.drawLine(x + 1, y + h - 3, x + 3, y + h - 1);
        return;
    }
    // A pilcrow: a filled bowl on two stems.
    p.drawLine(x + 3, y, x + 3, y + h - 1);
    p.drawLine(x + 5, y, x + 5, y + h - 1);
    p.drawLine(x + 2, y, x + 2, y + 3);
    p.drawLine(x + 1, y + 1, x + 1, y + 2);
    p.drawLine(x + 4, y, x + 4, y);
}

} // namespace lrl
