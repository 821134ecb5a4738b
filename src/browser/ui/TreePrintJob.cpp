#include "browser/ui/TreePrintJob.h"

#include "browser/PrintOptionValues.h"
#include "browser/ui/TreePrintPainter.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace lrl {

TRect TreePrintJob::marginRect(const QPrinter& printer, const PrintOptionValues& values)
{
    using Margin = PrintOptionValues::Margin;
    const int dpi = printer.resolution();
    const QRect area = printer.pageLayout().paintRectPixels(dpi);
    auto px = [&](Margin m) { return static_cast<int>(std::lround(values.marginInches(m) * dpi)); };
    TRect r { px(Margin::Left), px(Margin::Top), area.width() - px(Margin::Right),
        area.height() - px(Margin::Bottom) };
    if (r.right <= r.left)
        r.right = r.left + 1;
    if (r.bottom <= r.top)
        r.bottom = r.top + 1;
    return r;
}

int TreePrintJob::print(QPrinter& printer, TreePrintout::Setup setup,
    const std::vector<TreePrintEntry>& entries, std::function<void()> processEvents)
{
    if (setup.pageWidth <= 0)
        setup.pageWidth = printer.pageLayout().paintRectPixels(printer.resolution()).width();
    if (setup.dateText.empty()) {
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale = QLocale::system();
        setup.dateText = (locale.toString(now.date(), QLocale::ShortFormat) + " - "
            + locale.toString(now.time(), QLocale::LongFormat))
                             .toStdString();
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    TreePrintPainter canvas(painter, printer, std::move(processEvents));
    const int pages = TreePrintout(setup, canvas).print(entries);
    painter.end();
    return pages;
}

} // namespace lrl
