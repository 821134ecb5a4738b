// The page-recording printer: documents and their pages, the page canvas's state from page to page, the
// device metrics and the page rectangle, recording a page source, and printing the recorded pages.

#include "prtprev/TPreviewPrinter.h"

#include "FakePageSource.h"
#include "PdfPrinter.h"
#include "prtprev/EAssertionFailed.h"
#include "prtprev/TPageMetaFile.h"
#include "prtprev/TPageMetaFileCanvas.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <string>
#include <vector>

using namespace lrl;
using lrl::test::FakePageSource;
using lrl::test::PdfPrinter;

namespace {

struct StatusRecord {
    std::string message;
    int pageNum;
    TStatusType type;
    bool operator==(const StatusRecord&) const = default;
};

struct PreviewPrinterFixture : ::testing::Test {
    TPreviewPrinter printer;
    std::vector<StatusRecord> statuses;

    PreviewPrinterFixture()
    {
        printer.onStatus = [this](TPreviewPrinter& sender, const std::string& msg, int page, TStatusType type) {
            EXPECT_EQ(&sender, &printer);
            statuses.push_back({ msg, page, type });
        };
    }
    void drawnDocument(int pages)
    {
        FakePageSource source(pages);
        printer.printMemo(source);
    }
};

std::string errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EAssertionFailed& e) {
        return e.what();
    }
    return "no error";
}

TEST_F(PreviewPrinterFixture, APageThatIsNeverDrawnOnIsDropped)
{
    drawnDocument(2);
    printer.beginDoc();
    printer.endDoc();
    EXPECT_EQ(printer.pageCount(), 2);
    EXPECT_FALSE(printer.printing());

    // Ending again, outside a document, must not take a finished page of the earlier document with it.
    printer.endDoc();
    EXPECT_EQ(printer.pageCount(), 2);

    // A page whose canvas was taken counts as drawn on.
    printer.beginDoc();
    printer.canvas();
    printer.endDoc();
    EXPECT_EQ(printer.pageCount(), 3);
}

TEST_F(PreviewPrinterFixture, OutsideADocumentPagesAndTheCanvasAreRefused)
{
    EXPECT_EQ(errorOf([&] { printer.newPage(); }), "Assertion failure (PrtPrev\\PrevPrinter, line 243)");
    EXPECT_EQ(errorOf([&] { printer.canvas(); }),
        "Canvas is not available before BeginDoc (PrtPrev\\PrevPrinter, line 386)");
    EXPECT_EQ(printer.pageCount(), 0);
}

TEST_F(PreviewPrinterFixture, RecordingASourceAsksForPagesUntilNoneFollowsAndAppends)
{
    printer.printName = "Unit1.pas";
    PdfPrinter pdf(300);
    printer.setPrinter(pdf.printer.get());
    printer.textOptions().marginLeft = 0.5;
    FakePageSource first(3);
    printer.printMemo(first);
    ASSERT_EQ(first.requests.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(first.requests[i].pageNo, i + 1);
        EXPECT_EQ(first.requests[i].rect, printer.getPageRect());
        EXPECT_EQ(first.requests[i].deviceDpiY, 300) << "fonts are sized for the printer";
    }
    EXPECT_EQ(first.updates, 1);
    EXPECT_EQ(first.updateDepth, 0);
    EXPECT_EQ(first.passes, 1);
    EXPECT_FALSE(first.inPass);
    EXPECT_EQ(printer.pageCount(), 3);
    EXPECT_FALSE(printer.printing());

    const StatusRecord started { "Paginating ... Unit1.pas", -1, TStatusType::stPageStarted };
    const StatusRecord ended { "Paginating ... Unit1.pas", -1, TStatusType::stDocEnded };
    EXPECT_EQ(statuses, (std::vector<StatusRecord> { started, started, started, ended }));

    // A second document appends its pages to the first.
    FakePageSource second(2);
    printer.printMemo(second);
    EXPECT_EQ(printer.pageCount(), 5);
    EXPECT_EQ(second.requests.front().pageNo, 1);

    printer.clear();
    EXPECT_EQ(printer.pageCount(), 0);
}

TEST_F(PreviewPrinterFixture, ASourceThatFailsLeavesItsFinishedPagesAndNoOpenDocument)
{
    FakePageSource failing(4);
    failing.afterPage = [](QPainter&, int pageNo) {
        if (pageNo == 3)
            throw std::runtime_error("unreadable");
    };
    EXPECT_THROW(printer.printMemo(failing), std::runtime_error);
    EXPECT_FALSE(printer.printing());
    EXPECT_EQ(printer.pageCount(), 2) << "the unfinished page is dropped";
    EXPECT_EQ(failing.updateDepth, 0);
    EXPECT_FALSE(failing.inPass);
    // The next document records as usual.
    FakePageSource next(2);
    printer.printMemo(next);
    EXPECT_EQ(printer.pageCount(), 4);
    EXPECT_FALSE(printer.printing());
}

TEST_F(PreviewPrinterFixture, APageStartsWithThePreviousPagesFontBrushAndPen)
{
    FakePageSource source(3);
    source.afterPage = [](QPainter& painter, int) {
        QFont font(QStringLiteral("Liberation Mono"));
        font.setPointSize(12);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QPen(Qt::red, 2));
        painter.setBrush(Qt::blue);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(QColor(Qt::yellow));
    };
    printer.printMemo(source);
    ASSERT_EQ(source.requests.size(), 3u);

    const auto& first = source.requests[0];
    EXPECT_EQ(first.font.family(), "Arial");
    EXPECT_EQ(first.font.pointSize(), 10);
    EXPECT_EQ(first.brush.style(), Qt::NoBrush);
    EXPECT_EQ(first.backgroundMode, Qt::TransparentMode);

    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(source.requests[i].font.family(), "Liberation Mono");
        EXPECT_EQ(source.requests[i].font.pointSize(), 12);
        EXPECT_TRUE(source.requests[i].font.bold());
        EXPECT_EQ(source.requests[i].pen.color(), QColor(Qt::red));
        EXPECT_EQ(source.requests[i].pen.width(), 2);
        EXPECT_EQ(source.requests[i].brush.color(), QColor(Qt::blue));
        EXPECT_EQ(source.requests[i].backgroundMode, Qt::OpaqueMode);
        EXPECT_EQ(source.requests[i].background, QColor(Qt::yellow));
    }

    // The next document starts afresh.
    FakePageSource next(1);
    printer.printMemo(next);
    EXPECT_EQ(next.requests[0].font.family(), "Arial");
    EXPECT_EQ(next.requests[0].font.pointSize(), 10);
    EXPECT_EQ(next.requests[0].brush.style(), Qt::NoBrush);
}

TEST_F(PreviewPrinterFixture, WithoutAPrinterPagesAreLetterAtTheScreensResolution)
{
    int ppi = TPreviewPrinter::screenPixelsPerInch();
    drawnDocument(1);
    EXPECT_EQ(printer.pixelsPerInchY(), ppi);
    EXPECT_EQ(printer.physicalWidth(), static_cast<int>(std::nearbyint(ppi * 8.5)));
    EXPECT_EQ(printer.physicalHeight(), ppi * 11);
    EXPECT_EQ(printer.pages(0).referenceDpiY(), ppi);
    EXPECT_EQ(printer.pages(0).boundingRect(), QRect(0, 0, printer.physicalWidth(), printer.physicalHeight()));

    // With margins of one inch the text rectangle lies inside the recorded page.
    printer.textOptions().marginLeft = printer.textOptions().marginTop = 1.0;
    printer.textOptions().marginRight = printer.textOptions().marginBottom = 1.0;
    EXPECT_EQ(printer.getPageRect(),
        (TRect { ppi, ppi, printer.physicalWidth() - ppi, printer.physicalHeight() - ppi }));
}

TEST_F(PreviewPrinterFixture, DeviceMetricsOfPaperAndOfTheScreen)
{
    printer.readDeviceMetrics({ 600, 600, 5100, 6600, 75, 80 }, 96);
    EXPECT_EQ(printer.physicalWidth(), 5100);
    EXPECT_EQ(printer.physicalOffsetX(), 0);
    EXPECT_EQ(printer.physicalOffsetY(), 0);

    // No paper: US Letter at the screen's resolution, halves rounded to even, offsets from the device.
    printer.readDeviceMetrics({ 97, 97, 0, 0, 3, 4 }, 97);
    EXPECT_EQ(printer.physicalWidth(), 824); // 824.5
    EXPECT_EQ(printer.physicalHeight(), 1067);
    EXPECT_EQ(printer.physicalOffsetX(), 3);
    EXPECT_EQ(printer.physicalOffsetY(), 4);
    printer.readDeviceMetrics({ 99, 99, 0, 0, 0, 0 }, 99);
    EXPECT_EQ(printer.physicalWidth(), 842); // 841.5
}

TEST_F(PreviewPrinterFixture, UnitConversionsRoundHalvesToEvenAndDivideCentimetres)
{
    printer.readDeviceMetrics({ 1, 600, 0, 0, 0, 0 }, 96);
    EXPECT_EQ(printer.unitsToPixelsX(2.5), 2);
    EXPECT_EQ(printer.unitsToPixelsX(3.5), 4);
    printer.setUnits(TUnits::unCentimeters);
    EXPECT_EQ(printer.unitsToPixelsY(2.54), 600);
    EXPECT_EQ(printer.unitsToPixelsY(1.0), 236);
}

TEST_F(PreviewPrinterFixture, PageRectangleReadsMarginsAsInchesInsideThePrintableArea)
{
    PdfPrinter pdf(600);
    printer.setPrinter(pdf.printer.get());
    drawnDocument(1);
    ASSERT_EQ(printer.pixelsPerInchX(), 600);
    EXPECT_EQ(printer.physicalWidth(), 5100);
    EXPECT_EQ(printer.physicalHeight(), 6600);
    // The printable area is the paper less the printer's quarter-inch margins.
    EXPECT_EQ(printer.pageWidth(), 4800);
    EXPECT_EQ(printer.pageHeight(), 6300);

    TTextOptions& options = printer.textOptions();
    options.marginLeft = options.marginTop = options.marginRight = options.marginBottom = 1.0;
    printer.setUnits(TUnits::unCentimeters);
    EXPECT_EQ(printer.getPageRect(), (TRect { 600, 600, 4800 - 600, 6300 - 600 }));
    EXPECT_EQ(printer.units(), TUnits::unCentimeters);
    EXPECT_EQ(printer.unitsToPixelsX(2.54), 600);
}

TEST_F(PreviewPrinterFixture, OrientationIsAppliedToThePrinterBeforeEachPage)
{
    PdfPrinter pdf(300);
    printer.setPrinter(pdf.printer.get());
    printer.setOrientation(TPrinterOrientation::poLandscape);
    drawnDocument(1);
    EXPECT_EQ(pdf.printer->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.physicalWidth(), 3300);
    EXPECT_EQ(printer.physicalHeight(), 2550);
}

TEST_F(PreviewPrinterFixture, PrintingSendsEveryPageAndReportsEachOne)
{
    PdfPrinter pdf(300);
    printer.setPrinter(pdf.printer.get());
    drawnDocument(2);
    statuses.clear();
    EXPECT_TRUE(printer.print());
    EXPECT_EQ(pdf.writtenPages(), 2);
    EXPECT_EQ(statuses,
        (std::vector<StatusRecord> { { "Printing page 1", 0, TStatusType::stPrintingPage },
            { "Printing page 2", 1, TStatusType::stPrintingPage },
            { "Print Job Complete", -1, TStatusType::stPrintComplete } }));

    // A range beyond the recorded pages prints what exists.
    statuses.clear();
    EXPECT_TRUE(printer.printPages(1, 7));
    EXPECT_EQ(pdf.writtenPages(), 1);
    EXPECT_EQ(statuses.front().message, "Printing page 2");

    // Stopped after the first page: the document ends there, without "Print Job Complete".
    int asked = 0;
    printer.continuePrinting = [&] { return ++asked < 1; };
    statuses.clear();
    EXPECT_FALSE(printer.print());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(pdf.writtenPages(), 1);
    EXPECT_EQ(statuses.back().message, "Printing page 1");
}

TEST_F(PreviewPrinterFixture, PrintingAnEmptyDocumentStillCompletes)
{
    PdfPrinter pdf(300);
    printer.setPrinter(pdf.printer.get());
    EXPECT_TRUE(printer.print());
    EXPECT_EQ(statuses, (std::vector<StatusRecord> { { "Print Job Complete", -1, TStatusType::stPrintComplete } }));
}

TEST_F(PreviewPrinterFixture, APrinterThatCannotStartIsAnError)
{
    PdfPrinter pdf(300);
    pdf.printer->setOutputFileName(QStringLiteral("/nonexistent-folder/x/out.pdf"));
    printer.setPrinter(pdf.printer.get());
    EXPECT_THROW(printer.print(), Exception);
    EXPECT_TRUE(statuses.empty());
}

TEST(TTextOptions, AssigningAWholeObjectOnlyBeeps)
{
    int beeps = 0;
    TTextOptions target;
    target.beep = [&] { ++beeps; };
    TTextOptions source;
    source.marginLeft = 2.0;
    source.drawStyle = TDrawStyle::dsOwnerDrawFixed;
    target.assign(source);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(target.marginLeft, 0.0);
    EXPECT_EQ(target.drawStyle, TDrawStyle::dsStandard);
    target.assign(target);
    EXPECT_EQ(beeps, 1);
}

} // namespace
