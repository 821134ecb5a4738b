// The display model of TCustomSyntaxMemo: metrics, display settings, word wrap, row layout, positions and
// scrolling. The scan is in TCustomSyntaxMemoScan.cpp.

#include "viewer/TCustomSyntaxMemo.h"

#include "scheme/TSyntaxMemoParser.h"
#include "viewer/TMetricsSource.h"
#include "viewer/TSyntaxMemoListener.h"

#include <climits>
#include <cmath>

namespace lrl {

namespace {

    // Sets a flag for the lifetime of the object and restores it on every exit.
    class FlagGuard {
    public:
        explicit FlagGuard(bool& flag)
            : m_flag(flag)
            , m_old(flag)
        {
            m_flag = true;
        }
        ~FlagGuard() { m_flag = m_old; }
        FlagGuard(const FlagGuard&) = delete;
        FlagGuard& operator=(const FlagGuard&) = delete;

    private:
        bool& m_flag;
        bool m_old;
    };

    constexpr int kScrollStep = 8;

} // namespace

// --- Metrics and geometry

void TCustomSyntaxMemo::setMetricsSource(TMetricsSource* source)
{
    m_metricsSource = source;
    m_metricsCodePage = codePage();
    if (source)
        source->setCodePage(m_metricsCodePage);
    recomputeMetrics();
}

void TCustomSyntaxMemo::followCodePage()
{
    m_metricsCodePage = codePage();
    if (m_metricsSource)
        m_metricsSource->setCodePage(m_metricsCodePage);
    m_metrics.compute(m_metricsSource, m_settings.font);
}

void TCustomSyntaxMemo::recomputeMetrics()
{
    m_metrics.compute(m_metricsSource, m_settings.font);
    layoutChanged(true);
}

void TCustomSyntaxMemo::setClientSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_clientWidth && height == m_clientHeight)
        return;
    bool widthChanged = width != m_clientWidth;
    m_clientWidth = width;
    m_clientHeight = height;
    updateWindowSize();
    if (widthChanged && options().has(smoWordWrap) && m_settings.wrapAtColumn <= 0)
        rewrapAll();
    notify([&](TSyntaxMemoListener& l) { l.viewChanged(*this); });
}

void TCustomSyntaxMemo::setScrollBarWidth(int width)
{
    width = std::max(width, 0);
    if (width == m_scrollBarWidth)
        return;
    m_scrollBarWidth = width;
    if (options().has(smoWordWrap) && m_settings.wrapAtColumn <= 0)
        rewrapAll();
}

int TCustomSyntaxMemo::textLeft() const
{
    return m_settings.marginWidth + (options().has(smoShowGutter) ? m_settings.gutterWidth : 0);
}

int TCustomSyntaxMemo::wrapWidth() const
{
    int width = m_settings.wrapAtColumn > 0 ? m_settings.wrapAtColumn * m_metrics.charWidth()
                                            : m_clientWidth - textLeft() - 2 * m_scrollBarWidth;
    return width < 1 ? 8 : width;
}

// Rows and columns that fit the client area; before the window has a size the model keeps its 40 rows
// and 80 columns.
void TCustomSyntaxMemo::updateWindowSize()
{
    if (m_clientWidth <= 0 && m_clientHeight <= 0)
        return;
    setRowsInWindow(m_clientHeight / std::max(m_metrics.lineHeight(), 1));
    setColumnsInWindow((m_clientWidth - textLeft()) / std::max(m_metrics.charWidth(), 1));
}

void TCustomSyntaxMemo::layoutChanged(bool rewrap)
{
    updateWindowSize();
    if (rewrap && options().has(smoWordWrap))
        rewrapAll();
    notify([&](TSyntaxMemoListener& l) { l.viewChanged(*this); });
    repaintAll();
}

// The text's left edge or the client width moved: rows, columns and word wrap at the window edge follow.
void TCustomSyntaxMemo::geometryChanged() { layoutChanged(m_settings.wrapAtColumn <= 0); }

void TCustomSyntaxMemo::repaintAll()
{
    m_store->markAll(lfRepaint);
    notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
}

// --- Display settings

void TCustomSyntaxMemo::setTextFont(const TSM_Font& font)
{
    m_settings.font.name = font.name;
    m_settings.font.size = font.size;
    m_settings.font.charSet = font.charSet;
    if (TSyntaxMemoParser* parser = m_parsers.parser(m_parsers.activeIndex()))
        parser->settings().font = m_settings.font;
    recomputeMetrics();
}

void TCustomSyntaxMemo::setGutterFont(const TSM_GutterFont& font)
{
    m_settings.gutterFont = font;
    repaintAll();
}

bool TCustomSyntaxMemo::setGutter(int width)
{
    if (m_clientWidth <= 0 || width < 0 || (width >= 1 && width <= 33))
        return false;
    if (std::lround(width * 100.0 / m_clientWidth) > 20)
        return false;
    if (width != m_settings.gutterWidth) {
        m_settings.gutterWidth = width;
        geometryChanged();
    }
    return true;
}

bool TCustomSyntaxMemo::setMargin(int width)
{
    if (width < 0 || width > m_metrics.charWidth())
        return false;
    if (width != m_settings.marginWidth) {
        m_settings.marginWidth = width;
        geometryChanged();
    }
    return true;
}

void TCustomSyntaxMemo::setGutterColor(int32_t color)
{
    m_settings.gutterColor = color;
    repaintAll();
}

void TCustomSyntaxMemo::setMarginColor(int32_t color)
{
    m_settings.marginColor = color;
    repaintAll();
}

void TCustomSyntaxMemo::setRightMargin(int column)
{
    m_settings.rightMargin = column;
    repaintAll();
}

void TCustomSyntaxMemo::setWrapAtColumn(int column)
{
    if (column == m_settings.wrapAtColumn)
        return;
    m_settings.wrapAtColumn = column;
    layoutChanged(true);
}

void TCustomSyntaxMemo::setWrapOverride(const std::string& chars)
{
    if (chars == m_settings.wrapOverride)
        return;
    m_settings.wrapOverride = chars.substr(0, TSM_Settings::kMaxWrapOverride);
    layoutChanged(true);
}

void TCustomSyntaxMemo::setSelTextColor(int32_t color)
{
    m_settings.selTextColor = color;
    repaintAll();
}

void TCustomSyntaxMemo::setSelTextBack(int32_t color)
{
    m_settings.selTextBack = color;
    repaintAll();
}

void TCustomSyntaxMemo::setShowFocusLine(bool on)
{
    m_showFocusLine = on;
    repaintAll();
}

void TCustomSyntaxMemo::setHideSelection(bool on)
{
    m_hideSelection = on;
    repaintAll();
}

void TCustomSyntaxMemo::setScrollBars(TScrollStyle bars)
{
    m_scrollBars = bars;
    notify([&](TSyntaxMemoListener& l) { l.viewChanged(*this); });
}

void TCustomSyntaxMemo::setFocused(bool focused)
{
    if (focused == m_focused)
        return;
    m_focused = focused;
    if (m_hideSelection && selStart() != selEnd())
        repaintAll();
}

void TCustomSyntaxMemo::setViewerEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    repaintAll();
}

void TCustomSyntaxMemo::setOverwrite(bool on)
{
    m_overwrite = on;
    notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
}

// A new settings object (a scheme taken over): metrics when the font changed, word wrap when its
// parameters did.
void TCustomSyntaxMemo::settingsChanged(const TSM_Settings& old)
{
    bool fontChanged = !(old.font == m_settings.font);
    bool wrapChanged = old.wrapAtColumn != m_settings.wrapAtColumn || old.wrapOverride != m_settings.wrapOverride
        || old.tabDefault != m_settings.tabDefault || old.tabColumns != m_settings.tabColumns;
    bool geometry = old.gutterWidth != m_settings.gutterWidth || old.marginWidth != m_settings.marginWidth;
    if (fontChanged)
        m_metrics.compute(m_metricsSource, m_settings.font);
    if (fontChanged || wrapChanged || geometry)
        layoutChanged(options().has(smoWordWrap));
}

void TCustomSyntaxMemo::optionsApplied(TSyntaxMemoOptions old)
{
    TSyntaxMemoOptions now = options();
    if (!old.has(smoSyntaxHighlight) && now.has(smoSyntaxHighlight)) {
        m_store->markAll(lfRescan);
        m_scanHint = 0;
    }
    bool wrap = old.has(smoWordWrap) != now.has(smoWordWrap)
        || (now.has(smoWordWrap) && old.has(smoWrapOverride) != now.has(smoWrapOverride));
    if (wrap) {
        rewrapAll();
        notify([&](TSyntaxMemoListener& l) { l.viewChanged(*this); });
    }
    if (old.has(smoShowGutter) != now.has(smoShowGutter))
        geometryChanged();
}

// --- Word wrap

TWrapParams TCustomSyntaxMemo::wrapParams()
{
    TWrapParams p;
    p.wordWrap = options().has(smoWordWrap);
    p.wrapOverride = options().has(smoWrapOverride);
    p.overrideChars = m_settings.wrapOverride;
    p.wrapWidth = wrapWidth();
    p.metrics = &m_metrics;
    p.fontStyle = TStyleColors::fontStyleOf(m_settings, 0);
    p.tabs = &m_tabs;
    p.breakProc = OnWordBreakProc ? &OnWordBreakProc : nullptr;
    p.valuesCurrent = m_scanHint < 0 && scanSource() && options().has(smoSyntaxHighlight);
    return p;
}

void TCustomSyntaxMemo::rewrapAll()
{
    m_wrapFrom = m_wrapTo = -1;
    rescan();
    rewrapRange(0, INT_MAX);
}

void TCustomSyntaxMemo::rewrapRange(int from, int to)
{
    if (m_store->empty() || m_updateLock) {
        if (m_updateLock && !m_store->empty()) {
            m_wrapFrom = m_wrapFrom < 0 ? from : std::min(m_wrapFrom, from);
            m_wrapTo = std::max(m_wrapTo, to);
        }
        return;
    }
    int topOffset = m_store->topLineCache(m_topLine).start;
    TWrapParams params = wrapParams();
    TWrapResult result;
    {
        FlagGuard wrapping(m_wrapping);
        result = m_wrap.rewrap(*m_store, params, from, to);
    }
    if (!result.changed)
        return;
    if (!params.valuesCurrent)
        lowerScanHint(result.first);
    invalidateLineNumbers();
    clampView();
    int top = lineFromChar(topOffset);
    if (top != m_topLine)
        setTopLine(top);
    notify([&](TSyntaxMemoListener& l) { l.viewChanged(*this); });
    repaintAll();
}

void TCustomSyntaxMemo::processPendingWrap()
{
    if (m_wrapFrom < 0 || m_updateLock)
        return;
    int from = m_wrapFrom;
    int to = m_wrapTo;
    m_wrapFrom = m_wrapTo = -1;
    if (!options().has(smoWordWrap))
        return;
    rescan();
    rewrapRange(from, to);
}

// A change of the store's text (not a load, not word wrap's own re-cutting).
void TCustomSyntaxMemo::displayTextChanged(const TTextChange& change)
{
    invalidateLineNumbers();
    if (m_wrapping)
        return;
    lowerScanHint(change.line);
    if (change.wholeText || !options().has(smoWordWrap))
        return;
    int to = change.offset + change.inserted;
    m_wrapFrom = m_wrapFrom < 0 ? change.offset : std::min(m_wrapFrom, change.offset);
    m_wrapTo = std::max(m_wrapTo, to);
}

// The scan follows every change of text at once, not only the next paint: a viewer that is never shown
// (the print buffer) reports the tokens of text appended to it while it is being filled.
void TCustomSyntaxMemo::afterEdit()
{
    processPendingWrap();
    rescan();
}

// --- Rows

int TCustomSyntaxMemo::lineNumberOf(int line) const
{
    if (!options().has(smoWordWrap) || m_store->empty())
        return line + 1;
    line = std::clamp(line, 0, m_store->lineCount() - 1);
    // Start from the nearest node whose number is known: the head, the tail or the one counted last.
    const TLineNode* last = m_store->last();
    TNodePos p { m_store->first(), 0, 0 };
    int number = 1;
    int tailLine = m_store->lineCount() - 1;
    if (tailLine - line < line) {
        p = { const_cast<TLineNode*>(last), tailLine, 0 };
        number = 1 + m_store->lineEndCount() - (last->endsLine() ? 1 : 0);
    }
    if (m_numbered.node && std::abs(m_numbered.line - line) < std::abs(p.line - line)) {
        p = m_numbered;
        number = m_numberedValue;
    }
    while (p.line < line) {
        number += p.node->endsLine() ? 1 : 0;
        p.node = p.node->next;
        ++p.line;
    }
    while (p.line > line) {
        p.node = p.node->prev;
        --p.line;
        number -= p.node->endsLine() ? 1 : 0;
    }
    m_numbered = p;
    m_numberedValue = number;
    return number;
}

bool TCustomSyntaxMemo::selectionShown() const
{
    return selStart() != selEnd() && (m_focused || !m_hideSelection);
}

int TCustomSyntaxMemo::guideX(int column) const
{
    if (column < m_scrollColumn)
        return -1;
    int x = textLeft() + (column - m_scrollColumn) * m_metrics.charWidth();
    return x < m_clientWidth ? x : -1;
}

int TCustomSyntaxMemo::rightMarginX() const
{
    return options().has(smoShowRMargin) ? guideX(m_settings.rightMargin) : -1;
}

int TCustomSyntaxMemo::wrapColumnX() const
{
    TSyntaxMemoOptions o = options();
    if (!o.has(smoWordWrap) || !o.has(smoShowWrapColumn) || m_settings.wrapAtColumn < 1)
        return -1;
    return guideX(m_settings.wrapAtColumn);
}

TRowColoring TCustomSyntaxMemo::rowColoring(const TNodePos& row) const
{
    TRowColoring c;
    c.highlight = options().has(smoSyntaxHighlight);
    c.disabled = !m_enabled;
    if (row.node) {
        c.lineColors = row.node->lineColors();
        if (const auto* bp = m_store->breakpoints().find(row.line))
            c.breakpoint = &bp->colors;
    }
    c.selection = { m_settings.selTextColor, m_settings.selTextBack };
    return c;
}

void TCustomSyntaxMemo::layoutRow(const TNodePos& row, TRowPlan& plan)
{
    const TLineNode& node = *row.node;
    m_displayLine.build(node, m_tabs);
    m_displayLine.addLineEnd();
    TRowLayoutParams p;
    p.settings = &m_settings;
    p.metrics = &m_metrics;
    p.coloring = rowColoring(row);
    p.left = textLeft();
    p.right = m_clientWidth;
    p.scrollColumn = m_scrollColumn;
    if (selectionShown()) {
        int a = std::clamp(selStart() - row.start, 0, static_cast<int>(node.length));
        int b = std::clamp(selEnd() - row.start, 0, static_cast<int>(node.length));
        p.selFrom = m_displayLine.columnOf(a);
        p.selTo = m_displayLine.columnOf(b);
        int end = row.start + node.textLength();
        p.selectionPastEnd = selStart() <= end && selEnd() > end;
    }
    TRowLayout::layout(m_displayLine, p, plan);
}

void TCustomSyntaxMemo::rowPainted(TLineNode& node) const
{
    uint32_t done = lfRepaint;
    if (m_scanHint < 0 || !scanSource() || !options().has(smoSyntaxHighlight))
        done |= lfRescan | lfScanStart;
    node.flags &= ~done;
}

TGutterPlan TCustomSyntaxMemo::gutterPlan(const TNodePos& row) const
{
    if (!row.node)
        return {};
    bool breakpoint = m_store->breakpoints().find(row.line) != nullptr;
    return TGutterPlan::forNode(row.node, lineNumberOf(row.line), breakpoint, options());
}

// --- Positions

// The x of a display column of a row, relative to the text's left edge and the scroll column.
int TCustomSyntaxMemo::columnX(const TDisplayLine& line, int column) const
{
    bool highlight = options().has(smoSyntaxHighlight);
    if (column >= m_scrollColumn)
        return TRowLayout::span(line, m_scrollColumn, column, m_settings, m_metrics, highlight);
    return -TRowLayout::span(line, column, m_scrollColumn, m_settings, m_metrics, highlight);
}

TPoint TCustomSyntaxMemo::posFromChar(int offset)
{
    TNodePos p = m_store->findOffset(offset);
    TPoint pt { textLeft(), (p.line - m_topLine) * m_metrics.lineHeight() };
    if (!p.node) {
        pt.x -= m_scrollColumn * m_metrics.charWidth();
        return pt;
    }
    m_displayLine.build(*p.node, m_tabs);
    pt.x += columnX(m_displayLine, m_displayLine.columnOf(std::max(offset, 0) - p.start));
    return pt;
}

int TCustomSyntaxMemo::charFromPos(TPoint pos)
{
    if (pos.x < textLeft() || pos.x >= m_clientWidth || pos.y < 0 || pos.y >= m_clientHeight)
        return -1;
    if (m_store->empty())
        return 0;
    int line = m_topLine + pos.y / std::max(m_metrics.lineHeight(), 1);
    if (line >= m_store->lineCount())
        return m_store->charCount();
    TNodePos p = m_store->findLine(line);
    m_displayLine.build(*p.node, m_tabs);
    bool highlight = options().has(smoSyntaxHighlight);
    int x = textLeft();
    int column = m_scrollColumn;
    const char* chars = m_displayLine.chars();
    const uint8_t* values = m_displayLine.values();
    while (column < m_displayLine.length()) {
        uint8_t style = TStyleColors::styleOf(m_settings, values[column], highlight);
        int w = m_metrics.advance(TStyleColors::fontStyleOf(m_settings, style), static_cast<uint8_t>(chars[column]));
        if (x + w > pos.x)
            break;
        x += w;
        ++column;
    }
    int k = std::min(m_displayLine.charAt(column), p.node->textLength());
    return p.start + k;
}

TPoint TCustomSyntaxMemo::caretPos()
{
    TPoint pt = posFromChar(m_caret);
    if (options().has(smoCaretAfterEOL) && m_metrics.fixedPitch()) {
        TNodePos p = m_store->findOffset(m_caret);
        int column = columnOfOffset(m_caret);
        bool atEnd = !p.node || m_caret >= p.start + p.node->textLength();
        if (atEnd && m_rememberedColumn > column)
            pt.x = textLeft() + (m_rememberedColumn - m_scrollColumn) * m_metrics.charWidth();
    }
    return pt;
}

int TCustomSyntaxMemo::caretWidth()
{
    if (!m_overwrite || !options().has(smoBlockOverwriteCursor))
        return 2;
    TNodePos p = m_store->findOffset(m_caret);
    if (!p.node || m_caret >= p.start + p.node->textLength())
        return m_metrics.charWidth();
    m_displayLine.build(*p.node, m_tabs);
    int column = m_displayLine.columnOf(m_caret - p.start);
    int next = m_displayLine.columnOf(m_caret - p.start + 1);
    return TRowLayout::span(
        m_displayLine, column, next, m_settings, m_metrics, options().has(smoSyntaxHighlight));
}

// --- Scrolling

void TCustomSyntaxMemo::scrollCaret()
{
    int line = lineFromChar(m_caret);
    int rows = std::max(m_rows, 1);
    int top = m_topLine;
    if (line < top)
        top = line;
    else if (line >= top + rows)
        top = line - rows + 1;
    setTopLine(top);

    int column = columnOfOffset(m_caret);
    int columns = std::max(m_columns, 1);
    int scroll = m_scrollColumn;
    if (options().has(smoWordWrap) && column < columns)
        while (scroll > 0)
            scroll -= kScrollStep;
    while (column < scroll)
        scroll -= kScrollStep;
    while (column >= scroll + columns)
        scroll += kScrollStep;
    // LongestLine counts characters; a line with TABs has more columns than that.
    const int limit = std::max(m_store->longestLine(), column + 1);
    scrollToColumn(std::max(scroll, 0), limit);

    // A proportional font can put the caret beyond the right edge while its column still counts as
    // visible.
    if (m_clientWidth <= 0)
        return;
    int length = std::max(lineLength(m_caret), column);
    while (posFromChar(m_caret).x > m_clientWidth && length > m_scrollColumn) {
        int before = m_scrollColumn;
        scrollToColumn(m_scrollColumn + kScrollStep, limit);
        if (m_scrollColumn == before)
            break;
    }
}

} // namespace lrl
