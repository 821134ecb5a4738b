#pragma once

// A page source over the lines of a real unit, for pictures of the preview: a header with the file name
// and a rule, 52 lines a page in a fixed-pitch font, comments in green and a page number at the foot.
// Only a stand-in for the viewer's own pages.

#include "prtprev/TPageSource.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

namespace lrl::test {

class SampleUnitSource : public TPageSource {
public:
    static constexpr int kLinesPerPage = 52;

    explicit SampleUnitSource(const QString& path)
        : m_name(path.section('/', -1))
    {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            m_lines = QString::fromLatin1(file.readAll()).remove('\r').split('\n');
    }

    void beginUpdate() override { }
    void endUpdate() override { }

    bool renderPrintPage(QPainter& painter, const TRect& r, int pageNo) override
    {
        QFont font(QStringLiteral("Courier New"));
        font.setPointSize(9);
        painter.setFont(font);
        QFontMetrics fm = painter.fontMetrics();
        int lh = fm.height();
        painter.setPen(Qt::black);
        painter.drawText(r.left, r.top + fm.ascent(), m_name);
        painter.drawLine(r.left, r.top + 2 * lh, r.right, r.top + 2 * lh);
        int y = r.top + 3 * lh;
        int first = (pageNo - 1) * kLinesPerPage;
        for (int i = first; i < first + kLinesPerPage && i < m_lines.size(); ++i, y += lh) {
            QString line = m_lines[i];
            QString trimmed = line.trimmed();
            bool comment = trimmed.startsWith("//") || trimmed.startsWith('{');
            painter.setPen(comment ? QColor(0, 128, 0) : QColor(Qt::black));
            painter.drawText(r.left, y + fm.ascent(), QStringLiteral("%1: ").arg(i + 1, 5) + line);
        }
        painter.setPen(Qt::black);
        painter.drawLine(r.left, r.bottom - 3 * lh, r.right, r.bottom - 3 * lh);
        painter.drawText(QRect(r.left, r.bottom - 5 * lh / 2, r.width(), lh), Qt::AlignHCenter,
            QStringLiteral("- %1 -").arg(pageNo));
        return pageNo * kLinesPerPage < m_lines.size();
    }

private:
    QString m_name;
    QStringList m_lines;
};

} // namespace lrl::test
