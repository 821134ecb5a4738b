#include "viewer/TSM_CaretControl.h"

#include "viewer/TCustomSyntaxMemo.h"

#include <algorithm>

namespace lrl {

int TSM_CaretControl::topLine() const { return m_memo.topLine() + 1; }

void TSM_CaretControl::setTopLine(int line) { m_memo.setTopLine(line - 1); }

int TSM_CaretControl::line() const { return m_memo.lineFromChar(m_memo.selCaret()) + 1; }

int TSM_CaretControl::column() const { return m_memo.columnOfOffset(m_memo.selCaret()) + 1; }

void TSM_CaretControl::setLine(int line)
{
    int index = std::clamp(line - 1, 0, std::max(m_memo.textStore().lineCount() - 1, 0));
    int offset = std::max(m_memo.lineIndex(index), 0);
    m_memo.setSelection(offset, offset);
    m_memo.scrollCaret();
}

} // namespace lrl
