#include "widgets/PathLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace lrl {

namespace {

const QString kEllipsis = QStringLiteral("...");

bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

} // namespace

PathLabel::PathLabel(QWidget* parent)
    : QFrame(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void PathLabel::setPath(const QString& path)
{
    if (path == m_path)
        return;
    m_path = path;
    setToolTip(path);
    updateGeometry();
    update();
}

QString PathLabel::shorten(const QString& path, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    // Drop whole folders from the left: "...\" + the rest from a separator on.
    for (int i = 1; i < path.size(); ++i) {
        if (!isSeparator(path[i]))
            continue;
        QString candidate = kEllipsis + path.mid(i);
        if (metrics.horizontalAdvance(candidate) <= width)
            return candidate;
    }
    // Even "...\name" is too wide: cut characters off the start of what is left.
    for (int i = 1; i < path.size(); ++i) {
        QString candidate = kEllipsis + path.mid(i);
        if (metrics.horizontalAdvance(candidate) <= width)
            return candidate;
    }
    return kEllipsis;
}

QString PathLabel::shownText() const
{
    QRect r = contentsRect();
    return shorten(m_path, fontMetrics(), r.width() - 4);
}

QSize PathLabel::sizeHint() const
{
    QFontMetrics fm = fontMetrics();
    int frame = 2 * frameWidth();
    return { fm.horizontalAdvance(m_path) + 4 + frame, fm.height() + 4 + frame };
}

QSize PathLabel::minimumSizeHint() const
{
    QFontMetrics fm = fontMetrics();
    int frame = 2 * frameWidth();
    return { fm.horizontalAdvance(kEllipsis) + 4 + frame, fm.height() + 4 + frame };
}

void PathLabel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    QRect r = contentsRect().adjusted(2, 0, -2, 0);
    p.setPen(palette().color(foregroundRole()));
    p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, shownText());
}

} // namespace lrl
