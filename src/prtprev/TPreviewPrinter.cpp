#include "prtprev/TPreviewPrinter.h"

#include "common/Format.h"
#include "prtprev/EAssertionFailed.h"
#include "prtprev/TPageMetaFile.h"
#include "prtprev/TPageMetaFileCanvas.h"
#include "prtprev/TPageSource.h"
#include "prtprev/TPreviewForm.h"
#include "prtprev/TViewerPageSource.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace lrl {

namespace {

const char* const kSource = "PrtPrev\\PrevPrinter";
constexpr int kNewPageLine = 243;
constexpr int kPreviewFormLine = 317;
constexpr int kCanvasLine = 386;

// Nearest integer, halves to the even neighbour.
int32_t roundEven(double x) { return static_cast<int32_t>(std::nearbyint(x)); }

// Shows the hourglass for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

TPreviewPrinter::TPreviewPrinter() = default;

TPreviewPrinter::~TPreviewPrinter()
{
    m_canvas.reset();
    m_pages.clear();
}

void TPreviewPrinter::setUnits(TUnits units)
{
    m_units = units;
    m_unitFactor = units == TUnits::unCentimeters ? 2.54 : 1.0;
}

QPrinter* TPreviewPrinter::referencePrinter() const
{
    if (m_printer == nullptr || !m_printer->isValid())
        return nullptr;
    return m_printer;
}

QPrinter& TPreviewPrinter::outputPrinter()
{
    if (m_printer != nullptr)
        return *m_printer;
    if (!m_defaultPrinter)
        m_defaultPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_defaultPrinter;
}

void TPreviewPrinter::applyOrientation(QPrinter& printer) const
{
    printer.setPageOrientation(
        m_orientation == TPrinterOrientation::poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TPreviewPrinter::status(const std::string& message, int pageNum, TStatusType type)
{
    if (onStatus)
        onStatus(*this, message, pageNum, type);
}

TDeviceMetrics TPreviewPrinter::deviceMetricsOf(QPrinter& printer)
{
    TDeviceMetrics m;
    m.logPixelsX = printer.logicalDpiX();
    m.logPixelsY = printer.logicalDpiY();
    QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    QRectF page = printer.pageRect(QPrinter::DevicePixel);
    m.physicalWidth = roundEven(paper.width());
    m.physicalHeight = roundEven(paper.height());
    m.physicalOffsetX = roundEven(page.left() - paper.left());
    m.physicalOffsetY = roundEven(page.top() - paper.top());
    return m;
}

int TPreviewPrinter::screenPixelsPerInch()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    int ppi = screen != nullptr ? roundEven(screen->logicalDotsPerInchY()) : 0;
    return ppi > 0 ? ppi : 96;
}

void TPreviewPrinter::readDeviceMetrics(const TDeviceMetrics& dc, int screenPixelsPerInch)
{
    m_pixelsPerInchX = dc.logPixelsX;
    m_pixelsPerInchY = dc.logPixelsY;
    m_physicalWidth = dc.physicalWidth;
    m_physicalHeight = dc.physicalHeight;
    if (m_physicalWidth != 0) {
        m_physicalOffsetX = 0;
        m_physicalOffsetY = 0;
    } else {
        // No paper (the screen): a US Letter page at the screen's resolution.
        m_physicalWidth = roundEven(screenPixelsPerInch * 8.5);
        m_physicalHeight = screenPixelsPerInch * 11;
        m_physicalOffsetX = dc.physicalOffsetX;
        m_physicalOffsetY = dc.physicalOffsetY;
    }
}

void TPreviewPrinter::beginDoc()
{
    m_printing = true;
    newPage();
}

void TPreviewPrinter::newPage()
{
    if (!m_printing)
        throw EAssertionFailed("Assertion failure", kSource, kNewPageLine);
    m_pages.push_back(std::make_unique<TPageMetaFile>());
    TPageMetaFile& page = *m_pages.back();

    // Against the printer when there is one that reports a resolution; otherwise against the screen.
    TDeviceMetrics dc;
    QPrinter* printer = referencePrinter();
    if (printer != nullptr) {
        applyOrientation(*printer);
        dc = deviceMetricsOf(*printer);
        if (dc.logPixelsX <= 0 || dc.logPixelsY <= 0)
            printer = nullptr;
    }
    int screenPpi = screenPixelsPerInch();
    if (printer == nullptr) {
        dc = TDeviceMetrics();
        dc.logPixelsX = screenPpi;
        dc.logPixelsY = screenPpi;
    }
    readDeviceMetrics(dc, screenPpi);

    auto canvas = std::make_unique<TPageMetaFileCanvas>(
        page, m_pixelsPerInchX, m_pixelsPerInchY, QRect(0, 0, m_physicalWidth, m_physicalHeight));
    canvas->setReferenceDPI(m_pixelsPerInchY);
    if (m_canvas) {
        canvas->copyStateFrom(*m_canvas);
    } else {
        canvas->setFont(QFont(QStringLiteral("Arial"), 10));
        canvas->setBrush(Qt::NoBrush);
        canvas->painter().setBackgroundMode(Qt::TransparentMode);
    }
    m_canvas = std::move(canvas); // frees the previous canvas, which finishes its page
    m_canvasUsed = false;
    status(format("Paginating ... %s", printName.c_str()), -1, TStatusType::stPageStarted);
}

TPageMetaFileCanvas* TPreviewPrinter::canvas()
{
    if (!m_printing)
        throw EAssertionFailed("Canvas is not available before BeginDoc", kSource, kCanvasLine);
    m_canvasUsed = true;
    return m_canvas.get();
}

void TPreviewPrinter::endDoc()
{
    m_printing = false;
    bool pageOpen = m_canvas != nullptr;
    m_canvas.reset();
    // A page that was started but never drawn on is dropped. Only the page this document left open can be
    // that page: a finished page of an earlier document is never removed.
    if (pageOpen && !m_canvasUsed && !m_pages.empty())
        m_pages.pop_back();
    status(format("Paginating ... %s", printName.c_str()), -1, TStatusType::stDocEnded);
}

const TPageMetaFile& TPreviewPrinter::pages(int index) const { return *m_pages.at(static_cast<size_t>(index)); }

void TPreviewPrinter::clear()
{
    m_canvas.reset();
    m_pages.clear();
}

int32_t TPreviewPrinter::unitsToPixelsX(double x) const { return roundEven(m_pixelsPerInchX * x / m_unitFactor); }

int32_t TPreviewPrinter::unitsToPixelsY(double y) const { return roundEven(m_pixelsPerInchY * y / m_unitFactor); }

int32_t TPreviewPrinter::pageWidth() const
{
    if (QPrinter* printer = referencePrinter())
        return roundEven(printer->pageRect(QPrinter::DevicePixel).width());
    return m_physicalWidth;
}

int32_t TPreviewPrinter::pageHeight() const
{
    if (QPrinter* printer = referencePrinter())
        return roundEven(printer->pageRect(QPrinter::DevicePixel).height());
    return m_physicalHeight;
}

TRect TPreviewPrinter::getPageRect()
{
    struct UnitsRestore {
        TPreviewPrinter& printer;
        TUnits units;
        ~UnitsRestore() { printer.setUnits(units); }
    } restore { *this, m_units };
    setUnits(TUnits::unInches);
    TRect r;
    r.left = unitsToPixelsX(m_textOptions.marginLeft);
    r.top = unitsToPixelsY(m_textOptions.marginTop);
    r.right = pageWidth() - unitsToPixelsX(m_textOptions.marginRight);
    r.bottom = pageHeight() - unitsToPixelsY(m_textOptions.marginBottom);
    return r;
}

void TPreviewPrinter::printMemo(TPageSource& source)
{
    struct Restore {
        TPageSource& source;
        std::string& printName;
        bool named;
        ~Restore()
        {
            source.endPrintPass();
            source.endUpdate();
            if (named)
                printName.clear();
        }
    };
    WaitCursor wait;
    source.beginUpdate();
    // Without a caption from the caller the status texts name the source's title.
    const bool named = printName.empty();
    if (named)
        printName = source.title();
    Restore restore { source, printName, named };
    source.beginPrintPass();
    int n = 0;
    bool more = true;
    try {
        while (more) {
            if (n == 0)
                beginDoc();
            else
                newPage();
            TRect rect = getPageRect();
            TPageMetaFileCanvas* pageCanvas = canvas();
            ++n;
            more = source.renderPrintPage(pageCanvas->painter(), rect, n);
        }
    } catch (...) {
        abandonDoc();
        throw;
    }
    endDoc();
}

void TPreviewPrinter::abandonDoc()
{
    // The page being drawn when the source failed is incomplete: it goes; the finished pages stay, and the
    // printer can begin the next document.
    if (!m_printing)
        return;
    m_printing = false;
    const bool pageOpen = m_canvas != nullptr;
    m_canvas.reset();
    if (pageOpen && !m_pages.empty())
        m_pages.pop_back();
}

void TPreviewPrinter::printMemo(TSyntaxMemo& memo)
{
    TViewerPageSource source(memo);
    printMemo(source);
}

std::unique_ptr<TPreviewForm> TPreviewPrinter::createPreviewForm()
{
    if (m_printing)
        throw EAssertionFailed("Assertion failure", kSource, kPreviewFormLine);
    auto form = std::make_unique<TPreviewForm>();
    form->bind(*this);
    form->setWindowState(Qt::WindowNoState);
    form->model().open(m_zoomOption, m_zoomVal);
    return form;
}

void TPreviewPrinter::preview()
{
    std::unique_ptr<TPreviewForm> form = createPreviewForm();
    form->exec();
}

bool TPreviewPrinter::print() { return printPages(0, pageCount() - 1); }

bool TPreviewPrinter::printPages(int first, int last)
{
    WaitCursor wait;
    QPrinter& printer = outputPrinter();
    applyOrientation(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        throw Exception("The printer could not start the document.");
    readDeviceMetrics(deviceMetricsOf(printer), screenPixelsPerInch());
    // Only pages that exist are printed.
    first = std::max(first, 0);
    last = std::min(last, pageCount() - 1);
    for (int p = first; p <= last; ++p) {
        status(format("Printing page %d", p + 1), p, TStatusType::stPrintingPage);
        const TPageMetaFile& page = pages(p);
        // At its recorded size: a page recorded at another resolution is scaled to this printer's.
        painter.save();
        painter.translate(-m_physicalOffsetX, -m_physicalOffsetY);
        page.replay(painter, qreal(printer.logicalDpiX()) / page.referenceDpiX(),
            qreal(printer.logicalDpiY()) / page.referenceDpiY());
        painter.restore();
        if (p < last && continuePrinting && !continuePrinting()) {
            painter.end();
            return false;
        }
        if (p < last && !printer.newPage())
            throw Exception("The printer could not start a new page.");
    }
    painter.end();
    status("Print Job Complete", -1, TStatusType::stPrintComplete);
    return true;
}

} // namespace lrl
