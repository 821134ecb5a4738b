#include "widgets/TDFSColorButton.h"

#include "platform/StoredColor.h"

#include <QColorDialog>
#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>

#include <array>

namespace lrl {

namespace {

struct NamedColor {
    int32_t value; // 0x00BBGGRR
    const char* name;
};

constexpr std::array<NamedColor, 16> kStandard { {
    { 0x000000, "Black" },
    { 0x000080, "Maroon" },
    { 0x008000, "Green" },
    { 0x008080, "Olive" },
    { 0x800000, "Navy" },
    { 0x800080, "Purple" },
    { 0x808000, "Teal" },
    { 0x808080, "Gray" },
    { 0xC0C0C0, "Silver" },
    { 0x0000FF, "Red" },
    { 0x00FF00, "Lime" },
    { 0x00FFFF, "Yellow" },
    { 0xFF0000, "Blue" },
    { 0xFF00FF, "Fuchsia" },
    { 0xFFFF00, "Aqua" },
    { 0xFFFFFF, "White" },
} };

QIcon swatch(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

} // namespace

TDFSColorButton::TDFSColorButton(QWidget* parent)
    : QPushButton(parent)
    , m_menu(new QMenu(this))
{
    for (int i = 0; i < standardColorCount(); ++i) {
        int32_t value = kStandard[static_cast<size_t>(i)].value;
        QAction* action = m_menu->addAction(swatch(StoredColor::toQColor(value)),
            QString::fromLatin1(kStandard[static_cast<size_t>(i)].name), this,
            [this, value] { chooseColor(value); });
        action->setData(value);
    }
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Other..."), this, &TDFSColorButton::chooseOther);
    setMenu(m_menu);
    setMinimumWidth(kWidth);
}

void TDFSColorButton::setColorValue(int32_t color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TDFSColorButton::chooseColor(int32_t color)
{
    setColorValue(color);
    emit colorChanged(color);
}

int TDFSColorButton::standardColorCount() { return static_cast<int>(kStandard.size()); }

int32_t TDFSColorButton::standardColor(int index) { return kStandard.at(static_cast<size_t>(index)).value; }

const char* TDFSColorButton::standardColorName(int index)
{
    return kStandard.at(static_cast<size_t>(index)).name;
}

QSize TDFSColorButton::sizeHint() const
{
    QSize hint = QPushButton::sizeHint();
    return { std::max(hint.width(), kWidth), hint.height() };
}

void TDFSColorButton::chooseOther()
{
    QColor chosen = QColorDialog::getColor(StoredColor::toQColor(m_color, palette()), this);
    if (chosen.isValid())
        chooseColor(StoredColor::fromQColor(chosen));
}

// The button's frame and drop-down arrow as the style draws them, the swatch over its label area.
void TDFSColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QStyleOptionButton option;
    initStyleOption(&option);
    QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    int arrow = style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, this);
    QRect box = contents.adjusted(2, 3, -arrow - 4, -3);
    if (box.width() <= 0 || box.height() <= 0)
        return;
    QPainter p(this);
    QColor fill = StoredColor::toQColor(m_color, palette());
    if (!isEnabled())
        fill = palette().color(QPalette::Disabled, QPalette::Button);
    p.fillRect(box, fill);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawRect(box.adjusted(0, 0, -1, -1));
}

void TDFSColorButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange)
        update();
}

} // namespace lrl
