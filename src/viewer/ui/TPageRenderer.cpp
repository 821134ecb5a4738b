#include "viewer/ui/TPageRenderer.h"

#include "viewer/TStyleColors.h"
#include "viewer/ui/TDeviceFonts.h"
#include "viewer/ui/TRowPainter.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPicture>

#include <algorithm>
#include <cstdio>

namespace lrl {

TPageRenderer::TPageRenderer(TSyntaxMemo& memo, TDeviceFonts& device, bool monochrome)
    : m_memo(memo)
    , m_device(device)
    , m_flags(TPrintFlags::of(memo.options()))
    , m_highlight(memo.options().has(smoSyntaxHighlight))
    , m_monochrome(monochrome)
    , m_painter(device.fonts(), device.metrics(), TRowPainter::paperPalette())
{
    m_base = monochrome ? colors::clWhite : TStyleColors::styleColors(memo.settings(), 0).back;
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    m_dateTime = locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral(" - ")
        + locale.toString(now.time(), QLocale::LongFormat);
}

TPageBody TPageRenderer::body(const TRect& pageRect)
{
    const TViewerMetrics& m = m_device.metrics();
    if (!m_memo.OnPrintHeaderFooter)
        return TPageGeometry::body(pageRect, m_flags, m.lineHeight(), m.charWidth());
    QPicture scratch;
    QPainter p(&scratch);
    TRect area = pageRect;
    bool transparent = false;
    m_memo.OnPrintHeaderFooter(m_memo, p, area, transparent);
    return TPageGeometry::handlerBody(area, m_flags, m.lineHeight(), m.charWidth());
}

TPrintWrap TPageRenderer::wrap(const TPageBody& body) const
{
    return { m_flags.wrap, body.wrapWidth, &m_memo.tabStops() };
}

void TPageRenderer::drawPage(
    QPainter& p, const TRect& pageRect, const TPageBody& laid, const TPrintPage& page, int pageNo)
{
    TPageBody body = laid;
    const TViewerMetrics& m = m_device.metrics();
    if (m_memo.OnPrintHeaderFooter) {
        TRect area = pageRect;
        bool transparent = false;
        m_memo.OnPrintHeaderFooter(m_memo, p, area, transparent);
        if (transparent)
            m_transparent = true;
        TPageBody drawn = TPageGeometry::handlerBody(area, m_flags, m.lineHeight(), m.charWidth());
        drawn.wrapWidth = laid.wrapWidth;
        body = drawn;
    } else if (m_flags.builtInHeaderFooter()) {
        drawHeaderFooter(p, pageRect, pageNo);
    }
    const int lh = body.lineHeight;
    // The rows' default background, once for the page: rows then fill only what differs from it.
    const bool prefill = !m_transparent && !m_memo.OnDrawLine && page.rows > 0 && body.right > body.textLeft;
    if (prefill)
        p.fillRect(
            body.textLeft, body.top, body.right - body.textLeft, page.rows * lh, m_painter.color(m_base));
    int y = body.top;
    // The page's text is drawn in one glyph run per face and colour, after the rows' backgrounds.
    m_painter.setDeferred(p, prefill);
    TPageCursor::forEachRow(page, wrap(laid), m_rows, [&](const TPrintRowRef& ref) {
        if (m_flags.lineNumbers && ref.lineNumber > 0)
            drawLineNumber(p, pageRect.left, y, ref.lineNumber);
        drawRow(p, body, ref, y, prefill);
        y += lh;
    });
    m_painter.setDeferred(p, false);
    m_lastY = y;
}

void TPageRenderer::drawHeaderFooter(QPainter& p, const TRect& page, int pageNo)
{
    const int lh = m_device.metrics().lineHeight();
    p.setPen(Qt::black);
    p.setFont(m_device.fonts().font(TStyleColors::fontStyleOf(m_memo.settings(), 0)));
    const QRect box(page.left, page.top, page.width(), lh);
    constexpr int kLine = Qt::AlignTop | Qt::TextSingleLine;
    if (m_flags.title)
        p.drawText(box, Qt::AlignLeft | kLine, QString::fromStdString(m_memo.title()));
    if (m_flags.date)
        p.drawText(box, Qt::AlignRight | kLine, m_dateTime);
    if (m_flags.header()) {
        const int y = TPageGeometry::headerRuleY(page, lh);
        p.drawLine(page.left, y, page.right, y);
    }
    if (m_flags.pageNumbers) {
        const QRect footer(page.left, TPageGeometry::footerBoxY(page, lh), page.width(), lh);
        p.drawText(footer, Qt::AlignHCenter | kLine, QString::asprintf("- %d -", pageNo));
        const int y = TPageGeometry::footerRuleY(page, lh);
        p.drawLine(page.left, y, page.right, y);
    }
}

void TPageRenderer::drawLineNumber(QPainter& p, int x, int y, int number)
{
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%6d:", number);
    m_painter.drawText(p, x, y, text, n, TStyleColors::fontStyleOf(m_memo.settings(), 0), Qt::black);
}

void TPageRenderer::drawRow(
    QPainter& p, const TPageBody& body, const TPrintRowRef& ref, int y, bool prefilled)
{
    const TLineNode& node = *ref.node;
    const uint8_t* attrs = node.attrs();
    m_line.build(node.text() + ref.row.start, attrs ? attrs + ref.row.start : nullptr, ref.row.length,
        node.hasTab(), m_memo.tabStops());
    const int lh = body.lineHeight;
    if (m_memo.OnDrawLine) {
        TDrawLineInfo info;
        info.chars = m_line.chars();
        info.length = m_line.length();
        info.canvas = &p;
        info.rect = { body.textLeft, y, body.right, y + lh };
        info.offset = ref.nodeStart + ref.row.start;
        m_memo.OnDrawLine(m_memo, info);
        if (info.handled)
            return;
    }
    TRowLayoutParams params;
    params.settings = &m_memo.settings();
    params.metrics = &m_device.metrics();
    params.coloring.highlight = m_highlight;
    params.coloring.monochrome = m_monochrome;
    params.left = body.textLeft;
    params.right = body.right;
    TRowLayout::layout(m_line, params, m_plan);
    const bool cut
        = std::any_of(m_plan.runs.begin(), m_plan.runs.end(), [](const TRunPlan& r) { return r.clipped; });
    if (cut) {
        // A row cut at the right edge is drawn at once, within its clip.
        m_painter.setDeferred(p, false);
        p.save();
        p.setClipRect(QRect(body.textLeft, y, std::max(body.right - body.textLeft, 0), lh));
    }
    m_painter.paintRow(p, m_plan, m_line, y, body.right, !m_transparent,
        prefilled ? std::optional<int32_t>(m_base) : std::nullopt);
    if (cut) {
        p.restore();
        m_painter.setDeferred(p, prefilled);
    }
}

} // namespace lrl
