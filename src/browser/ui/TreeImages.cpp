#include "browser/ui/TreeImages.h"

#include "browser/BrowserConstants.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace lrl {

namespace {

// All pictures are designed on a 16-unit grid and scaled to the requested size.
constexpr qreal kGrid = 16.0;

const QColor kInk(0x30, 0x30, 0x38);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kPaperLit(0xFF, 0xF6, 0xC8);

// Draws text centred in box as bold outlines: letters letterHeight grid units high, or smaller when the
// text would not fit the box's width. Outlines scale with the picture (no font hinting at a few pixels),
// so that a label stays inside its band at every size and pixel density.
void drawFitted(QPainter& p, const QRectF& box, const QString& text, qreal letterHeight, const QColor& color)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty())
        return;
    const qreal scale = std::min(letterHeight / bounds.height(), box.width() * 0.9 / bounds.width());
    p.save();
    p.translate(box.center());
    p.scale(scale, scale);
    p.translate(-bounds.center());
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
    p.restore();
}

// A sheet with a folded corner and a coloured band at its top, in which a letter stands.
void drawSheet(QPainter& p, const QColor& band, const QString& letter, bool lit)
{
    QPainterPath sheet;
    sheet.moveTo(2.5, 0.5);
    sheet.lineTo(10.5, 0.5);
    sheet.lineTo(13.5, 3.5);
    sheet.lineTo(13.5, 15.5);
    sheet.lineTo(2.5, 15.5);
    sheet.closeSubpath();
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(lit ? kPaperLit : kPaper);
    p.drawPath(sheet);
    // Text lines on the sheet.
    p.setPen(QPen(QColor(0xA0, 0xA8, 0xB8), 1.0));
    for (qreal y = 10.5; y < 15; y += 2)
        p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    // The band with the kind's letter.
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(1, 3, 10, 6));
    drawFitted(p, QRectF(1, 3, 10, 6), letter, 4.2, Qt::white);
    // The folded corner.
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(0xD8, 0xDC, 0xE4));
    QPainterPath corner;
    corner.moveTo(10.5, 0.5);
    corner.lineTo(10.5, 3.5);
    corner.lineTo(13.5, 3.5);
    corner.closeSubpath();
    p.drawPath(corner);
}

// A disc with the routine kind's initial; the selected variant has a bright ring.
void drawRoutine(QPainter& p, const QColor& fill, const QString& letter, bool lit)
{
    QRectF disc(2, 2, 12, 12);
    if (lit) {
        p.setPen(QPen(QColor(0xFF, 0xC8, 0x20), 2.0));
        p.setBrush(fill.lighter(125));
    } else {
        p.setPen(QPen(fill.darker(150), 1.0));
        p.setBrush(fill);
    }
    p.drawEllipse(disc);
    drawFitted(p, disc, letter, 6.6, Qt::white);
}

// A box standing for a category: the class (a stack of members) or the plain routines.
void drawCategory(QPainter& p, const QColor& fill, const QString& letter, bool lit)
{
    QRectF box(1.5, 2.5, 13, 11);
    p.setPen(QPen(fill.darker(160), 1.0));
    p.setBrush(lit ? fill.lighter(130) : fill);
    p.drawRoundedRect(box, 2, 2);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.0));
    p.drawLine(QPointF(3, 5.5), QPointF(13, 5.5));
    drawFitted(p, QRectF(1.5, 5.5, 13, 8), letter, 5.8, Qt::white);
    if (lit) {
        p.setPen(QPen(QColor(0xFF, 0xC8, 0x20), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(box.adjusted(-0.5, -0.5, 0.5, 0.5), 2.5, 2.5);
    }
}

// The project: a closed book with the project's band.
void drawProject(QPainter& p)
{
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(0x2E, 0x5E, 0xAA));
    p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 12.5, 9, 2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF0, 0xC0, 0x30));
    p.drawRect(QRectF(4, 4, 9, 4));
    drawFitted(p, QRectF(4, 4, 9, 4), QStringLiteral("DPR"), 3.0, kInk);
}

// A form: a small window with a title bar and a button.
void drawForm(QPainter& p, bool lit)
{
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(lit ? kPaperLit : QColor(0xEC, 0xEC, 0xEC));
    p.drawRect(QRectF(0.5, 2.5, 15, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? QColor(0xE0, 0x80, 0x10) : QColor(0x1E, 0x5A, 0xC8));
    p.drawRect(QRectF(1, 3, 14, 3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(12, 3.8, 2, 1.4));
    p.setPen(QPen(QColor(0x80, 0x80, 0x88), 1.0));
    p.setBrush(QColor(0xD4, 0xD4, 0xD8));
    p.drawRect(QRectF(8.5, 10.5, 5, 2.5));
    p.setPen(QPen(QColor(0x80, 0x80, 0x88), 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 7.5, 8, 2));
}

// The options file: a sheet with a gear-like set of sliders.
void drawOptions(QPainter& p, bool lit)
{
    drawSheet(p, QColor(0x6A, 0x6A, 0x78), QStringLiteral("DOF"), lit);
}

// A print mark: 13 the whole file (a printer), 14 in separate pieces (stacked pages), 15 one item
// only (a single page with a 1).
void drawMark(QPainter& p, int index)
{
    const QColor mark(0x1A, 0x8A, 0x3A);
    if (index == 13) {
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0x70, 0x78, 0x88));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.5, 7, 5));
        p.setPen(Qt::NoPen);
        p.setBrush(mark);
        p.drawEllipse(QRectF(11.5, 7.5, 2, 2));
    } else if (index == 14) {
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(QColor(0xD8, 0xDC, 0xE4));
        p.drawRect(QRectF(5.5, 0.5, 9, 10));
        p.setBrush(QColor(0xEC, 0xEE, 0xF2));
        p.drawRect(QRectF(3.5, 2.5, 9, 10));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 4.5, 9, 10));
        p.setPen(QPen(mark, 1.5));
        p.drawLine(QPointF(3, 8), QPointF(9, 8));
        p.drawLine(QPointF(3, 11), QPointF(9, 11));
    } else {
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(kPaper);
        p.drawRect(QRectF(3.5, 0.5, 10, 14));
        drawFitted(p, QRectF(3.5, 1, 10, 14), QStringLiteral("1"), 7.4, mark);
    }
}

void drawMissing(QPainter& p)
{
    p.setPen(QPen(QColor(0x90, 0x90, 0x98), 1.0, Qt::DashLine));
    p.setBrush(QColor(0xF4, 0xF4, 0xF4));
    p.drawRect(QRectF(2.5, 0.5, 11, 15));
    p.setPen(QPen(QColor(0xD0, 0x20, 0x20), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
}

void drawImage(QPainter& p, int index)
{
    const QColor procedure(0x2E, 0x9E, 0x4A);
    const QColor function(0x2F, 0x6F, 0xD0);
    const QColor constructor(0xE0, 0x8A, 0x10);
    const QColor destructor(0xC8, 0x30, 0x30);
    const QColor unit(0x2F, 0x6F, 0xD0);
    switch (index) {
    case img::Project:
    case img::ProgramIcon:
        drawProject(p);
        break;
    case img::Form:
    case img::FormSelected:
        drawForm(p, index == img::FormSelected);
        break;
    case img::Unit:
    case img::UnitSelected:
        drawSheet(p, unit, QStringLiteral("PAS"), index == img::UnitSelected);
        break;
    case img::Procedure:
    case img::Procedure + 1:
        drawRoutine(p, procedure, QStringLiteral("P"), index != img::Procedure);
        break;
    case img::Function:
    case img::Function + 1:
        drawRoutine(p, function, QStringLiteral("F"), index != img::Function);
        break;
    case img::Constructor:
    case img::Constructor + 1:
        drawRoutine(p, constructor, QStringLiteral("C"), index != img::Constructor);
        break;
    case img::Destructor:
    case img::Destructor + 1:
        drawRoutine(p, destructor, QStringLiteral("D"), index != img::Destructor);
        break;
    case 13:
    case 14:
    case 15:
        drawMark(p, index);
        break;
    case img::Options:
    case img::OptionsSelected:
        drawOptions(p, index == img::OptionsSelected);
        break;
    case img::Class:
    case img::ClassSelected:
        drawCategory(p, QColor(0x7A, 0x4A, 0xB8), QStringLiteral("T"), index == img::ClassSelected);
        break;
    case img::ProcFunc:
    case img::ProcFuncSelected:
        drawCategory(p, QColor(0x2A, 0x8A, 0x8A), QStringLiteral("ƒ"), index == img::ProcFuncSelected);
        break;
    case img::Missing:
        drawMissing(p);
        break;
    default:
        break;
    }
}

} // namespace

TreeImages::TreeImages()
{
    for (int i = 0; i < kCount; ++i) {
        QIcon icon;
        icon.addPixmap(draw(i, kSize));
        icon.addPixmap(draw(i, kSize * 2));
        m_icons[static_cast<size_t>(i)] = icon;
    }
}

QPixmap TreeImages::draw(int index, int size, qreal devicePixelRatio)
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int pixels = std::max(1, qRound(size * dpr));
    QPixmap pixmap(pixels, pixels);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / kGrid, size / kGrid);
    drawImage(p, index);
    return pixmap;
}

QIcon TreeImages::icon(int index) const
{
    if (index < 0 || index >= kCount)
        return {};
    return m_icons[static_cast<size_t>(index)];
}

QPixmap TreeImages::pixmap(int index, int size) const
{
    QIcon i = icon(index);
    return i.isNull() ? QPixmap() : i.pixmap(size, size);
}

void TreeImages::setProgramIcon(const QIcon& icon)
{
    if (icon.isNull()) {
        QIcon drawn;
        drawn.addPixmap(draw(img::ProgramIcon, kSize));
        drawn.addPixmap(draw(img::ProgramIcon, kSize * 2));
        m_icons[img::ProgramIcon] = drawn;
    } else {
        m_icons[img::ProgramIcon] = icon;
    }
}

} // namespace lrl
