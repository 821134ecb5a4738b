#include "browser/ui/WindowPrintTarget.h"

#include "browser/ScopeExit.h"
#include "prtprev/TPreviewPrinter.h"
#include "prtprev/TViewerPageSource.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QFontMetrics>
#include <QPrinter>

namespace lrl {

MemoPrintBuffer::MemoPrintBuffer(TSyntaxMemo& memo)
    : m_memo(memo)
    , m_text(memo)
{
}

void MemoPrintBuffer::setPrintOptions(const PrintBufferOptions& options)
{
    TSyntaxMemoOptions o = m_memo.options();
    o.set(smoPrintFilename, options.fileName);
    o.set(smoPrintPageNos, options.pageNumbers);
    o.set(smoPrintDate, options.date);
    o.set(smoPrintLineNos, options.lineNumbers);
    m_memo.setOptions(o);
}

void MemoPrintBuffer::setTitle(const std::string& title) { m_memo.setTitle(title); }

bool isPdfFilePrinter(const QPrinter& printer) { return printer.outputFormat() == QPrinter::PdfFormat; }

WindowPrintTarget::WindowPrintTarget(QPrinter& printer, TSyntaxMemo& viewer, bool preview)
    : m_printer(printer)
    , m_viewer(viewer)
    , m_preview(preview)
{
}

WindowPrintTarget::~WindowPrintTarget() = default;

bool WindowPrintTarget::recording() const { return m_preview || isPdfFilePrinter(m_printer); }

PrintPageRect WindowPrintTarget::setUp(const PrintMargins& margins)
{
    m_previewPrinter = std::make_unique<TPreviewPrinter>();
    m_previewPrinter->onStatus = [this](TPreviewPrinter&, const std::string& text, int, TStatusType) {
        if (onStatus)
            onStatus(text);
    };
    m_previewPrinter->continuePrinting = [this] { return !continuePrinting || continuePrinting(); };
    m_previewPrinter->setPrinter(&m_printer);
    m_previewPrinter->setZoomOption(TZoomOption::zoFitToPage);
    m_previewPrinter->textOptions().marginLeft = margins.left;
    m_previewPrinter->textOptions().marginTop = margins.top;
    m_previewPrinter->textOptions().marginRight = margins.right;
    m_previewPrinter->textOptions().marginBottom = margins.bottom;
    m_previewPrinter->readDeviceMetrics(
        TPreviewPrinter::deviceMetricsOf(m_printer), TPreviewPrinter::screenPixelsPerInch());
    const TRect rect = m_previewPrinter->getPageRect();
    m_viewer.setPrintRect(rect);
    return { rect.left, rect.top, rect.right, rect.bottom };
}

int WindowPrintTarget::textWidth(const std::string& text)
{
    QFontMetrics metrics(m_viewer.font(), &m_printer);
    return metrics.horizontalAdvance(QString::fromStdString(text));
}

void WindowPrintTarget::send(PrintBuffer& buffer)
{
    TSyntaxMemo& memo = static_cast<MemoPrintBuffer&>(buffer).memo();
    if (!recording()) {
        memo.continuePrinting = continuePrinting;
        ScopeExit forget([&memo] { memo.continuePrinting = nullptr; });
        memo.printDocument(&m_printer);
        return;
    }
    m_previewPrinter->setOrientation(m_printer.pageLayout().orientation() == QPageLayout::Landscape
            ? TPrinterOrientation::poLandscape
            : TPrinterOrientation::poPortrait);
    TViewerPageSource source(memo);
    m_previewPrinter->printMemo(source);
}

void WindowPrintTarget::finish()
{
    if (!m_preview && m_previewPrinter && isPdfFilePrinter(m_printer) && m_previewPrinter->pageCount() > 0)
        m_previewPrinter->print();
}

} // namespace lrl
