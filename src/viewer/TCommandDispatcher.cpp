#include "viewer/TCommandDispatcher.h"

#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TPlainTextWriter.h"
#include "viewer/TextWords.h"
#include "viewer/keymap/TEditorCommand.h"

#include <algorithm>

namespace lrl {

TCommandDispatcher::TCommandDispatcher(TCustomSyntaxMemo& memo)
    : m_memo(memo)
{
}

void TCommandDispatcher::execute(int32_t command, bool extend)
{
    const TTextStore& store = m_memo.textStore();
    const int caret = m_memo.selCaret();
    switch (command) {
    case caLEFT:
        moveTo(caret - 1, extend);
        break;
    case caRIGHT:
        moveTo(caret + 1, extend);
        break;
    case caLINEHOME:
    case caLINEEND: {
        TNodePos row = store.findOffset(caret);
        int end = row.node ? row.start + row.node->textLength() : row.start;
        moveTo(command == caLINEHOME ? row.start : end, extend);
        break;
    }
    case caUP:
        moveVertically(-1, extend);
        break;
    case caDOWN:
        moveVertically(1, extend);
        break;
    case caPAGEUP:
    case caPAGEDOWN: {
        int rows = std::max(m_memo.rowsInWindow(), 1) * (command == caPAGEUP ? -1 : 1);
        m_memo.scrollLines(rows);
        moveVertically(rows, extend);
        break;
    }
    case caWORDLEFT:
        moveTo(TextWords::previousWordStart(store, m_memo.wordTests(), caret), extend);
        break;
    case caWORDRIGHT:
        moveTo(TextWords::nextWordStart(store, m_memo.wordTests(), caret), extend);
        break;
    case caDOCSTART:
        moveTo(0, extend);
        break;
    case caDOCEND:
        moveTo(store.charCount(), extend);
        break;
    case caCOPY:
        copy();
        break;
    case caINSTOGGLE:
        m_memo.setOverwrite(!m_memo.overwrite());
        break;
    case caDELPREVWORD:
        // The deletion that would follow is refused by the read-only viewer: only the selection remains.
        moveTo(TextWords::previousWordStart(store, m_memo.wordTests(), caret), true);
        break;
    case caDELNEXTWORD:
        moveTo(TextWords::nextWordStart(store, m_memo.wordTests(), caret), true);
        break;
    case caPRINTSEL:
        if (OnPrintSelection)
            OnPrintSelection(m_memo);
        break;
    case caSCROLLUP:
        scrollUpOneLine(extend);
        break;
    case caSCROLLDOWN:
        scrollDownOneLine(extend);
        break;
    default:
        if (command >= caSETBOOKMARK0 && command < caSETBOOKMARK0 + 10)
            toggleBookmark(command - caSETBOOKMARK0);
        else if (command >= caGOTOBOOKMARK0 && command < caGOTOBOOKMARK0 + 10) {
            if (m_memo.jumpToBookmark(command - caGOTOBOOKMARK0))
                m_memo.scrollCaret();
        }
        // Cut, paste, the deletions, indenting, delete line, undo and redo: the viewer is read-only.
        break;
    }
}

// The last line the caret can stand on: the implied empty line after a final line end counts.
int TCommandDispatcher::lastLine() const { return m_memo.lineFromChar(m_memo.textStore().charCount()); }

void TCommandDispatcher::moveTo(int offset, bool extend, bool keepColumn)
{
    offset = std::clamp(offset, 0, m_memo.textStore().charCount());
    m_memo.setSelection(extend ? m_memo.selAnchor() : offset, offset);
    if (!keepColumn)
        m_memo.setRememberedColumn(m_memo.columnOfOffset(offset));
    m_memo.scrollCaret();
}

// Up or down by lines, to the remembered column with smoColumnTrack, else to the caret's column. A row
// that word wrap continues ends before its last character, so that the caret stays on that row.
void TCommandDispatcher::moveVertically(int lines, bool extend)
{
    const int caret = m_memo.selCaret();
    const bool track = m_memo.options().has(smoColumnTrack);
    const int column = track ? m_memo.rememberedColumn() : m_memo.columnOfOffset(caret);
    const int line = std::clamp(m_memo.lineFromChar(caret) + lines, 0, lastLine());
    int offset = m_memo.offsetAtColumn(line, column);
    TNodePos row = m_memo.textStore().findLine(line);
    if (row.node && !row.node->endsLine() && row.node->next && row.node->length > 0)
        offset = std::min(offset, row.start + row.node->length - 1);
    moveTo(offset, extend, track);
}

void TCommandDispatcher::scrollUpOneLine(bool extend)
{
    if (m_memo.topLine() <= 0)
        return;
    m_memo.scrollLines(-1);
    int rows = std::max(m_memo.rowsInWindow(), 1);
    if (m_memo.lineFromChar(m_memo.selCaret()) >= m_memo.topLine() + rows)
        moveVertically(-1, extend);
}

void TCommandDispatcher::scrollDownOneLine(bool extend)
{
    if (m_memo.topLine() >= m_memo.textStore().lineCount() - 1)
        return;
    if (m_memo.lineFromChar(m_memo.selCaret()) <= m_memo.topLine())
        moveVertically(1, extend);
    m_memo.scrollLines(1);
}

// Set Bookmark n on the caret's line (its first row under word wrap): removed when it stands there
// already; otherwise moved there with the caret's column in the line, and any other numbered bookmark of
// that line goes, since a line holds one at a time.
void TCommandDispatcher::toggleBookmark(int n)
{
    const TTextStore& store = m_memo.textStore();
    TNodePos row = store.findOffset(m_memo.selCaret());
    if (!row.node)
        return;
    while (row.node->isContinuation() && row.node->prev) {
        row.node = row.node->prev;
        row.start -= row.node->length;
        --row.line;
    }
    const uint16_t bit = static_cast<uint16_t>(1u << n);
    if (row.node->bookmarkBits & bit) {
        m_memo.clearBookmark(n);
        return;
    }
    for (int other = 0; other < 10; ++other)
        if (other != n && (row.node->bookmarkBits & (1u << other)))
            m_memo.clearBookmark(other);
    m_memo.setBookmark(n, m_memo.selCaret());
    if (OnBookmarkSet)
        OnBookmarkSet(m_memo, n);
}

void TCommandDispatcher::copy()
{
    if (m_memo.selStart() == m_memo.selEnd() || !OnCopy)
        return;
    OnCopy(m_memo, TPlainTextWriter(m_memo.textStore(), m_memo.selStart(), m_memo.selEnd(), wfAddLF).text());
}

} // namespace lrl
