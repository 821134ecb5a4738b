#include "viewer/TCustomSyntaxMemo.h"

#include "common/Exception.h"
#include "scheme/TSyntaxMemoParser.h"
#include "viewer/TPlainTextWriter.h"
#include "viewer/TSyntaxMemoListener.h"
#include "viewer/TSyntaxMemoStrings.h"
#include "viewer/keymap/DefaultKeyMap.h"

#include <algorithm>
#include <climits>

namespace lrl {

TCustomSyntaxMemo::TCustomSyntaxMemo()
    : m_store(std::make_shared<TTextStore>())
    , m_lines(std::make_unique<TSyntaxMemoStrings>(*this))
    , m_scan(*m_store)
{
    m_settings.keys = defaultKeyMap();
    m_store->addClient(this);
    m_store->breakpoints().setOwner(this);
    m_store->setRescanSpan(m_rows + 2);
}

TCustomSyntaxMemo::TCustomSyntaxMemo(TSyntaxMemoParser& parser)
    : TCustomSyntaxMemo()
{
    bindParser(parser);
}

TCustomSyntaxMemo::~TCustomSyntaxMemo()
{
    // Every component still bound lets the viewer go (which empties its slots).
    for (int i = 1; i <= TSyntaxMemoParserSlots::kSlots; ++i)
        if (TSyntaxMemoParser* parser = m_parsers.parser(i))
            parser->detachViewer(*this);
    m_store->removeClient(this);
    if (m_store->breakpoints().owner() == this)
        m_store->breakpoints().setOwner(nullptr);
}

void TCustomSyntaxMemo::notify(const std::function<void(TSyntaxMemoListener&)>& call)
{
    auto listeners = m_listeners;
    for (auto* l : listeners)
        call(*l);
}

void TCustomSyntaxMemo::addListener(TSyntaxMemoListener* listener)
{
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void TCustomSyntaxMemo::removeListener(TSyntaxMemoListener* listener) { std::erase(m_listeners, listener); }

void TCustomSyntaxMemo::attachToStoreOf(TCustomSyntaxMemo& other)
{
    if (other.m_store == m_store)
        return;
    m_store->removeClient(this);
    if (m_store->breakpoints().owner() == this)
        m_store->breakpoints().setOwner(nullptr);
    m_store = other.m_store;
    ++m_textGeneration;
    m_store->addClient(this);
    m_scan.setStore(*m_store);
    m_scanHint = 0;
    invalidateLineNumbers();
    m_store->setRescanSpan(std::max(m_store->rescanSpan(), m_rows + 2));
    m_anchor = std::min(m_anchor, m_store->charCount());
    m_caret = std::min(m_caret, m_store->charCount());
    clampView();
    m_store->markAll(lfRepaint);
    notify([&](TSyntaxMemoListener& l) { l.viewChanged(*this); });
    notify([&](TSyntaxMemoListener& l) { l.selectionChanged(*this); });
    notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
}

// A change of the store: from this viewer's own edits, from another viewer on the same store, or from the
// display layer re-cutting nodes.
void TCustomSyntaxMemo::textStoreChanged(const TTextChange& change)
{
    ++m_textGeneration;
    if (m_loading)
        return; // the load reports once, at its end
    if (!m_editing) {
        m_anchor = std::min(m_anchor, m_store->charCount());
        m_caret = std::min(m_caret, m_store->charCount());
    }
    displayTextChanged(change);
    clampView();
    notify([&](TSyntaxMemoListener& l) { l.textChanged(*this, change); });
}

void TCustomSyntaxMemo::bookmarksChanged()
{
    notify([&](TSyntaxMemoListener& l) { l.bookmarksChanged(*this); });
    notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
}

// --- Options and tab stops

void TCustomSyntaxMemo::setSettings(const TSM_Settings& settings)
{
    TSyntaxMemoOptions old = options();
    TSM_Settings previous = std::exchange(m_settings, settings);
    m_tabs = TTabStops::fromSettings(m_settings);
    m_store->markAll(lfRepaint);
    settingsChanged(previous);
    if (old != options()) {
        notify([&](TSyntaxMemoListener& l) { l.optionsChanged(*this, old); });
        optionsApplied(old);
    }
    notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
}

void TCustomSyntaxMemo::setOptions(TSyntaxMemoOptions options)
{
    TSyntaxMemoOptions old = this->options();
    if (old == options)
        return;
    m_settings.options = options.bits();
    m_store->markAll(lfRepaint);
    notify([&](TSyntaxMemoListener& l) { l.optionsChanged(*this, old); });
    optionsApplied(old);
    notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
}

void TCustomSyntaxMemo::setTabDefault(int width)
{
    m_tabs.setTabDefault(width);
    tabsChanged();
}

void TCustomSyntaxMemo::setTabColumns(std::string_view columns)
{
    m_tabs.setTabColumns(columns);
    tabsChanged();
}

void TCustomSyntaxMemo::tabsChanged()
{
    m_tabs.toSettings(m_settings);
    m_store->markAll(lfRepaint);
    notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
}

int TCustomSyntaxMemo::columnOfOffset(int offset) const
{
    TNodePos p = m_store->findOffset(offset);
    if (!p.node)
        return 0;
    return m_tabs.columnOfChar(*p.node, std::max(offset, 0) - p.start);
}

int TCustomSyntaxMemo::offsetAtColumn(int line, int column) const
{
    TNodePos p = m_store->findLine(line);
    if (!p.node)
        return p.start;
    return p.start + m_tabs.charAtColumn(*p.node, column);
}

// --- Selection

int TCustomSyntaxMemo::selLength() const
{
    unsigned flags = selLineStyle() == lsCRLF ? wfAddLF : 0;
    return static_cast<int>(TPlainTextWriter(*m_store, selStart(), selEnd(), flags).length());
}

void TCustomSyntaxMemo::setSelStart(int offset) { setSelection(offset, offset); }

void TCustomSyntaxMemo::setSelLength(int length)
{
    int start = std::clamp(selStart(), 0, m_store->charCount());
    length = std::max(length, 0);
    if (selLineStyle() != lsCRLF) {
        setSelection(
            start, static_cast<int>(std::min<int64_t>(int64_t(start) + length, m_store->charCount())));
        return;
    }
    // Count in the CR LF form: each line-end CR takes two of the length.
    TNodePos p = m_store->findOffset(start);
    int pos = start;
    int left = length;
    for (const TLineNode* n = p.node; n && left > 0; n = n->next) {
        int plain = n->textLength() - (pos - p.start);
        if (plain < 0)
            plain = 0;
        if (left <= plain) {
            pos += left;
            left = 0;
            break;
        }
        pos += plain;
        left -= plain;
        if (n->endsLine()) {
            pos += 1;
            left -= 2;
        }
        p.start += n->length;
        pos = std::max(pos, p.start);
    }
    setSelection(start, pos);
}

std::string TCustomSyntaxMemo::selText() const
{
    return TPlainTextWriter(*m_store, selStart(), selEnd(), 0).text();
}

void TCustomSyntaxMemo::setSelection(int start, int end, bool repaint)
{
    int count = m_store->charCount();
    if (start == -1) {
        start = 0;
        end = count;
    }
    start = std::clamp(start, 0, count);
    end = std::clamp(end, 0, count);
    int oldStart = selStart();
    int oldEnd = selEnd();
    m_anchor = start;
    m_caret = end;
    if (repaint && !m_updateLock && m_redraw) {
        markForRepaint(oldStart, oldEnd);
        markForRepaint(selStart(), selEnd());
        notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
    }
    notify([&](TSyntaxMemoListener& l) { l.selectionChanged(*this); });
}

// Marks the visible rows that hold any of the offsets from ... to for repaint. Rows out of view are drawn
// in full when they scroll in, so they need no mark.
void TCustomSyntaxMemo::markForRepaint(int from, int to)
{
    TNodePos p = m_store->topLineCache(m_topLine);
    for (int row = 0; p.node && row <= m_rows; ++row) {
        if (p.start <= to && p.start + p.node->length >= from)
            p.node->flags |= lfRepaint;
        p.start += p.node->length;
        p.node = p.node->next;
    }
}

// --- View state

void TCustomSyntaxMemo::clampView()
{
    m_topLine = std::clamp(m_topLine, 0, std::max(0, m_store->lineCount() - 1));
    m_scrollColumn = std::clamp(m_scrollColumn, 0, std::max(0, m_store->longestLine() - 1));
}

void TCustomSyntaxMemo::setTopLine(int line)
{
    line = std::clamp(line, 0, std::max(0, m_store->lineCount() - 1));
    if (line == m_topLine)
        return;
    m_topLine = line;
    m_store->topLineCache(line);
    notify([&](TSyntaxMemoListener& l) { l.viewChanged(*this); });
}

void TCustomSyntaxMemo::setScrollColumn(int column) { scrollToColumn(column, m_store->longestLine()); }

void TCustomSyntaxMemo::scrollToColumn(int column, int limit)
{
    column = std::clamp(column, 0, std::max(0, limit - 1));
    if (column == m_scrollColumn)
        return;
    m_scrollColumn = column;
    notify([&](TSyntaxMemoListener& l) { l.viewChanged(*this); });
}

void TCustomSyntaxMemo::setRowsInWindow(int rows)
{
    m_rows = std::max(rows, 0);
    m_store->setRescanSpan(m_rows + 2);
}

void TCustomSyntaxMemo::setRedraw(bool on)
{
    if (m_redraw == on)
        return;
    m_redraw = on;
    if (on) {
        markForRepaint(INT_MIN, INT_MAX);
        notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
    }
}

void TCustomSyntaxMemo::setUpdateLock(bool locked)
{
    if (m_updateLock == locked)
        return;
    m_updateLock = locked;
    if (!locked) {
        processPendingWrap();
        rescan();
        notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
    }
}

// --- Bookmarks

void TCustomSyntaxMemo::checkBookmark(int n) const
{
    if (n < 0 || n > 9)
        throw ESyntaxMemo("Bookmark index range error");
}

namespace {

    // The first row of the line p's node belongs to: word wrap, and the node limit for longer lines, cut
    // one line into several nodes, and the line's bookmarks stand on the first.
    TNodePos firstRowOf(TNodePos p)
    {
        while (p.node->isContinuation() && p.node->prev) {
            p.node = p.node->prev;
            p.start -= p.node->length;
            --p.line;
        }
        return p;
    }

    bool continuedBelow(const TLineNode& node) { return node.next && node.next->isContinuation(); }

} // namespace

void TCustomSyntaxMemo::setBookmark(int n, int offset)
{
    checkBookmark(n);
    TNodePos p = m_store->findOffset(offset);
    if (!p.node)
        return;
    uint16_t bit = static_cast<uint16_t>(1u << n);
    for (TLineNode* node = m_store->first(); node; node = node->next)
        if (node->bookmarkBits & bit) {
            node->bookmarkBits &= static_cast<uint16_t>(~bit);
            node->flags |= lfRepaint;
        }
    TNodePos first = firstRowOf(p);
    first.node->bookmarkBits |= bit;
    first.node->flags |= lfRepaint;
    // The column in the whole line, counted over the rows before the offset's.
    int column = 0;
    for (const TLineNode* row = first.node; row != p.node; row = row->next)
        for (int i = 0; i < row->textLength(); ++i)
            column = m_tabs.advance(column, row->text()[i]);
    const int k = std::clamp(offset - p.start, 0, p.node->textLength());
    for (int i = 0; i < k; ++i)
        column = m_tabs.advance(column, p.node->text()[i]);
    m_store->bookmarkColumns()[n] = static_cast<int16_t>(std::min(column + 1, int(INT16_MAX)));
    m_store->notifyBookmarksChanged();
}

void TCustomSyntaxMemo::clearBookmark(int n)
{
    checkBookmark(n);
    uint16_t bit = static_cast<uint16_t>(1u << n);
    for (TLineNode* node = m_store->first(); node; node = node->next)
        if (node->bookmarkBits & bit) {
            node->bookmarkBits &= static_cast<uint16_t>(~bit);
            node->flags |= lfRepaint;
        }
    m_store->bookmarkColumns()[n] = 0;
    m_store->notifyBookmarksChanged();
}

int TCustomSyntaxMemo::bookmarkLine(int n) const
{
    checkBookmark(n);
    int line = 0;
    for (const TLineNode* node = m_store->first(); node; node = node->next, ++line)
        if (node->bookmarkBits & (1u << n))
            return line;
    return -1;
}

bool TCustomSyntaxMemo::jumpToBookmark(int n)
{
    checkBookmark(n);
    TNodePos p { m_store->first(), 0, 0 };
    while (p.node && !(p.node->bookmarkBits & (1u << n))) {
        p.start += p.node->length;
        p.node = p.node->next;
        ++p.line;
    }
    if (!p.node)
        return false;
    // Characters are taken until the column is reached, over the line's rows, or up to the line's end.
    const int column = std::max(0, m_store->bookmarkColumns()[n] - 1);
    const int line = p.line;
    int at = 0;
    int i = 0;
    while (at < column) {
        if (i == p.node->textLength()) {
            if (!continuedBelow(*p.node))
                break;
            p.start += p.node->length;
            p.node = p.node->next;
            ++p.line;
            i = 0;
            continue;
        }
        at = m_tabs.advance(at, p.node->text()[i++]);
    }
    const int offset = p.start + i;
    setSelection(offset, offset);
    setTopLine(line - m_rows / 2);
    return true;
}

} // namespace lrl
