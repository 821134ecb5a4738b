#include "browser/ui/TreePrintPainter.h"

#include "platform/StoredColor.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace lrl {

TreePrintPainter::TreePrintPainter(QPainter& painter, QPrinter& printer, std::function<void()> processEvents)
    : m_painter(painter)
    , m_printer(printer)
    , m_processEvents(std::move(processEvents))
{
    setFont(m_font);
}

int TreePrintPainter::resolution() const { return m_printer.resolution(); }

void TreePrintPainter::setFont(const Font& font)
{
    m_font = font;
    QFont f(QString::fromStdString(font.name));
    f.setPointSize(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    m_painter.setFont(f);
    // Printed on white paper: a system colour comes from the light default palette.
    m_painter.setPen(StoredColor::toQColor(font.color, QPalette()));
}

int TreePrintPainter::lineHeight() const
{
    return static_cast<int>(std::lround(m_font.size * m_painter.device()->logicalDpiY() / 72.0));
}

int TreePrintPainter::textWidth(const std::string& text) const
{
    return m_painter.fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

void TreePrintPainter::textOut(int x, int y, const std::string& text)
{
    if (aborted())
        return;
    m_painter.drawText(x, y + m_painter.fontMetrics().ascent(), QString::fromStdString(text));
}

void TreePrintPainter::line(int x1, int x2, int y)
{
    if (aborted())
        return;
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, resolution() / 300));
    const QPen old = m_painter.pen();
    m_painter.setPen(pen);
    m_painter.drawLine(x1, y, x2, y);
    m_painter.setPen(old);
}

void TreePrintPainter::newPage()
{
    if (!aborted())
        m_printer.newPage();
}

void TreePrintPainter::processEvents()
{
    if (m_processEvents)
        m_processEvents();
}

bool TreePrintPainter::aborted() const { return m_printer.printerState() == QPrinter::Aborted; }

} // namespace lrl
