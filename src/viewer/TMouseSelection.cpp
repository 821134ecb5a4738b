#include "viewer/TMouseSelection.h"

#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TStyleColors.h"
#include "viewer/TextWords.h"

#include <algorithm>
#include <cstdlib>

namespace lrl {

namespace {

    // How near (in pixels) the pointer must be to a margin line to take hold of it.
    constexpr int kLineGrip = 2;

    // The first row of the logical line that holds the row.
    TNodePos firstRowOf(TNodePos row)
    {
        while (row.node && row.node->isContinuation() && row.node->prev) {
            row.node = row.node->prev;
            row.start -= row.node->length;
            --row.line;
        }
        return row;
    }

} // namespace

TMouseSelection::TMouseSelection(TCustomSyntaxMemo& memo, int doubleClickTime)
    : m_memo(memo)
    , m_doubleClickTime(doubleClickTime)
{
}

bool TMouseSelection::outsideText(TPoint pos) const
{
    return pos.x < m_memo.textLeft() || pos.x >= m_memo.clientWidth() || pos.y < 0 || pos.y >= m_memo.clientHeight();
}

int TMouseSelection::lineAt(TPoint pos) const
{
    return m_memo.topLine() + std::max(pos.y, 0) / std::max(m_memo.metrics().lineHeight(), 1);
}

// The column whose left edge is nearest to x, at least 1.
int TMouseSelection::columnAt(int x) const
{
    const int cw = std::max(m_memo.metrics().charWidth(), 1);
    const int dx = x - m_memo.textLeft();
    const int rounded = dx >= 0 ? (dx + cw / 2) / cw : -((-dx + cw / 2) / cw);
    return std::max(m_memo.scrollColumn() + rounded, 1);
}

// The character under the pointer with the pointer held inside the text area.
int TMouseSelection::offsetAtClamped(TPoint pos) const
{
    TPoint inside { std::clamp(pos.x, m_memo.textLeft(), std::max(m_memo.clientWidth() - 1, m_memo.textLeft())),
        std::clamp(pos.y, 0, std::max(m_memo.clientHeight() - 1, 0)) };
    return m_memo.charFromPos(inside);
}

// Single after a slow press; double after a quick press that followed a single one; triple after a quick
// press that followed a double one; the press after a triple click is state 4, the next one single.
void TMouseSelection::updateClickState(int line, int64_t time)
{
    const bool quick = m_pressedBefore && time >= m_lastPressTime && time - m_lastPressTime <= m_doubleClickTime;
    switch (m_clickState) {
    case csSingle:
        m_clickState = quick ? csDouble : csSingle;
        break;
    case csDouble:
        m_clickState = quick ? csTriple : csSingle;
        break;
    case csTriple:
        m_clickState = csAfterTriple;
        break;
    default:
        m_clickState = csSingle;
        break;
    }
    m_pressedBefore = true;
    m_lastPressTime = time;
    m_lastPressLine = line;
}

void TMouseSelection::press(TPoint pos, bool shift, int64_t time)
{
    if (pos.x < 0 || pos.x >= m_memo.clientWidth())
        return;
    m_selecting = m_dragPending = m_dragging = false;
    m_dragLine = MarginLine::None;
    const int line = lineAt(pos);
    const bool sameLine = line == m_lastPressLine;
    updateClickState(line, time);
    m_pressPos = m_last = pos;

    const TTextStore& store = m_memo.textStore();
    const bool gutterShown = m_memo.options().has(smoShowGutter) && m_memo.gutter() > 0;
    if (gutterShown && pos.x < m_memo.gutter()) {
        TNodePos row = store.findLine(line);
        if (OnGutterClick && row.node)
            OnGutterClick(m_memo, firstRowOf(row).line);
        return;
    }
    if (pos.x < m_memo.textLeft()) {
        TNodePos row = store.findLine(line);
        if (row.node)
            m_memo.setSelection(row.start, row.start + row.node->length);
        return;
    }
    if (m_hover != MarginLine::None) {
        m_dragLine = m_hover;
        m_dragColumn = columnAt(pos.x);
        m_guideX = m_memo.textLeft() + (m_dragColumn - m_memo.scrollColumn()) * m_memo.metrics().charWidth();
        m_cursor = Cursor::MarginDrag;
        return;
    }
    const int c = m_memo.charFromPos(pos);
    if (c < 0)
        return;
    m_memo.setRememberedColumn(m_memo.columnOfOffset(c));

    if (shift) {
        if (c < m_memo.selStart())
            m_memo.setSelection(m_memo.selEnd(), c);
        else
            m_memo.setSelection(m_memo.selStart(), c);
        m_selecting = true;
        return;
    }
    switch (m_clickState) {
    case csDouble:
        m_memo.setSelection(c, c); // the double-click notification selects the word
        return;
    case csTriple:
        if (sameLine) {
            if (OnTripleClick)
                OnTripleClick(m_memo, pos, c);
            else
                selectRow(c);
            return;
        }
        break;
    default:
        if (m_memo.selStart() != m_memo.selEnd() && c >= m_memo.selStart() && c <= m_memo.selEnd()) {
            m_dragPending = true;
            return;
        }
        break;
    }
    m_memo.setSelection(c, c);
    m_selecting = true;
}

// The row (node) that holds the offset, from its first character to the end of the node, line end
// included.
void TMouseSelection::selectRow(int offset)
{
    TNodePos row = m_memo.textStore().findOffset(offset);
    if (row.node)
        m_memo.setSelection(row.start, row.start + row.node->length);
    else
        m_memo.setSelection(offset, offset);
}

void TMouseSelection::doubleClick(TPoint pos)
{
    if (!m_memo.options().has(smoWordSelect) || outsideText(pos))
        return;
    if (m_clickState != csSingle && m_clickState != csDouble)
        return;
    const int caret = m_memo.selCaret();
    TNodePos row = m_memo.textStore().findOffset(caret);
    auto [from, to] = TextWords::wordAt(row, m_memo.wordTests(), caret);
    m_selecting = false;
    m_memo.setSelection(from, to);
    m_memo.setRememberedColumn(m_memo.columnOfOffset(to));
}

void TMouseSelection::move(TPoint pos, bool leftDown)
{
    m_last = pos;
    if (!leftDown) {
        m_selecting = m_dragPending = false;
        m_dragLine = MarginLine::None;
        hover(pos);
        return;
    }
    if (m_dragLine != MarginLine::None) {
        m_dragColumn = columnAt(pos.x);
        m_guideX = m_memo.textLeft() + (m_dragColumn - m_memo.scrollColumn()) * m_memo.metrics().charWidth();
        return;
    }
    if (m_dragPending) {
        const int distance = std::abs(pos.x - m_pressPos.x) + std::abs(pos.y - m_pressPos.y);
        if (m_memo.options().has(smoOLEDragSource) && distance >= m_dragDistance)
            startDrag();
        return;
    }
    if (m_selecting)
        follow(pos);
}

void TMouseSelection::follow(TPoint pos)
{
    const int c = offsetAtClamped(pos);
    if (c < 0)
        return;
    m_memo.setSelection(m_memo.selAnchor(), c);
    m_memo.setRememberedColumn(m_memo.columnOfOffset(c));
}

void TMouseSelection::autoScroll()
{
    if (!autoScrolling())
        return;
    const int dy = m_last.y < 0 ? -1 : (m_last.y >= m_memo.clientHeight() ? 1 : 0);
    const int dx = m_last.x < m_memo.textLeft() ? -1 : (m_last.x >= m_memo.clientWidth() ? 1 : 0);
    if (dy)
        m_memo.scrollLines(dy);
    if (dx)
        m_memo.scrollColumns(dx);
    follow(m_last);
}

// The drag of a read-only viewer copies: whatever the drop did, the selection and the caret stay where
// they were.
void TMouseSelection::startDrag()
{
    m_dragPending = false;
    m_dragging = true;
    const int anchor = m_memo.selAnchor();
    const int caret = m_memo.selCaret();
    if (OnStartDrag)
        OnStartDrag(m_memo);
    m_dragging = false;
    m_selecting = false;
    m_memo.setSelection(anchor, caret);
}

void TMouseSelection::release(TPoint pos)
{
    m_last = pos;
    if (m_dragPending) {
        const int c = offsetAtClamped(pos);
        if (c >= 0) {
            m_memo.setSelection(c, c);
            m_memo.setRememberedColumn(m_memo.columnOfOffset(c));
        }
    }
    m_selecting = m_dragPending = m_dragging = false;
    if (m_dragLine != MarginLine::None) {
        const int column = columnAt(pos.x);
        if (m_dragLine == MarginLine::RightMargin)
            m_memo.setRightMargin(column);
        else
            m_memo.setWrapAtColumn(column);
        m_dragLine = MarginLine::None;
        m_guideX = -1;
    }
    hover(pos);
}

// Over a margin line beyond the end of the row's text the line can be taken; over a character of a
// hyperlink style the hyperlink cursor shows and OnHyperlinkHover is told.
void TMouseSelection::hover(TPoint pos)
{
    m_hover = MarginLine::None;
    m_cursor = Cursor::Text;
    if (outsideText(pos))
        return;
    const TTextStore& store = m_memo.textStore();
    TNodePos row = store.findLine(lineAt(pos));
    const int rowEnd = row.node ? row.start + row.node->textLength() : -1;
    const int endX = row.node ? m_memo.posFromChar(rowEnd).x : m_memo.textLeft();
    if (pos.x >= endX) {
        const int margin = m_memo.rightMarginX();
        const int wrap = m_memo.wrapColumnX();
        if (margin >= 0 && std::abs(pos.x - margin) <= kLineGrip)
            m_hover = MarginLine::RightMargin;
        else if (wrap >= 0 && std::abs(pos.x - wrap) <= kLineGrip)
            m_hover = MarginLine::WrapColumn;
        if (m_hover != MarginLine::None)
            m_cursor = Cursor::MarginDrag;
        return;
    }
    const int c = m_memo.charFromPos(pos);
    if (c < row.start || c >= rowEnd || !row.node->attrs())
        return;
    const TSM_Settings& s = m_memo.settings();
    uint8_t style = TStyleColors::styleOf(s, row.node->attrs()[c - row.start], m_memo.options().has(smoSyntaxHighlight));
    if (!s.effects[style].hotSpot)
        return;
    m_cursor = Cursor::Hyperlink;
    if (OnHyperlinkHover)
        OnHyperlinkHover(m_memo, c);
}

} // namespace lrl
