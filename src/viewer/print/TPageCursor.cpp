#include "viewer/print/TPageCursor.h"

#include "viewer/TTextStore.h"

#include <algorithm>
#include <cstdlib>

namespace lrl {

TPageCursor::TPageCursor(
    const TTextStore& store, const TPageBody& body, const TPrintWrap& wrap, const TPrintRange& range)
    : m_wrap(wrap)
    , m_capacity(body.rowsPerPage())
{
    if (range.on) {
        const int first = std::max(range.first, 1);
        TNodePos start = store.findLine(first - 1);
        m_node = start.node;
        m_nodeIndex = first - 1;
        m_nodeStart = start.node ? start.start : store.charCount();
        m_counter = first;
        m_nodesLeft = std::abs(range.last - first) + 1;
    } else {
        m_node = store.first();
    }
}

int TPageCursor::rowsOfNode()
{
    if (m_rowsInNode < 0)
        m_rowsInNode = TPrintRows::count(m_node->text(), m_node->length, m_node->hasTab(), m_wrap, m_scratch);
    return m_rowsInNode;
}

void TPageCursor::advanceNode()
{
    if (m_nodesLeft > 0 && --m_nodesLeft == 0) {
        m_node = nullptr;
        return;
    }
    m_nodeStart += m_node->length;
    m_node = m_node->next;
    ++m_nodeIndex;
    m_row = 0;
    m_rowsInNode = -1;
}

bool TPageCursor::next(TPrintPage& page)
{
    if (m_done)
        return false;
    page = TPrintPage {};
    page.node = m_node;
    page.nodeIndex = m_nodeIndex;
    page.nodeStart = m_nodeStart;
    page.row = m_row;
    page.lineNumber = m_counter;
    while (m_node && page.rows < m_capacity) {
        const int rows = rowsOfNode();
        const int take = std::min(rows - m_row, m_capacity - page.rows);
        if (m_row == 0 && take > 0 && !continues(*m_node))
            ++m_counter;
        page.rows += take;
        m_row += take;
        if (m_row >= rows)
            advanceNode();
    }
    m_done = m_node == nullptr;
    if (!page.node)
        page.rows = 0;
    return true;
}

} // namespace lrl
