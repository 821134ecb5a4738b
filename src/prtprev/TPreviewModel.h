#pragma once

#include "prtprev/PreviewTypes.h"
#include "prtprev/TPreviewLayout.h"

#include <string>

namespace lrl {

class TPreviewViewport;

// The pages a preview shows and their paper, as the preview printer recorded them.
struct TPreviewDocument {
    int pageCount = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int pixelsPerInchX = 0;
    int pixelsPerInchY = 0;
    // The printable area, which a page's recording fills when it is drawn on its paper.
    int pageWidth = 0;
    int pageHeight = 0;
};

// The preview window without its widgets: the zoom list and the zoom factor, where the paper panels lie,
// one or two pages, the current page and which paging buttons are enabled, and the mouse on the first
// page. The window feeds it the user's commands and shows what it says through a TPreviewViewport.
class TPreviewModel {
public:
    // The zoom list: "Fit To Page", "Fit To Width", "Custom", then fixed factors.
    static constexpr int kZoomEntries = 12;
    static constexpr int kFitToPage = 0;
    static constexpr int kFitToWidth = 1;
    static constexpr int kCustom = 2;
    static constexpr int k100Percent = 6;
    static const char* zoomEntryName(int index);
    // The fixed factor of an entry; 1.0 for the computed ones and any other index.
    static double zoomEntryFactor(int index);

    TPreviewModel(TPreviewViewport& viewport, int formPixelsPerInch);

    // bound: whether a printer's pages are shown at all (the page count reads 0 without).
    void bind(const TPreviewDocument& document, bool bound = true);
    const TPreviewDocument& document() const { return m_document; }

    // The window is built with the printer's zoom option, then always opens at 100%.
    void open(TZoomOption option, int zoomVal);

    int zoomIndex() const { return m_zoomIndex; }
    // Selects a zoom entry without laying out, as setting the list's selection does.
    void selectZoom(int index) { m_zoomIndex = index; }
    double zoomFactor() const { return m_zoomFactor; }
    void setZoomFactor(double z) { m_zoomFactor = z; }

    void layout();
    const TPreviewLayout& currentLayout() const { return m_layout; }

    // Commands.
    void zoomChanged();
    void onePageClicked();
    void twoPageClicked();
    void fitPageClicked();
    void fitWidthClicked();
    void firstPage() { goToPage(0); }
    void previousPage() { goToPage(m_currentPage - 1); }
    void nextPage() { goToPage(m_currentPage + 1); }
    void lastPage() { goToPage(pageCount() - 1); }
    void goToPage(int index);

    // The mouse on the first page's box, in its pixels. With the zoom tool a left button zooms in by 1.5
    // and a right one out to two thirds, keeping the clicked spot in the middle of the view; with the
    // hand tool a drag pans.
    void mouseDown(int x, int y, bool left, bool right);
    void mouseMove(int x, int y);
    void mouseUp() { m_dragging = false; }
    bool zoomTool() const { return m_zoomTool; }
    void setZoomTool(bool zoom) { m_zoomTool = zoom; }

    // Button states.
    bool twoPages() const { return m_twoPages; }
    bool fitPageDown() const { return m_fitPageDown; }
    bool fitWidthDown() const { return m_fitWidthDown; }
    bool firstEnabled() const { return m_prevEnabled; }
    bool previousEnabled() const { return m_prevEnabled; }
    bool nextEnabled() const { return m_nextEnabled; }
    bool lastEnabled() const { return m_nextEnabled; }

    int currentPage() const { return m_currentPage; }
    int pageCount() const { return m_bound ? m_document.pageCount : 0; }
    std::string pageLabel() const;
    // The page index a page box shows (0: the first box, 1: the second), or -1 when it stays empty.
    int pageInBox(int box) const;

private:
    double computedZoom(int entry) const;

    TPreviewViewport& m_viewport;
    int m_ppi;
    TPreviewDocument m_document;
    bool m_bound = false;
    int m_zoomIndex = kFitToPage;
    double m_zoomFactor = 1.0;
    bool m_twoPages = false;
    bool m_fitPageDown = false;
    bool m_fitWidthDown = false;
    int m_currentPage = 0;
    bool m_prevEnabled = false;
    bool m_nextEnabled = false;
    bool m_zoomTool = true;
    bool m_dragging = false;
    int m_dragX = 0;
    int m_dragY = 0;
    TPreviewLayout m_layout;
};

} // namespace lrl
