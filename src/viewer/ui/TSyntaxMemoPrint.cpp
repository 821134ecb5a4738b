// The viewer's print entry points: direct printing of the whole text or of the selected lines to a
// printer, and drawing one page onto any canvas (the preview printer records pages this way).

#include "viewer/ui/TSyntaxMemo.h"

#include "common/Exception.h"
#include "viewer/ui/TPageRenderer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace lrl {

// Marks the viewer as printing while it lives; at its end, also when printing fails, the mark goes and
// every row is repainted. Printing measures on its own device fonts, so the screen's fonts and metrics
// are as they were.
class TPrintingMark {
public:
    explicit TPrintingMark(TSyntaxMemo& memo)
        : m_memo(memo)
        , m_was(memo.m_printing)
    {
        m_memo.m_printing = true;
    }
    ~TPrintingMark()
    {
        m_memo.m_printing = m_was;
        if (!m_was) {
            m_memo.textStore().markAll(lfRepaint);
            m_memo.viewport()->update();
        }
    }
    TPrintingMark(const TPrintingMark&) = delete;
    TPrintingMark& operator=(const TPrintingMark&) = delete;

private:
    TSyntaxMemo& m_memo;
    bool m_was;
};

namespace {

const char* const kCannotStart = "The printer could not start the document.";
const char* const kCannotNewPage = "The printer could not start a new page.";

// Ends the printer document on every way out.
struct DocumentEnd {
    QPainter& painter;
    ~DocumentEnd()
    {
        if (painter.isActive())
            painter.end();
    }
};

} // namespace

QPrinter& TSyntaxMemo::printer()
{
    if (!m_printer) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            m_printer->setOutputFormat(QPrinter::PdfFormat);
        } else {
            m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        }
    }
    return *m_printer;
}

void TSyntaxMemo::beginPrintPass()
{
    if (m_printPasses++ == 0) {
        m_printingBeforePass = m_printing;
        m_printing = true;
    }
}

void TSyntaxMemo::endPrintPass()
{
    if (m_printPasses == 0 || --m_printPasses > 0)
        return;
    m_printing = m_printingBeforePass;
    if (!m_printing) {
        textStore().markAll(lfRepaint);
        viewport()->update();
    }
}

void TSyntaxMemo::printDocument(QPrinter* target) { printRange(target, {}); }

void TSyntaxMemo::printSelection(QPrinter* target)
{
    const int startLine = lineFromChar(selStart());
    const int endLine = lineFromChar(selEnd());
    const int endLineStart = textStore().lineStart(endLine);
    TPrintRange range;
    range.on = true;
    range.first = startLine + 1;
    range.last = endLine + (selEnd() == endLineStart ? 0 : 1);
    printRange(target, range);
}

void TSyntaxMemo::printRange(QPrinter* target, const TPrintRange& range)
{
    QPrinter& device = target ? *target : printer();
    TPrintingMark mark(*this);
    prepareDisplay();
    device.setDocName(QString::fromStdString(title()));
    QPainter painter;
    if (!painter.begin(&device))
        throw ESyntaxMemo(kCannotStart);
    DocumentEnd end { painter };
    const QRect paint = device.pageLayout().paintRectPixels(device.resolution());
    TPrintRenderData data;
    data.pageRect = m_printRect ? *m_printRect : TRect { 0, 0, paint.width(), paint.height() };
    data.canvas = &painter;
    data.lineRange = range.on;
    data.first = range.first;
    data.last = range.last;
    m_printedPages = 0;
    render(data, &device);
    m_printedPages = data.pageNo;
    if (!painter.end() || device.printerState() == QPrinter::Error)
        throw ESyntaxMemo(kCannotStart);
}

bool TSyntaxMemo::renderPrintPage(QPainter& canvas, const TRect& rect, int pageNo)
{
    TPrintingMark mark(*this);
    prepareDisplay();
    TPrintRenderData data;
    data.pageRect = rect;
    data.canvas = &canvas;
    data.onePage = true;
    data.first = data.last = pageNo;
    render(data, nullptr);
    return textStore().charCount() > 0 && data.pageNo >= 1;
}

void TSyntaxMemo::render(TPrintRenderData& data, QPrinter* printer)
{
    QPainter& canvas = *data.canvas;
    TDeviceFonts& fonts = printer ? m_printerFonts : m_canvasFonts;
    const int dpi = canvas.device() ? canvas.device()->logicalDpiY() : TStyleFonts::kScreenDpi;
    fonts.prepare(dpi, settings().font, codePage());
    // MonoPrint is for direct printing only; pages drawn for the preview keep their colours.
    TPageRenderer renderer(*this, fonts, printer && m_monoPrint);
    const TPageBody body = renderer.body(data.pageRect);
    data.y = 0;
    if (data.onePage) {
        // Pages are laid out once and kept: drawing page n costs the rows of page n.
        const auto& pages = m_printLayout.pages(textStore(), textGeneration(), body, renderer.wrap(body));
        const int count = static_cast<int>(pages.size());
        const int n = data.first;
        if (n >= 1 && n <= count) {
            renderer.drawPage(canvas, data.pageRect, body, pages[static_cast<size_t>(n - 1)], n);
            data.y = renderer.lastY();
        }
        data.pageNo = n < count ? n + 1 : -1;
        return;
    }
    TPageCursor cursor(textStore(), body, renderer.wrap(body), { data.lineRange, data.first, data.last });
    TPrintPage page;
    for (int n = 1; cursor.next(page); ++n) {
        if (n > 1 && printer && continuePrinting && !continuePrinting())
            break;
        if (n > 1 && printer && !printer->newPage())
            throw ESyntaxMemo(kCannotNewPage);
        data.pageNo = n;
        renderer.drawPage(canvas, data.pageRect, body, page, n);
        data.y = renderer.lastY();
    }
}

} // namespace lrl
