#include "prtprev/TPreviewModel.h"

#include "common/Format.h"
#include "prtprev/TPreviewViewport.h"

#include <algorithm>
#include <cmath>

namespace lrl {

namespace {

struct ZoomEntry {
    const char* name;
    double factor;
};

constexpr ZoomEntry kZoomList[TPreviewModel::kZoomEntries] = {
    { "Fit To Page", 1.0 },
    { "Fit To Width", 1.0 },
    { "Custom", 1.0 },
    { "25%", 0.25 },
    { "50%", 0.5 },
    { "75%", 0.75 },
    { "100%", 1.0 },
    { "125%", 1.25 },
    { "150%", 1.5 },
    { "200%", 2.0 },
    { "300%", 3.0 },
    { "400%", 4.0 },
};

// Zoom clicks multiply the factor without end; these bounds keep every panel size and their sums well
// inside what the window system can place.
constexpr double kMinClickZoom = 0.01;
constexpr double kMaxClickZoom = 64.0;
constexpr int kMaxPanel = 4'000'000;

// Trunc of a panel size, never negative (a scroll box smaller than its 20-pixel border) nor beyond the
// largest panel.
int panelPixels(double v)
{
    if (!(v > 0))
        return 0;
    if (v >= kMaxPanel)
        return kMaxPanel;
    return static_cast<int>(v);
}

} // namespace

const char* TPreviewModel::zoomEntryName(int index)
{
    return index >= 0 && index < kZoomEntries ? kZoomList[index].name : "";
}

double TPreviewModel::zoomEntryFactor(int index)
{
    return index >= 0 && index < kZoomEntries ? kZoomList[index].factor : 1.0;
}

TPreviewModel::TPreviewModel(TPreviewViewport& viewport, int formPixelsPerInch)
    : m_viewport(viewport)
    , m_ppi(formPixelsPerInch > 0 ? formPixelsPerInch : 96)
{
}

void TPreviewModel::bind(const TPreviewDocument& document, bool bound)
{
    m_document = document;
    m_bound = bound;
}

void TPreviewModel::open(TZoomOption option, int zoomVal)
{
    switch (option) {
    case TZoomOption::zoFitToPage:
        selectZoom(kFitToPage);
        break;
    case TZoomOption::zoFitToWidth:
        selectZoom(kFitToWidth);
        break;
    case TZoomOption::zoCustom:
        selectZoom(kZoomEntries - 1);
        m_zoomFactor = zoomVal;
        break;
    case TZoomOption::zoTwoPages:
        break;
    }
    selectZoom(k100Percent);
    layout();
}

double TPreviewModel::computedZoom(int entry) const
{
    const TPreviewDocument& d = m_document;
    if (entry == kFitToPage) {
        if (d.physicalHeight <= 0 || d.pixelsPerInchY <= 0)
            return 1.0;
        return (m_viewport.clientHeight() - 20.0) / m_ppi / (double(d.physicalHeight) / d.pixelsPerInchY);
    }
    if (entry == kFitToWidth) {
        if (d.physicalWidth <= 0 || d.pixelsPerInchX <= 0)
            return 1.0;
        return (m_viewport.clientWidth() - 20.0) / m_ppi / (double(d.physicalWidth) / d.pixelsPerInchX);
    }
    if (entry == kCustom)
        return m_zoomFactor;
    return zoomEntryFactor(entry);
}

void TPreviewModel::layout()
{
    if (m_zoomIndex < 0)
        m_zoomIndex = kFitToPage;
    const int e = m_zoomIndex;
    m_fitPageDown = e == kFitToPage;
    m_fitWidthDown = e == kFitToWidth;

    const double z = computedZoom(e);
    if (e != kFitToPage)
        m_twoPages = false;

    const TPreviewDocument& d = m_document;
    const int clientWidth = m_viewport.clientWidth();
    const int clientHeight = m_viewport.clientHeight();
    TPreviewLayout l;
    int height = d.pixelsPerInchY > 0 ? panelPixels(m_ppi * z * d.physicalHeight / d.pixelsPerInchY) : 0;
    int width = d.pixelsPerInchX > 0 ? panelPixels(z * m_ppi * d.physicalWidth / d.pixelsPerInchX) : 0;
    l.page2Visible = m_twoPages;

    int b = width + 20;
    if (m_twoPages)
        b += width + 20;
    l.containHeight = height + 20 < clientHeight ? clientHeight - 1 : height + 20;
    l.containWidth = b < clientWidth ? clientWidth - 1 : b;

    int top = l.containHeight > height + 20 ? l.containHeight / 2 - height / 2 : 10;
    int left = b < l.containWidth ? l.containWidth / 2 - (b - 20) / 2 : 10;
    l.page1 = { left, top, left + width, top + height };
    int left2 = left + width + 20;
    l.page2 = { left2, top, left2 + width, top + height };

    m_zoomFactor = z;
    m_layout = l;
    m_viewport.applyLayout(l);
}

void TPreviewModel::zoomChanged()
{
    // The second pass sees the scroll bars that the first one brought or removed.
    layout();
    layout();
}

void TPreviewModel::onePageClicked()
{
    m_twoPages = false;
    layout();
    selectZoom(kFitToPage);
    layout();
}

void TPreviewModel::twoPageClicked()
{
    m_twoPages = true;
    selectZoom(kFitToPage);
    layout();
    m_viewport.pagesChanged();
}

void TPreviewModel::fitPageClicked()
{
    selectZoom(kFitToPage);
    zoomChanged();
}

void TPreviewModel::fitWidthClicked()
{
    selectZoom(kFitToWidth);
    zoomChanged();
}

void TPreviewModel::goToPage(int index)
{
    m_currentPage = index;
    m_nextEnabled = index + 1 < pageCount();
    m_prevEnabled = index > 0;
    m_viewport.pagesChanged();
}

std::string TPreviewModel::pageLabel() const { return format("Page %d of %d", m_currentPage + 1, pageCount()); }

int TPreviewModel::pageInBox(int box) const
{
    int index = m_currentPage + (box == 0 ? 0 : 1);
    if (box != 0 && !m_twoPages)
        return -1;
    return index >= 0 && index < pageCount() ? index : -1;
}

void TPreviewModel::mouseDown(int x, int y, bool left, bool right)
{
    if (!m_zoomTool) {
        m_dragX = x;
        m_dragY = y;
        m_dragging = true;
        return;
    }
    const int width = m_layout.page1.width();
    const int height = m_layout.page1.height();
    const float fx = width > 0 ? float(x) / float(width) : 0.0f;
    const float fy = height > 0 ? float(y) / float(height) : 0.0f;
    double z = m_zoomFactor;
    if (left)
        z *= 1.5;
    if (right)
        z *= 2.0 / 3.0;
    m_zoomFactor = std::clamp(z, kMinClickZoom, kMaxClickZoom);
    selectZoom(kCustom);
    layout();
    m_viewport.setScrollPosition(static_cast<int>(m_layout.page1.width() * fx) - m_viewport.scrollBoxWidth() / 2,
        static_cast<int>(m_layout.page1.height() * fy) - m_viewport.scrollBoxHeight() / 2);
}

void TPreviewModel::mouseMove(int x, int y)
{
    if (!m_dragging)
        return;
    m_viewport.setScrollPosition(
        m_viewport.horizontalPosition() + m_dragX - x, m_viewport.verticalPosition() + m_dragY - y);
}

} // namespace lrl
