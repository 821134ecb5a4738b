// Recording a highlighted viewer's text into the preview printer: the recorded pages are the pages the
// viewer draws directly, pixel for pixel, and as many as it prints straight to a printer; the text is
// laid out once for the whole document.

#include "BlankPage.h"
#include "PdfPrinter.h"
#include "PreviewPictures.h"
#include "SampleViewer.h"
#include "prtprev/TPageMetaFile.h"
#include "prtprev/TPreviewForm.h"
#include "prtprev/TPreviewPrinter.h"
#include "prtprev/TViewerPageSource.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using namespace lrl;
using lrl::test::blankPage;
using lrl::test::PdfPrinter;
using lrl::test::SampleViewer;

namespace {

void setMargins(TPreviewPrinter& printer, double inches)
{
    TTextOptions& o = printer.textOptions();
    o.marginLeft = o.marginTop = o.marginRight = o.marginBottom = inches;
}

// The distinct colours of an image that are neither white nor grey: what highlighting put there.
std::set<QRgb> hues(const QImage& image)
{
    std::set<QRgb> out;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - c.green()) > 40 || std::abs(c.green() - c.blue()) > 40)
                out.insert(c.rgb() & 0xF0F0F0);
        }
    return out;
}

// In fixed-pitch faces (the viewer's default, and the face it resolves to named directly) and in a
// proportional one: the recorded text keeps the viewer's whole-pixel advances, not the face's own
// fractional ones. Underlined and struck-out styles are recorded run by run, with their blanks.
struct PageCase {
    const char* name;
    const char* face;
    bool lined; // strings underlined, comments struck out
};

class RecordedPage : public ::testing::TestWithParam<PageCase> { };

TEST_P(RecordedPage, IsThePageTheViewerDrawsDirectly)
{
    constexpr int dpi = 150;
    SampleViewer viewer;
    TSM_Settings s = viewer.memo->settings();
    s.font = { GetParam().face, 10, 0 };
    if (GetParam().lined) {
        s.effects[s.map[3]].style |= TSM_Effect::Underline;
        s.effects[s.map[8]].style |= TSM_Effect::StrikeOut;
    }
    viewer.memo->setSettings(s);
    PdfPrinter pdf(dpi);
    TPreviewPrinter printer;
    printer.setPrinter(pdf.printer.get());
    setMargins(printer, 0.75);
    printer.printMemo(*viewer.memo);
    ASSERT_GE(printer.pageCount(), 3);
    const TRect rect = printer.getPageRect();

    for (int page = 1; page <= 3; ++page) {
        QImage replayed = blankPage(printer.pageWidth(), printer.pageHeight(), dpi);
        {
            QPainter painter(&replayed);
            printer.pages(page - 1).replay(painter, 1.0, 1.0);
        }
        QImage direct = blankPage(printer.pageWidth(), printer.pageHeight(), dpi);
        {
            QPainter painter(&direct);
            viewer.memo->renderPrintPage(painter, rect, page);
        }
        EXPECT_TRUE(replayed == direct) << "page " << page;
        // Highlighted text, not a blank or black-only page on both sides.
        EXPECT_GE(hues(replayed).size(), 2u) << "page " << page;
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, RecordedPage,
    ::testing::Values(PageCase { "CourierNew", "Courier New", false },
        PageCase { "LiberationMono", "Liberation Mono", false },
        PageCase { "LiberationSans", "Liberation Sans", false },
        PageCase { "CourierNewLined", "Courier New", true }),
    [](const auto& info) { return std::string(info.param.name); });

// Each case: print options; the pages the preview records must be the pages the viewer prints.
TEST(ViewerPages, ThePreviewRecordsAsManyPagesAsTheViewerPrints)
{
    struct Case {
        bool wrap;
        bool lineNumbers;
    };
    const Case cases[] = { { false, false }, { false, true }, { true, false }, { true, true } };
    // Narrow pages, so that the sample's longer lines wrap onto further rows.
    constexpr double margin = 2.5;
    std::vector<int> counts;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("wrap ") + (c.wrap ? "on" : "off") + ", line numbers "
            + (c.lineNumbers ? "on" : "off"));
        SampleViewer viewer;
        viewer.options({ smoPrintWrap }, c.wrap);
        viewer.options({ smoPrintLineNos }, c.lineNumbers);

        PdfPrinter reference(300);
        TPreviewPrinter printer;
        printer.setPrinter(reference.printer.get());
        setMargins(printer, margin);
        printer.printMemo(*viewer.memo);

        PdfPrinter direct(300);
        viewer.memo->setPrintRect(printer.getPageRect());
        viewer.memo->printDocument(direct.printer.get());
        EXPECT_EQ(printer.pageCount(), direct.writtenPages());
        EXPECT_GT(printer.pageCount(), 1);
        counts.push_back(printer.pageCount());
    }
    // Wrapping really gave more rows, so both layouts were exercised.
    EXPECT_GT(counts[2], counts[0]);
    EXPECT_GT(counts[3], counts[1]);
}

TEST(ViewerPages, RecordingLaysTheTextOutOnceAndAppendsLikeAnyPageSource)
{
    SampleViewer viewer;
    PdfPrinter pdf(300);
    TPreviewPrinter printer;
    printer.setPrinter(pdf.printer.get());
    setMargins(printer, 0.75);
    std::vector<std::string> statuses;
    printer.onStatus = [&](TPreviewPrinter&, const std::string& message, int, TStatusType) {
        statuses.push_back(message);
    };

    const int before = viewer.memo->printLayouts();
    printer.printMemo(*viewer.memo);
    const int pages = printer.pageCount();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(viewer.memo->printLayouts(), before + 1);
    // A second recording of the unchanged text appends the same number of pages without laying out.
    printer.printMemo(*viewer.memo);
    EXPECT_EQ(printer.pageCount(), 2 * pages);
    EXPECT_EQ(viewer.memo->printLayouts(), before + 1);
    // The viewer is itself again: no longer printing, its lines' update ended.
    EXPECT_FALSE(viewer.memo->isPrinting());
    EXPECT_EQ(viewer.memo->lines().updateCount(), 0);
    // With no caption set, the status texts name the viewer's title (the file's name).
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.front(), "Paginating ... " + viewer.memo->title());
    EXPECT_NE(viewer.memo->title().find("Inventory.pas"), std::string::npos);
    EXPECT_TRUE(printer.printName.empty());
}

// A source that fails on its second page: the pass and the update still end.
TEST(ViewerPages, TheViewerLeavesThePassWhenRecordingFails)
{
    SampleViewer viewer;
    struct Failing : TViewerPageSource {
        using TViewerPageSource::TViewerPageSource;
        bool renderPrintPage(QPainter& painter, const TRect& rect, int pageNo) override
        {
            if (pageNo == 2)
                throw std::runtime_error("disk full");
            return TViewerPageSource::renderPrintPage(painter, rect, pageNo);
        }
    } source(*viewer.memo);
    TPreviewPrinter printer;
    EXPECT_THROW(printer.printMemo(source), std::runtime_error);
    EXPECT_FALSE(viewer.memo->isPrinting());
    EXPECT_EQ(viewer.memo->lines().updateCount(), 0);
}

// Passes nest: only the outermost end leaves printing.
TEST(ViewerPages, PrintPassesNest)
{
    SampleViewer viewer;
    TSyntaxMemo& memo = *viewer.memo;
    memo.beginPrintPass();
    memo.beginPrintPass();
    memo.endPrintPass();
    EXPECT_TRUE(memo.isPrinting());
    memo.endPrintPass();
    EXPECT_FALSE(memo.isPrinting());
    memo.endPrintPass(); // unbalanced: nothing happens
    EXPECT_FALSE(memo.isPrinting());
}

// Pictures of the preview of the sample's largest unit recorded from a highlighted viewer, at 100%,
// fitted to the page and with two pages, written next to the file LRL_SCREENSHOT names as
// "<name>-viewer-preview-100.png", "-viewer-preview-fit.png" and "-viewer-preview-two.png".
TEST(Screenshot, PreviewOfAHighlightedViewer)
{
    QString target = qEnvironmentVariable("LRL_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set LRL_SCREENSHOT to the PNG file to write";
    SampleViewer viewer;
    viewer.options({ smoPrintDate }, true);
    PdfPrinter pdf(600);
    TPreviewPrinter printer;
    printer.setPrinter(pdf.printer.get());
    setMargins(printer, 0.75);
    printer.printMemo(*viewer.memo);
    lrl::test::savePreviewPictures(printer, target, "-viewer-preview");
}

} // namespace
