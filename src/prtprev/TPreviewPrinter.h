#pragma once

#include "common/TRect.h"
#include "prtprev/PreviewTypes.h"
#include "prtprev/TDeviceMetrics.h"
#include "prtprev/TTextOptions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPrinter;

namespace lrl {

class TPageMetaFile;
class TPageMetaFileCanvas;
class TPageSource;
class TPreviewForm;
class TPreviewPrinter;
class TSyntaxMemo;

using TStatusProc
    = std::function<void(TPreviewPrinter& sender, const std::string& statMsg, int pageNum, TStatusType type)>;

// Records printed output as a list of pages instead of sending it to the printer. Each page is a
// metafile recorded against the printer (or, without one, against the screen with a US Letter page), so
// it carries that device's resolution; the pages can be previewed and then printed page by page. Pages
// of successive documents append until Clear.
class TPreviewPrinter {
public:
    TPreviewPrinter();
    ~TPreviewPrinter();
    TPreviewPrinter(const TPreviewPrinter&) = delete;
    TPreviewPrinter& operator=(const TPreviewPrinter&) = delete;

    // The printer pages are recorded against and printed on; not owned. None: pages are recorded against
    // the screen, and printing goes to the system's default printer.
    void setPrinter(QPrinter* printer) { m_printer = printer; }
    QPrinter* printer() const { return m_printer; }

    TPrinterOrientation orientation() const { return m_orientation; }
    void setOrientation(TPrinterOrientation o) { m_orientation = o; }
    TTextOptions& textOptions() { return m_textOptions; }
    const TTextOptions& textOptions() const { return m_textOptions; }
    void setTextOptions(const TTextOptions& options) { m_textOptions.assign(options); }
    TUnits units() const { return m_units; }
    void setUnits(TUnits units);
    TZoomOption zoomOption() const { return m_zoomOption; }
    void setZoomOption(TZoomOption z) { m_zoomOption = z; }
    int zoomVal() const { return m_zoomVal; }
    void setZoomVal(int z) { m_zoomVal = z; }
    TStatusProc onStatus;
    // Asked after each printed page but the last: false ends the print there, the document holding the
    // pages printed so far (the printers at hand cannot withdraw a document once begun). The owner's
    // way to stop a running print; unset, every page prints.
    std::function<bool()> continuePrinting;
    // The caption of the item being recorded, for the status texts.
    std::string printName;

    void beginDoc();
    void newPage();
    // The current page's canvas; raises outside a document.
    TPageMetaFileCanvas* canvas();
    void endDoc();
    bool printing() const { return m_printing; }

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    const TPageMetaFile& pages(int index) const;
    void clear();

    // Takes the metrics of a device; one without paper gives a US Letter page at the screen's resolution.
    void readDeviceMetrics(const TDeviceMetrics& dc, int screenPixelsPerInch);
    int32_t pixelsPerInchX() const { return m_pixelsPerInchX; }
    int32_t pixelsPerInchY() const { return m_pixelsPerInchY; }
    int32_t physicalWidth() const { return m_physicalWidth; }
    int32_t physicalHeight() const { return m_physicalHeight; }
    int32_t physicalOffsetX() const { return m_physicalOffsetX; }
    int32_t physicalOffsetY() const { return m_physicalOffsetY; }
    // The printable area's size in device pixels: the printer's, or the recorded paper's without one.
    int32_t pageWidth() const;
    int32_t pageHeight() const;

    int32_t unitsToPixelsX(double x) const;
    int32_t unitsToPixelsY(double y) const;
    // The text rectangle inside the margins, which are always taken as inches.
    TRect getPageRect();

    // Records the source's pages, one layout pass for the whole document.
    void printMemo(TPageSource& source);
    // Records the viewer's whole text as pages drawn by its page renderer.
    void printMemo(TSyntaxMemo& memo);

    // Print the recorded pages (all, or first..last counted from 0) on the printer; true when every page
    // printed, false when continuePrinting ended the print early.
    bool print();
    bool printPages(int first, int last);

    // Builds the preview window bound to this printer, at 100%; raises inside a document.
    std::unique_ptr<TPreviewForm> createPreviewForm();
    // Shows the preview window modally and frees it when it closes.
    void preview();

    static TDeviceMetrics deviceMetricsOf(QPrinter& printer);
    static int screenPixelsPerInch();

private:
    QPrinter* referencePrinter() const;
    // Ends a document whose source failed, without its unfinished page and without a status.
    void abandonDoc();
    QPrinter& outputPrinter();
    void applyOrientation(QPrinter& printer) const;
    void status(const std::string& message, int pageNum, TStatusType type);

    bool m_printing = false;
    std::vector<std::unique_ptr<TPageMetaFile>> m_pages;
    std::unique_ptr<TPageMetaFileCanvas> m_canvas;
    int32_t m_pixelsPerInchX = 0;
    int32_t m_pixelsPerInchY = 0;
    int32_t m_physicalWidth = 0;
    int32_t m_physicalHeight = 0;
    int32_t m_physicalOffsetX = 0;
    int32_t m_physicalOffsetY = 0;
    bool m_canvasUsed = false;
    double m_unitFactor = 1.0;

    TPrinterOrientation m_orientation = TPrinterOrientation::poPortrait;
    TTextOptions m_textOptions;
    TUnits m_units = TUnits::unInches;
    TZoomOption m_zoomOption = TZoomOption::zoFitToPage;
    int m_zoomVal = 100;

    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPrinter> m_defaultPrinter;
};

} // namespace lrl
