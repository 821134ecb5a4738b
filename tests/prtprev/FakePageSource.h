#pragma once

// A page source for the preview printer's tests: a document of a fixed number of pages, each page a
// heading "Page n" and a few rows of coloured text, drawn the same way onto any painter. It keeps what the
// printer asked of it.

#include "prtprev/TPageSource.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>

#include <functional>
#include <vector>

namespace lrl::test {

class FakePageSource : public TPageSource {
public:
    explicit FakePageSource(int pages)
        : m_pages(pages)
    {
    }

    struct Request {
        TRect rect;
        int pageNo;
        QFont font;
        QBrush brush;
        QPen pen;
        int deviceDpiY;
        Qt::BGMode backgroundMode;
        QColor background;
    };
    std::vector<Request> requests;
    int updateDepth = 0;
    int updates = 0;
    int passes = 0;
    bool inPass = false;
    // Runs after the page is drawn, e.g. to change the painter's state for the next page.
    std::function<void(QPainter&, int pageNo)> afterPage;

    void beginUpdate() override
    {
        ++updateDepth;
        ++updates;
    }
    void endUpdate() override { --updateDepth; }
    void beginPrintPass() override
    {
        inPass = true;
        ++passes;
    }
    void endPrintPass() override { inPass = false; }

    bool renderPrintPage(QPainter& painter, const TRect& rect, int pageNo) override
    {
        requests.push_back({ rect, pageNo, painter.font(), painter.brush(), painter.pen(),
            painter.device()->logicalDpiY(), painter.backgroundMode(), painter.background().color() });
        drawPage(painter, rect, pageNo);
        if (afterPage)
            afterPage(painter, pageNo);
        return pageNo < m_pages;
    }

    // The page's drawing; tests draw it directly to compare with a recorded page.
    static void drawPage(QPainter& painter, const TRect& rect, int pageNo)
    {
        painter.save();
        QFont heading(QStringLiteral("Liberation Sans"));
        heading.setPointSize(14);
        heading.setBold(true);
        painter.setFont(heading);
        painter.setPen(Qt::black);
        int lineHeight = painter.fontMetrics().height();
        painter.drawText(rect.left, rect.top + lineHeight, QStringLiteral("Page %1").arg(pageNo));
        QFont body(QStringLiteral("Liberation Mono"));
        body.setPointSize(10);
        painter.setFont(body);
        const QColor colours[] = { Qt::darkBlue, Qt::darkGreen, Qt::red, Qt::black };
        int y = rect.top + 3 * lineHeight;
        int rowHeight = painter.fontMetrics().height();
        for (int row = 0; row < 8; ++row, y += rowHeight) {
            int x = rect.left;
            for (int run = 0; run < 4; ++run) {
                QString text = QStringLiteral("run%1.%2 ").arg(row).arg(run);
                painter.fillRect(x, y, painter.fontMetrics().horizontalAdvance(text), rowHeight,
                    run == 2 ? QColor(255, 255, 200) : QColor(Qt::white));
                painter.setPen(colours[run]);
                painter.drawText(x, y + painter.fontMetrics().ascent(), text);
                x += painter.fontMetrics().horizontalAdvance(text);
            }
        }
        painter.setPen(QPen(Qt::black, 3));
        painter.drawLine(rect.left, rect.bottom - 1, rect.right - 1, rect.bottom - 1);
        painter.restore();
    }

private:
    int m_pages;
};

} // namespace lrl::test
