// The edit-control queries and the component's own numbered queries of TCustomSyntaxMemo.

#include "viewer/TCustomSyntaxMemo.h"

#include "viewer/TPlainTextWriter.h"
#include "viewer/TSyntaxMemoListener.h"

#include <algorithm>
#include <cstring>

namespace lrl {

int TCustomSyntaxMemo::getLineCount() const { return std::max(m_store->lineCount(), 1); }

int TCustomSyntaxMemo::lineIndex(int line) const
{
    if (line == -1)
        line = lineFromChar(m_caret);
    return m_store->lineStart(line);
}

int TCustomSyntaxMemo::lineLength(int offset) const
{
    if (offset == -1)
        offset = m_caret;
    TNodePos p = m_store->findOffset(offset);
    return p.node ? p.node->textLength() : 0;
}

int TCustomSyntaxMemo::getLine(int line, char* buffer, int capacity) const
{
    TNodePos p = m_store->findLine(line);
    if (!p.node || !buffer || capacity <= 0)
        return 0;
    int n = std::min(p.node->textLength(), capacity);
    std::memcpy(buffer, p.node->text(), static_cast<size_t>(n));
    return n;
}

std::string TCustomSyntaxMemo::lineText(int line) const
{
    TNodePos p = m_store->findLine(line);
    return p.node ? std::string(p.node->text(), static_cast<size_t>(p.node->textLength())) : std::string();
}

int TCustomSyntaxMemo::lineFromChar(int offset) const
{
    if (offset == -1)
        offset = m_caret;
    return m_store->findOffset(offset).line;
}

void TCustomSyntaxMemo::setSel(int start, int end)
{
    if (start == -1) {
        setSelection(m_caret, m_caret);
        return;
    }
    if (end < 0)
        end = m_store->charCount();
    setSelection(std::max(start, 0), end);
}

bool TCustomSyntaxMemo::canUndo() const { return m_store->undoLog().canUndo(); }

void TCustomSyntaxMemo::undo()
{
    if (!canUndo())
        return;
    TUndoRecord record = m_store->undoLog().pop();
    setSelection(record.offset, record.offset + static_cast<int>(record.inserted.size()), false);
    replaceSelection(record.removed);
    setSelection(record.offset, record.offset + static_cast<int>(record.removed.size()));
}

void TCustomSyntaxMemo::lineScroll(int columns, int lines)
{
    setTopLine(m_topLine + lines);
    setScrollColumn(m_scrollColumn + columns);
}

int TCustomSyntaxMemo::renderSelection(char* buffer, int capacity, unsigned flags) const
{
    TPlainTextWriter writer(*m_store, selStart(), selEnd(), (flags & 1) ? wfAddLF : 0);
    if (buffer && capacity > 0) {
        size_t at = 0;
        size_t room = static_cast<size_t>(capacity);
        writer.forEach([&](const char* data, size_t n) {
            size_t k = std::min(n, room - at);
            std::memcpy(buffer + at, data, k);
            at += k;
        });
    }
    return static_cast<int>(writer.length());
}

size_t TCustomSyntaxMemo::setLineAttrs(int first, int last, const uint8_t* values, size_t size)
{
    size_t at = 0;
    TNodePos p = m_store->findLine(std::max(first, 0));
    if (p.node)
        lowerScanHint(p.line);
    for (TLineNode* n = p.node; n && p.line <= last && at < size; n = n->next, ++p.line) {
        size_t k = std::min<size_t>(n->length, size - at);
        std::memcpy(n->ensureAttrs(), values + at, k);
        n->flags |= lfRescan;
        at += k;
    }
    return at;
}

size_t TCustomSyntaxMemo::getLineAttrs(int first, int last, uint8_t* values, size_t size) const
{
    size_t at = 0;
    TNodePos p = m_store->findLine(std::max(first, 0));
    for (const TLineNode* n = p.node; n && p.line <= last && at < size; n = n->next, ++p.line) {
        size_t k = std::min<size_t>(n->length, size - at);
        if (n->hasAttrs())
            std::memcpy(values + at, n->attrs(), k);
        else
            std::memset(values + at, 0, k);
        at += k;
    }
    return at;
}

} // namespace lrl
