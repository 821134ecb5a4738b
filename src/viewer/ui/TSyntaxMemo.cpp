#include "viewer/ui/TSyntaxMemo.h"

#include "common/CodePage.h"
#include "viewer/print/ExportWriters.h"
#include "viewer/ui/TSyntaxMemoController.h"
#include "viewer/ui/TRowPainter.h"
#include "viewer/ui/TSyntaxMemoInput.h"
#include "viewer/ui/TViewerGlyphs.h"
#include "viewer/ui/ViewerClipboard.h"
#include "viewer/ui/ViewerColors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace lrl {

namespace {

    const QColor kSilver(192, 192, 192);

    Qt::ScrollBarPolicy policy(bool shown) { return shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff; }

} // namespace

TSyntaxMemo::TSyntaxMemo(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setCursor(Qt::IBeamCursor);
    setScrollBarWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    addListener(this);
    setMetricsSource(&m_fonts);
    installExportWriters(*this, ViewerClipboard::environment());

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncing)
            setTopLine(value);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncing)
            setScrollColumn(value);
    });
    updateScrollBars();
    m_input = std::make_unique<TSyntaxMemoInput>(*this);
}

TSyntaxMemo::TSyntaxMemo(TSyntaxMemoParser& parser, QWidget* parent)
    : TSyntaxMemo(parent)
{
    bindParser(parser);
}

TSyntaxMemo::~TSyntaxMemo()
{
    removeListener(this);
    setMetricsSource(nullptr);
}

QColor TSyntaxMemo::color(int32_t value) const { return viewerColor(value, palette()); }

ViewerColorPair TSyntaxMemo::colorPair(int32_t text, int32_t back) const { return viewerColors(text, back, palette()); }

void TSyntaxMemo::copyToClipboard() { ViewerClipboard::copy(*this); }

// --- Model events

void TSyntaxMemo::textChanged(TCustomSyntaxMemo&, const TTextChange&)
{
    if (painting())
        viewport()->update();
}

void TSyntaxMemo::textLoaded(TCustomSyntaxMemo&)
{
    updateScrollBars();
    viewport()->update();
}

void TSyntaxMemo::selectionChanged(TCustomSyntaxMemo&)
{
    restartCaret();
    emit selChange();
}

void TSyntaxMemo::viewChanged(TCustomSyntaxMemo&)
{
    updateScrollBars();
    if (painting())
        viewport()->update();
}

void TSyntaxMemo::repaintNeeded(TCustomSyntaxMemo&)
{
    if (painting())
        updateMarkedRows();
}

void TSyntaxMemo::optionsChanged(TCustomSyntaxMemo&, TSyntaxMemoOptions)
{
    updateScrollBars();
    viewport()->update();
}

// Only rows whose node is marked for repaint (or rescanning) are drawn again.
void TSyntaxMemo::updateMarkedRows()
{
    const int lh = std::max(metrics().lineHeight(), 1);
    TNodePos p = textStore().topLineCache(topLine());
    QRegion dirty;
    int rows = clientHeight() / lh + 1;
    for (int row = 0; p.node && row < rows; ++row, p.node = p.node->next)
        if (p.node->flags & (lfRepaint | lfRescan))
            dirty += QRect(0, row * lh, clientWidth(), lh);
    if (!dirty.isEmpty())
        viewport()->update(dirty);
}

void TSyntaxMemo::updateScrollBars()
{
    m_syncing = true;
    TScrollStyle bars = scrollBars();
    setVerticalScrollBarPolicy(policy(bars == ssVertical || bars == ssBoth));
    setHorizontalScrollBarPolicy(policy(bars == ssHorizontal || bars == ssBoth));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(textStore().lineCount() - 1, 0));
    v->setPageStep(std::max(rowsInWindow(), 1));
    v->setSingleStep(1);
    v->setValue(topLine());
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max({ textStore().longestLine() - 1, scrollColumn(), 0 }));
    h->setPageStep(std::max(clientWidth() / std::max(metrics().charWidth(), 1), 1));
    h->setSingleStep(1);
    h->setValue(scrollColumn());
    m_syncing = false;
}

void TSyntaxMemo::scrollCaret()
{
    TCustomSyntaxMemo::scrollCaret();
    updateScrollBars();
}

// --- Window events

void TSyntaxMemo::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    setClientSize(viewport()->width(), viewport()->height());
    updateScrollBars();
}

void TSyntaxMemo::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        setViewerEnabled(isEnabled());
        break;
    case QEvent::PaletteChange:
        viewport()->update();
        break;
    case QEvent::StyleChange:
        setScrollBarWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
        break;
    default:
        break;
    }
}

void TSyntaxMemo::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    setFocused(true);
    restartCaret();
    if (m_controller)
        m_controller->focusChanged(*this, true);
}

void TSyntaxMemo::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    setFocused(false);
    m_blink.stop();
    viewport()->update(m_caretDrawnAt.adjusted(-1, 0, 1, 0));
    viewport()->update(caretRect().adjusted(-1, 0, 1, 0));
    if (m_controller)
        m_controller->focusChanged(*this, false);
}

void TSyntaxMemo::restartCaret()
{
    m_caretOn = true;
    int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blink.start(flash / 2, this);
    viewport()->update(m_caretDrawnAt.adjusted(-1, 0, 1, 0));
    viewport()->update(caretRect().adjusted(-1, 0, 1, 0));
}

void TSyntaxMemo::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_blink.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    m_caretOn = !m_caretOn;
    viewport()->update(m_caretDrawnAt.adjusted(-1, 0, 1, 0));
    viewport()->update(caretRect().adjusted(-1, 0, 1, 0));
}

void TSyntaxMemo::keyPressEvent(QKeyEvent* event)
{
    if (!m_controller || !m_controller->keyPress(*this, event))
        QAbstractScrollArea::keyPressEvent(event);
}

void TSyntaxMemo::keyReleaseEvent(QKeyEvent* event)
{
    if (!m_controller || !m_controller->keyRelease(*this, event))
        QAbstractScrollArea::keyReleaseEvent(event);
}

void TSyntaxMemo::mousePressEvent(QMouseEvent* event)
{
    if (!m_controller || !m_controller->mousePress(*this, event))
        QAbstractScrollArea::mousePressEvent(event);
}

void TSyntaxMemo::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_controller || !m_controller->mouseMove(*this, event))
        QAbstractScrollArea::mouseMoveEvent(event);
}

void TSyntaxMemo::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_controller || !m_controller->mouseRelease(*this, event))
        QAbstractScrollArea::mouseReleaseEvent(event);
}

void TSyntaxMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_controller || !m_controller->mouseDoubleClick(*this, event))
        QAbstractScrollArea::mouseDoubleClickEvent(event);
}

// --- Painting

// While repainting is off (Lines.BeginUpdate) or updates are locked the window keeps what it shows:
// nothing is scanned, wrapped or drawn until they end, which asks for a repaint.
void TSyntaxMemo::paintEvent(QPaintEvent* event)
{
    if (!painting())
        return;
    QPainter painter(viewport());
    paintView(painter, event->rect());
}

QImage TSyntaxMemo::renderView()
{
    QImage image(std::max(clientWidth(), 1), std::max(clientHeight(), 1), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    paintView(painter, image.rect());
    return image;
}

QRect TSyntaxMemo::caretRect()
{
    TPoint pt = caretPos();
    return QRect(pt.x, pt.y, caretWidth(), metrics().lineHeight());
}

void TSyntaxMemo::paintView(QPainter& painter, const QRect& area)
{
    prepareDisplay();
    const int lh = std::max(metrics().lineHeight(), 1);
    const int width = clientWidth();
    const int height = clientHeight();
    if (width <= 0 || height <= 0)
        return;
    const int firstRow = std::max(area.top(), 0) / lh;
    const int lastRow = std::min(area.bottom(), height - 1) / lh;
    const int left = textLeft();
    const bool gutter = options().has(smoShowGutter) && this->gutter() > 0;
    const QColor base = color(viewerEnabled() ? TStyleColors::styleColors(settings(), 0).back : colors::clSilver);
    // On a dark palette a fixed margin colour beside the palette's text background would stand out as a
    // light bar; the margin then takes that background.
    const int32_t textBack = TStyleColors::styleColors(settings(), 0).back;
    const QColor margin = isDarkPalette(palette()) && marginColor() >= 0 && textBack < 0 ? color(textBack)
                                                                                       : color(marginColor());

    TNodePos p = textStore().topLineCache(topLine());
    for (int row = 0; row < firstRow && p.node; ++row) {
        p.start += p.node->length;
        p.node = p.node->next;
        ++p.line;
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        int y = row * lh;
        if (gutter)
            paintGutter(painter, p, y);
        int marginLeft = gutter ? this->gutter() : 0;
        if (left > marginLeft)
            painter.fillRect(marginLeft, y, left - marginLeft, lh, margin);
        if (p.node) {
            paintText(painter, p, y);
            p.start += p.node->length;
            p.node = p.node->next;
            ++p.line;
        } else if (width > left) {
            painter.fillRect(left, y, width - left, lh, base);
        }
    }
    paintGuides(painter, firstRow * lh, (lastRow + 1) * lh);
    paintFocusAndCaret(painter);
}

void TSyntaxMemo::paintGutter(QPainter& p, const TNodePos& row, int y)
{
    const int lh = std::max(metrics().lineHeight(), 1);
    const int gw = gutter();
    const ViewerColorPair gutterColors = colorPair(gutterFont().color, gutterColor());
    p.fillRect(0, y, gw, lh, gutterColors.back);
    if (gw > 9)
        p.fillRect(gw - 2, y, 1, lh, Qt::white);
    TGutterPlan plan = gutterPlan(row);
    QRect cell(0, y, std::max(gw - 2, 0), lh);
    switch (plan.glyph) {
    case TGutterPlan::WrapGlyph:
        TViewerGlyphs::drawWrapGlyph(p, cell);
        break;
    case TGutterPlan::BookmarkGlyph:
        TViewerGlyphs::drawBookmarkGlyph(p, cell, plan.bookmark);
        break;
    case TGutterPlan::BreakpointGlyph:
        TViewerGlyphs::drawBreakpointGlyph(p, cell);
        break;
    case TGutterPlan::NoGlyph:
        break;
    }
    if (plan.markImage >= 0) {
        QRect right(std::max(gw - 4 - TViewerGlyphs::kMarkWidth, 0), y, TViewerGlyphs::kMarkWidth + 2, lh);
        TViewerGlyphs::drawGutterMark(p, right, plan.markImage);
    }
    if (plan.lineNumber > 0) {
        p.setFont(m_fonts.gutterFont(gutterFont()));
        p.setPen(gutterColors.text);
        QRect box(2, y, std::max(gw - 2 - 5, 0), lh);
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, QString::number(plan.lineNumber));
    }
}

void TSyntaxMemo::paintText(QPainter& p, const TNodePos& row, int y)
{
    const int lh = std::max(metrics().lineHeight(), 1);
    const int width = clientWidth();
    const int left = textLeft();
    layoutRow(row, m_plan);
    const TDisplayLine& line = displayLine();
    rowPainted(*row.node);
    if (OnDrawLine) {
        TDrawLineInfo info;
        info.chars = line.chars();
        info.length = line.length();
        info.canvas = &p;
        info.rect = { left, y, width, y + lh };
        info.offset = row.start;
        info.scrollColumn = scrollColumn();
        OnDrawLine(*this, info);
        if (info.handled)
            return;
    }
    p.save();
    p.setClipRect(QRect(left, y, std::max(width - left, 0), lh));
    const bool marks = options().has(smoShowAllChars);
    TRowPainter painter(m_fonts, metrics(), palette());
    painter.paintRow(p, m_plan, line, y, width, true, {}, [&](const TRunPlan& run) {
        if (marks)
            drawAllCharsMarks(p, run, line, y);
    });
    if (marks && m_plan.endVisible && (row.node->endsLine() || row.node->next))
        TViewerGlyphs::drawLineEndMark(p, QRect(m_plan.fillX, y, metrics().charWidth(), lh), !row.node->endsLine());
    p.restore();
}

void TSyntaxMemo::drawAllCharsMarks(QPainter& p, const TRunPlan& run, const TDisplayLine& line, int y)
{
    const int lh = std::max(metrics().lineHeight(), 1);
    const char* chars = line.chars();
    const uint8_t* kinds = line.kinds();
    int x = run.x;
    for (int i = 0; i < run.count; ++i) {
        int column = run.column + i;
        int w = metrics().advance(run.fontStyle, static_cast<uint8_t>(chars[column]));
        if (kinds[column] == TDisplayLine::TabStart) {
            int span = w;
            for (int k = column + 1; k < run.column + run.count && kinds[k] == TDisplayLine::TabFill; ++k)
                span += metrics().advance(run.fontStyle, ' ');
            TViewerGlyphs::drawTabMark(p, QRect(x, y, span, lh));
        } else if (kinds[column] == TDisplayLine::Char && chars[column] == ' ') {
            TViewerGlyphs::drawBlankMark(p, QRect(x, y, w, lh));
        }
        x += w;
    }
}

void TSyntaxMemo::paintGuides(QPainter& p, int top, int bottom)
{
    bottom = std::min(bottom, clientHeight());
    int margin = rightMarginX();
    if (margin >= 0)
        p.fillRect(margin, top, 1, bottom - top, kSilver);
    int wrap = wrapColumnX();
    if (wrap >= 0)
        for (int y = top + (top & 1); y < bottom; y += 2)
            p.fillRect(wrap, y, 1, 1, kSilver);
}

void TSyntaxMemo::paintFocusAndCaret(QPainter& p)
{
    const int lh = std::max(metrics().lineHeight(), 1);
    const int left = textLeft();
    if (showFocusLine()) {
        int row = lineFromChar(selCaret()) - topLine();
        if (row >= 0 && row * lh < clientHeight()) {
            p.save();
            p.setPen(QPen(color(colors::clWindowText), 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(left, row * lh, clientWidth() - left - 1, lh - 1);
            p.restore();
        }
    }
    m_caretDrawnAt = QRect();
    if (!caretShown())
        return;
    QRect caret = caretRect();
    if (caret.left() < left || caret.left() >= clientWidth() || caret.bottom() < 0 || caret.top() >= clientHeight())
        return;
    m_caretDrawnAt = caret;
    p.save();
    p.setClipRect(QRect(left, 0, clientWidth() - left, clientHeight()));
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(caret, Qt::white);
    p.restore();
}

} // namespace lrl
