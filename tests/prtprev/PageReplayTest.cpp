// A recorded page replayed onto an image is the page the source draws directly onto an image of the
// same resolution, pixel for pixel; and a page recorded at the screen's resolution prints at its size.

#include "BlankPage.h"
#include "FakePageSource.h"
#include "PdfPrinter.h"
#include "prtprev/TPageMetaFile.h"
#include "prtprev/TPreviewPrinter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

using namespace lrl;
using lrl::test::blankPage;
using lrl::test::FakePageSource;
using lrl::test::PdfPrinter;

namespace {

TEST(PageReplay, ARecordedPageGivesTheSamePixelsAsDrawingDirectly)
{
    constexpr int dpi = 150;
    PdfPrinter pdf(dpi);
    TPreviewPrinter printer;
    printer.setPrinter(pdf.printer.get());
    printer.textOptions().marginLeft = printer.textOptions().marginTop = 0.5;
    printer.textOptions().marginRight = printer.textOptions().marginBottom = 0.5;
    FakePageSource source(3);
    printer.printMemo(source);
    ASSERT_EQ(printer.pageCount(), 3);
    TRect rect = printer.getPageRect();

    for (int page = 1; page <= 3; ++page) {
        QImage replayed = blankPage(printer.pageWidth(), printer.pageHeight(), dpi);
        {
            QPainter painter(&replayed);
            printer.pages(page - 1).replay(painter, 1.0, 1.0);
        }
        QImage direct = blankPage(printer.pageWidth(), printer.pageHeight(), dpi);
        {
            QPainter painter(&direct);
            painter.setFont(QFont(QStringLiteral("Arial"), 10));
            FakePageSource::drawPage(painter, rect, page);
        }
        EXPECT_TRUE(replayed == direct) << "page " << page;
        // Not a blank page on both sides: the text is there.
        EXPECT_NE(replayed.pixel(rect.left + 5, rect.bottom - 2), QColor(Qt::white).rgb());
    }
}

// The darkest row of a column of an image, from top.
int darkRowNear(const QImage& image, int x, int fromY, int toY)
{
    for (int y = std::max(fromY, 0); y < std::min(toY, image.height()); ++y)
        if (qGray(image.pixel(x, y)) < 100)
            return y;
    return -1;
}

TEST(PageReplay, APageRecordedAgainstTheScreenPrintsAtItsPaperSize)
{
    TPreviewPrinter printer; // no printer: recorded at the screen's resolution
    FakePageSource source(1);
    printer.printMemo(source);
    const int screenDpi = printer.pages(0).referenceDpiY();
    const int ruleY = printer.getPageRect().bottom - 1; // the source's rule at the foot of the page

    PdfPrinter pdf(300, QMarginsF(0, 0, 0, 0));
    printer.setPrinter(pdf.printer.get());
    ASSERT_TRUE(printer.print());
    std::string png = (pdf.dir.path() / "page").string();
    ASSERT_EQ(std::system(("pdftoppm -r 300 -png -singlefile '" + pdf.file() + "' '" + png + "'").c_str()), 0);
    QImage paper(QString::fromStdString(png + ".png"));
    ASSERT_EQ(paper.size(), QSize(2550, 3300));
    // At 300 dpi the rule lies 300 / screen dpi times further down, not where the screen put it.
    int expected = ruleY * 300 / screenDpi;
    EXPECT_NEAR(darkRowNear(paper, 1200, expected - 20, expected + 20), expected, 6);
    EXPECT_EQ(darkRowNear(paper, 1200, ruleY - 5, ruleY + 5), -1);
}

} // namespace
