// The preview's model without a window: the paper panels' size and place for each zoom, one and two
// pages, the second layout pass after scroll bars come or go, paging and its buttons, and zooming with
// the mouse on the first page.

#include "prtprev/TPreviewModel.h"

#include "prtprev/TPreviewViewport.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

// A scroll box whose client area loses a bar's width or height when the laid-out surface is larger than
// it, as a real one does once the last layout is applied.
class FakeViewport : public TPreviewViewport {
public:
    static constexpr int kBar = 17;
    int width = 590;
    int height = 366;
    int horizontal = 0;
    int vertical = 0;
    int layouts = 0;
    int pageChanges = 0;
    TPreviewLayout last;

    int clientWidth() const override { return width - (last.containHeight > height ? kBar : 0); }
    int clientHeight() const override { return height - (last.containWidth > width ? kBar : 0); }
    int scrollBoxWidth() const override { return width; }
    int scrollBoxHeight() const override { return height; }
    int horizontalPosition() const override { return horizontal; }
    int verticalPosition() const override { return vertical; }
    void setScrollPosition(int h, int v) override
    {
        horizontal = h;
        vertical = v;
    }
    void applyLayout(const TPreviewLayout& layout) override
    {
        last = layout;
        ++layouts;
    }
    void pagesChanged() override { ++pageChanges; }
};

// US Letter at 300 dpi with quarter-inch printer margins.
TPreviewDocument letter300(int pages)
{
    return { pages, 2550, 3300, 300, 300, 2400, 3150 };
}

struct PreviewModelFixture : ::testing::Test {
    FakeViewport view;
    TPreviewModel model { view, 96 };

    void openWith(int pages)
    {
        model.bind(letter300(pages));
        model.open(TZoomOption::zoFitToPage, 100);
        model.goToPage(0);
    }
};

TEST(TPreviewModelZoomList, EntriesAndTheirFactors)
{
    const char* names[] = { "Fit To Page", "Fit To Width", "Custom", "25%", "50%", "75%", "100%", "125%", "150%",
        "200%", "300%", "400%" };
    const double factors[] = { 1.0, 1.0, 1.0, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0 };
    for (int i = 0; i < TPreviewModel::kZoomEntries; ++i) {
        EXPECT_STREQ(TPreviewModel::zoomEntryName(i), names[i]);
        EXPECT_EQ(TPreviewModel::zoomEntryFactor(i), factors[i]) << i;
    }
    EXPECT_EQ(TPreviewModel::zoomEntryFactor(-1), 1.0);
    EXPECT_EQ(TPreviewModel::zoomEntryFactor(12), 1.0);
}

TEST_F(PreviewModelFixture, LetterAt300DpiOpensAtActualSize)
{
    for (TZoomOption option : { TZoomOption::zoFitToPage, TZoomOption::zoFitToWidth, TZoomOption::zoTwoPages,
             TZoomOption::zoCustom }) {
        model.bind(letter300(3));
        model.open(option, 250);
        EXPECT_EQ(model.zoomIndex(), TPreviewModel::k100Percent);
        EXPECT_EQ(model.zoomFactor(), 1.0);
        const TPreviewLayout& l = model.currentLayout();
        EXPECT_EQ(l.page1.width(), 816);
        EXPECT_EQ(l.page1.height(), 1056);
        // Larger than the view both ways: the surface is the page and its border, the page at 10, 10.
        EXPECT_EQ(l.containWidth, 836);
        EXPECT_EQ(l.containHeight, 1076);
        EXPECT_EQ(l.page1.left, 10);
        EXPECT_EQ(l.page1.top, 10);
        EXPECT_FALSE(l.page2Visible);
        EXPECT_FALSE(model.fitPageDown());
        EXPECT_FALSE(model.fitWidthDown());
    }
}

TEST_F(PreviewModelFixture, SmallPagesAreCentredOnTheSurface)
{
    view.width = 800;
    view.height = 600;
    model.bind(letter300(3));
    model.selectZoom(3); // 25%
    model.zoomChanged();
    TPreviewLayout l = model.currentLayout();
    EXPECT_EQ(l.containWidth, 799);
    EXPECT_EQ(l.containHeight, 599);
    EXPECT_EQ(l.page1, (TRect { 297, 167, 297 + 204, 167 + 264 }));

    view.width = 1200;
    model.twoPageClicked(); // fits the page, two of them side by side
    l = model.currentLayout();
    ASSERT_TRUE(l.page2Visible);
    int width = l.page1.width();
    EXPECT_EQ(l.page1.left, 1199 / 2 - (2 * (width + 20) - 20) / 2);
    EXPECT_EQ(l.page2.left, l.page1.right + 20);
    EXPECT_EQ(l.page2.top, l.page1.top);
    EXPECT_EQ(l.page2.width(), width);
}

TEST_F(PreviewModelFixture, FitToPageAndFitToWidthFillTheView)
{
    openWith(3);
    model.fitPageClicked();
    EXPECT_TRUE(model.fitPageDown());
    EXPECT_FALSE(model.fitWidthDown());
    const TPreviewLayout& page = model.currentLayout();
    EXPECT_NEAR(page.page1.height(), view.clientHeight() - 20, 1);
    EXPECT_LE(page.page1.height() + 20, view.clientHeight());
    EXPECT_LE(page.containHeight, view.clientHeight()); // no scroll bars
    EXPECT_EQ(page.containWidth, view.clientWidth() - 1);
    EXPECT_EQ(page.page1.width(), page.page1.height() * 2550 / 3300);

    // Fit to width makes the page taller than the view: the second pass fits the width left beside the
    // vertical scroll bar that the first one brought.
    model.fitWidthClicked();
    EXPECT_TRUE(model.fitWidthDown());
    EXPECT_FALSE(model.fitPageDown());
    const TPreviewLayout& width = model.currentLayout();
    EXPECT_EQ(view.clientWidth(), view.width - FakeViewport::kBar);
    EXPECT_NEAR(width.page1.width(), view.clientWidth() - 20, 1);
    EXPECT_LE(width.containWidth, view.clientWidth());
    EXPECT_EQ(width.page1.left, 10);
}

TEST_F(PreviewModelFixture, AnyZoomButFitToPageShowsOnePage)
{
    openWith(3);
    model.twoPageClicked();
    EXPECT_TRUE(model.twoPages());
    EXPECT_EQ(model.zoomIndex(), TPreviewModel::kFitToPage);
    EXPECT_EQ(model.pageInBox(1), 1);
    for (int entry : { TPreviewModel::kFitToWidth, TPreviewModel::kCustom, 4, TPreviewModel::k100Percent }) {
        model.twoPageClicked();
        model.selectZoom(entry);
        model.zoomChanged();
        EXPECT_FALSE(model.twoPages()) << entry;
        EXPECT_FALSE(model.currentLayout().page2Visible);
        EXPECT_EQ(model.pageInBox(1), -1);
    }
    // One page from two ends at Fit To Page.
    model.twoPageClicked();
    model.onePageClicked();
    EXPECT_FALSE(model.twoPages());
    EXPECT_EQ(model.zoomIndex(), TPreviewModel::kFitToPage);
    EXPECT_TRUE(model.fitPageDown());
}

TEST_F(PreviewModelFixture, OnePageDocumentDisablesPaging)
{
    openWith(1);
    EXPECT_EQ(model.pageLabel(), "Page 1 of 1");
    EXPECT_FALSE(model.firstEnabled());
    EXPECT_FALSE(model.previousEnabled());
    EXPECT_FALSE(model.nextEnabled());
    EXPECT_FALSE(model.lastEnabled());
    EXPECT_EQ(model.pageInBox(0), 0);
}

TEST_F(PreviewModelFixture, PagingEnablesTheButtonsThatLeadSomewhere)
{
    openWith(3);
    EXPECT_EQ(model.pageLabel(), "Page 1 of 3");
    EXPECT_FALSE(model.previousEnabled());
    EXPECT_FALSE(model.firstEnabled());
    EXPECT_TRUE(model.nextEnabled());
    EXPECT_TRUE(model.lastEnabled());
    model.nextPage();
    EXPECT_EQ(model.pageLabel(), "Page 2 of 3");
    EXPECT_TRUE(model.previousEnabled() && model.firstEnabled() && model.nextEnabled() && model.lastEnabled());
    model.lastPage();
    EXPECT_EQ(model.currentPage(), 2);
    EXPECT_FALSE(model.nextEnabled());
    EXPECT_FALSE(model.lastEnabled());
    EXPECT_TRUE(model.previousEnabled());

    // Two pages on the last page: the second paper stays empty. Next moves one page at a time.
    model.twoPageClicked();
    EXPECT_EQ(model.pageInBox(0), 2);
    EXPECT_EQ(model.pageInBox(1), -1);
    model.firstPage();
    model.nextPage();
    EXPECT_EQ(model.pageInBox(0), 1);
    EXPECT_EQ(model.pageInBox(1), 2);

    // Without a printer the count is 0 and nothing is drawn.
    model.bind(letter300(3), false);
    model.goToPage(0);
    EXPECT_EQ(model.pageLabel(), "Page 1 of 0");
    EXPECT_EQ(model.pageInBox(0), -1);
    EXPECT_FALSE(model.nextEnabled());
}

TEST_F(PreviewModelFixture, ZoomClicksKeepTheClickedSpotInTheMiddle)
{
    openWith(2);
    // Left click at three quarters across and a quarter down: 1.5 times larger.
    model.mouseDown(612, 264, true, false);
    EXPECT_EQ(model.zoomIndex(), TPreviewModel::kCustom);
    EXPECT_DOUBLE_EQ(model.zoomFactor(), 1.5);
    EXPECT_EQ(model.currentLayout().page1.width(), 1224);
    EXPECT_EQ(model.currentLayout().page1.height(), 1584);
    EXPECT_EQ(view.horizontal, 918 - view.width / 2);
    EXPECT_EQ(view.vertical, 396 - view.height / 2);

    // Right click: two thirds, back to actual size.
    model.mouseDown(612, 792, false, true);
    EXPECT_DOUBLE_EQ(model.zoomFactor(), 1.0);
    EXPECT_EQ(model.currentLayout().page1.width(), 816);
    EXPECT_EQ(view.horizontal, 408 - view.width / 2);
    EXPECT_EQ(view.vertical, 528 - view.height / 2);

    // Both buttons: both factors apply.
    model.mouseDown(0, 0, true, true);
    EXPECT_DOUBLE_EQ(model.zoomFactor(), 1.0);
}

TEST_F(PreviewModelFixture, EndlessZoomClicksStayWithinBounds)
{
    openWith(1);
    for (int i = 0; i < 200; ++i)
        model.mouseDown(10, 10, true, false);
    EXPECT_LE(model.zoomFactor(), 64.0);
    EXPECT_GT(model.currentLayout().page1.width(), 0);
    for (int i = 0; i < 400; ++i)
        model.mouseDown(10, 10, false, true);
    EXPECT_GE(model.zoomFactor(), 0.01);
}

TEST_F(PreviewModelFixture, HandToolPansByTheDraggedDistance)
{
    openWith(1);
    model.setZoomTool(false);
    view.horizontal = 100;
    view.vertical = 50;
    model.mouseDown(200, 200, true, false);
    EXPECT_EQ(model.zoomIndex(), TPreviewModel::k100Percent);
    model.mouseMove(180, 230);
    EXPECT_EQ(view.horizontal, 120);
    EXPECT_EQ(view.vertical, 20);
    model.mouseUp();
    model.mouseMove(0, 0);
    EXPECT_EQ(view.horizontal, 120);
}

TEST_F(PreviewModelFixture, ATinyViewGivesNoNegativePanels)
{
    view.width = 10;
    view.height = 10;
    model.bind(letter300(1));
    model.fitPageClicked();
    EXPECT_EQ(model.currentLayout().page1.height(), 0);
    EXPECT_EQ(model.currentLayout().page1.width(), 0);
    model.mouseDown(0, 0, true, false);
    EXPECT_GE(model.currentLayout().page1.width(), 0);
}

} // namespace
