// The preview window on real widgets, offscreen: its controls and texts, opening at actual size, paging,
// one and two pages, fitting, zoom clicks on the first page, printing from it; and its pictures.

#include "prtprev/TPreviewForm.h"

#include "FakePageSource.h"
#include "PdfPrinter.h"
#include "PreviewPictures.h"
#include "SampleUnitSource.h"
#include "prtprev/EAssertionFailed.h"
#include "prtprev/TPageBox.h"
#include "prtprev/TPreviewPrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

using namespace lrl;
using lrl::test::FakePageSource;
using lrl::test::PdfPrinter;

namespace {

void settle()
{
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
}

struct PreviewFormFixture : ::testing::Test {
    PdfPrinter pdf { 300 };
    TPreviewPrinter printer;
    std::unique_ptr<TPreviewForm> form;

    void open(int pages)
    {
        printer.setPrinter(pdf.printer.get());
        FakePageSource source(pages);
        printer.printMemo(source);
        form = printer.createPreviewForm();
        form->show();
        settle();
    }
    QSize paper() const { return form->PagePanel->size(); }
    bool enabled(QToolButton* b) const { return b->isEnabled(); }
};

TEST(TPreviewFormControls, CaptionsHintsAndStartingStates)
{
    TPreviewForm form;
    EXPECT_EQ(form.windowTitle(), "Print Preview");
    EXPECT_EQ(form.size(), QSize(590, 430));
    const std::pair<QWidget*, const char*> hints[] = {
        { form.FirstPageSpeed, "First page" },
        { form.PrevPageBut, "Previous page" },
        { form.CurPageLabel, "Displays the Current Page of the Document" },
        { form.NextPageBut, "Next page" },
        { form.LastPageSpeed, "Last page" },
        { form.OnePageBut, "Display One page at a time" },
        { form.TwoPageBut, "Display Two pages side by side" },
        { form.FitPageBut, "Fit to Page" },
        { form.FitWidthBut, "Fit to Width" },
        { form.sbtnPrint, "Print" },
        { form.CloseBut, "Close" },
        { form.PB1,
            "Page View.  With Zoom Tool, left or right click to zoom in/out.  Click && drag with Hand Tool "
            "to pan." },
        { form.PB2,
            "Page View.  With Zoom Tool, left or right click to zoom in/out.  Click && drag with Hand Tool "
            "to pan." },
        { form.ZoomCursorBut, "Selects the Zoom Tool to zoom in or out" },
        { form.HandCursorBut, "Selects the Hand Tool to pan across the Page" },
    };
    for (const auto& [widget, hint] : hints)
        EXPECT_EQ(widget->toolTip(), hint) << widget->objectName().toStdString();

    EXPECT_EQ(form.sbtnAbortPrint->text(), "Abort Print");
    EXPECT_FALSE(form.sbtnAbortPrint->isEnabled());
    EXPECT_EQ(form.CurPageLabel->width(), 129);
    EXPECT_EQ(form.ToolBarPanel->height(), 32);
    EXPECT_EQ(form.ToolBarPanel->font().pixelSize(), 12);
    EXPECT_EQ(form.Panel1->height(), 32);
    EXPECT_TRUE(form.OnePageBut->isChecked());
    EXPECT_FALSE(form.TwoPageBut->isChecked());
    EXPECT_TRUE(form.ZoomCursorBut->isChecked());
    EXPECT_TRUE(form.ZoomCursorBut->isHidden());
    EXPECT_TRUE(form.HandCursorBut->isHidden());
    EXPECT_TRUE(form.ZoomBox->isHidden());
    EXPECT_TRUE(form.PagePanel2->isHidden());
    ASSERT_EQ(form.ZoomBox->count(), 12);
    EXPECT_EQ(form.ZoomBox->itemText(6), "100%");
    // The zoom tool shows the program's own cursor, not a stock shape.
    EXPECT_EQ(form.PB1->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(PreviewFormFixture, OpensAtActualSizeOnTheFirstPage)
{
    open(3);
    EXPECT_EQ(form->model().zoomIndex(), TPreviewModel::k100Percent);
    EXPECT_EQ(form->ZoomBox->currentIndex(), 6);
    EXPECT_EQ(paper(), QSize(816, 1056));
    EXPECT_EQ(form->CurPageLabel->text(), "Page 1 of 3");
    EXPECT_FALSE(enabled(form->FirstPageSpeed));
    EXPECT_FALSE(enabled(form->PrevPageBut));
    EXPECT_TRUE(enabled(form->NextPageBut));
    EXPECT_TRUE(enabled(form->LastPageSpeed));

    QTest::mouseClick(form->NextPageBut, Qt::LeftButton);
    EXPECT_EQ(form->CurPageLabel->text(), "Page 2 of 3");
    QTest::mouseClick(form->LastPageSpeed, Qt::LeftButton);
    EXPECT_EQ(form->CurPageLabel->text(), "Page 3 of 3");
    EXPECT_FALSE(enabled(form->NextPageBut));
    QTest::mouseClick(form->FirstPageSpeed, Qt::LeftButton);
    EXPECT_EQ(form->CurPageLabel->text(), "Page 1 of 3");
}

TEST_F(PreviewFormFixture, BuildingThePreviewInsideADocumentIsRefused)
{
    printer.beginDoc();
    try {
        printer.createPreviewForm();
        ADD_FAILURE() << "no error";
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Assertion failure (PrtPrev\\PrevPrinter, line 317)");
    }
}

TEST_F(PreviewFormFixture, FittingUsesTheViewLeftBesideTheScrollBars)
{
    open(2);
    QTest::mouseClick(form->FitWidthBut, Qt::LeftButton);
    settle();
    EXPECT_TRUE(form->FitWidthBut->isChecked());
    EXPECT_FALSE(form->FitPageBut->isChecked());
    // Taller than the view: the real viewport, with its vertical bar, is what the page was fitted to.
    int viewport = form->ScrollBox1->viewport()->width();
    EXPECT_TRUE(form->ScrollBox1->verticalScrollBar()->isVisible());
    EXPECT_NEAR(paper().width(), viewport - 20, 1);
    EXPECT_FALSE(form->ScrollBox1->horizontalScrollBar()->isVisible());

    QTest::mouseClick(form->FitPageBut, Qt::LeftButton);
    settle();
    EXPECT_TRUE(form->FitPageBut->isChecked());
    EXPECT_FALSE(form->FitWidthBut->isChecked());
    EXPECT_NEAR(paper().height(), form->ScrollBox1->viewport()->height() - 20, 1);
    EXPECT_FALSE(form->ScrollBox1->verticalScrollBar()->isVisible());
}

TEST_F(PreviewFormFixture, TwoPagesSideBySideAndBackToOne)
{
    open(2);
    QTest::mouseClick(form->TwoPageBut, Qt::LeftButton);
    settle();
    EXPECT_TRUE(form->TwoPageBut->isChecked());
    EXPECT_TRUE(form->FitPageBut->isChecked());
    ASSERT_TRUE(form->PagePanel2->isVisible());
    EXPECT_EQ(form->PagePanel2->size(), paper());
    EXPECT_EQ(form->PagePanel2->x(), form->PagePanel->x() + paper().width() + 20);

    // The second paper shows the next page, and stays white when there is none.
    QImage second = form->PB2->grab().toImage();
    bool inked = false;
    for (int y = 0; y < second.height() && !inked; ++y)
        for (int x = 0; x < second.width() && !inked; ++x)
            inked = qGray(second.pixel(x, y)) < 128;
    EXPECT_TRUE(inked);
    QTest::mouseClick(form->NextPageBut, Qt::LeftButton);
    second = form->PB2->grab().toImage();
    EXPECT_EQ(second.pixel(second.width() / 2, second.height() / 2), QColor(Qt::white).rgb());
    EXPECT_EQ(second.pixel(10, 10), QColor(Qt::white).rgb());
    // The paper itself is white around its paint box, on the grey surface.
    QImage surface = form->ContainPanel->grab().toImage();
    EXPECT_EQ(surface.pixel(form->PagePanel2->x() + 1, form->PagePanel2->y() + 1), QColor(Qt::white).rgb());
    EXPECT_NE(surface.pixel(form->PagePanel2->x() - 5, form->PagePanel2->y() + 5), QColor(Qt::white).rgb());

    QTest::mouseClick(form->OnePageBut, Qt::LeftButton);
    settle();
    EXPECT_TRUE(form->OnePageBut->isChecked());
    EXPECT_FALSE(form->PagePanel2->isVisible());
    EXPECT_TRUE(form->FitPageBut->isChecked());
}

TEST_F(PreviewFormFixture, ZoomClicksOnTheFirstPage)
{
    open(1);
    QTest::mouseClick(form->PB1, Qt::LeftButton, {}, QPoint(408, 528));
    settle();
    EXPECT_EQ(form->model().zoomIndex(), TPreviewModel::kCustom);
    EXPECT_EQ(paper(), QSize(1224, 1584));
    EXPECT_EQ(form->ScrollBox1->horizontalScrollBar()->value(), 612 - form->ScrollBox1->width() / 2);
    EXPECT_EQ(form->ScrollBox1->verticalScrollBar()->value(), 792 - form->ScrollBox1->height() / 2);
    EXPECT_FALSE(form->FitPageBut->isChecked());

    QTest::mouseClick(form->PB1, Qt::RightButton, {}, QPoint(612, 792));
    settle();
    EXPECT_EQ(paper(), QSize(816, 1056));
    // The second page's box does not react.
    form->model().twoPageClicked();
    QSize fitted = paper();
    QTest::mouseClick(form->PB2, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(paper(), fitted);
}

TEST_F(PreviewFormFixture, PrintSendsThePagesWithAbortEnabledAndCloses)
{
    open(3);
    bool abortEnabled = false;
    printer.onStatus = [&](TPreviewPrinter&, const std::string&, int, TStatusType type) {
        if (type == TStatusType::stPrintingPage)
            abortEnabled = form->sbtnAbortPrint->isEnabled();
    };
    int aborts = 0;
    QObject::connect(form.get(), &TPreviewForm::abortPrintRequested, [&] { ++aborts; });
    QTest::mouseClick(form->sbtnPrint, Qt::LeftButton);
    EXPECT_TRUE(abortEnabled);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(pdf.writtenPages(), 3);
    form->sbtnAbortPrint->click();
    EXPECT_EQ(aborts, 1);
}

// Pictures of the preview of the sample's largest unit at 100%, fitted to the page and with two pages,
// written next to the file LRL_SCREENSHOT names as "<name>-preview-100.png", "-preview-fit.png" and
// "-preview-two.png".
TEST(Screenshot, PreviewWindow)
{
    QString target = qEnvironmentVariable("LRL_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set LRL_SCREENSHOT to the PNG file to write";
    PdfPrinter pdf(600);
    TPreviewPrinter printer;
    printer.setPrinter(pdf.printer.get());
    printer.textOptions().marginLeft = printer.textOptions().marginRight = 0.75;
    printer.textOptions().marginTop = printer.textOptions().marginBottom = 0.75;
    lrl::test::SampleUnitSource source(QStringLiteral(LRL_SOURCE_DIR "/examples/Sample/Inventory.pas"));
    printer.printMemo(source);
    lrl::test::savePreviewPictures(printer, target, "-preview");
}

} // namespace
