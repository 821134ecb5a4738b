#pragma once

#include "viewer/print/TPageGeometry.h"
#include "viewer/print/TPrintPage.h"
#include "viewer/print/TPrintRows.h"

#include <vector>

namespace lrl {

class TTextStore;

// Lays text out on pages one page at a time, in one pass over the rows: a page holds
// TPageBody::rowsPerPage() rows, the last page what is left. There is always at least one page (an
// empty text prints one page with header and footer only) and never an empty page after the last row.
//
// The line counter starts at 1 (at First for a line range) and advances at the first row of every node
// that starts a line; a node continues the line of the node before it when that one does not end with
// CR, and gets no number. A line range starts at node First - 1 and holds |Last - First| + 1 lines,
// every one printed with all of its rows.
//
// The store must not change while a cursor walks it.
class TPageCursor {
public:
    TPageCursor(const TTextStore& store, const TPageBody& body, const TPrintWrap& wrap,
        const TPrintRange& range = {});

    // The next page; false after the last.
    bool next(TPrintPage& page);

    // Calls f(const TPrintRowRef&) for every row of the page, in order.
    template <class F>
    static void forEachRow(
        const TPrintPage& page, const TPrintWrap& wrap, std::vector<TPrintRow>& rows, F&& f);

    // Whether the node continues the line of the node before it.
    static bool continues(const TLineNode& node);

private:
    int rowsOfNode();
    void advanceNode();

    TPrintWrap m_wrap;
    int m_capacity = 1;
    const TLineNode* m_node = nullptr;
    int m_nodeIndex = 0;
    int m_nodeStart = 0;
    int m_row = 0;
    int m_rowsInNode = -1; // -1: not counted yet
    int m_counter = 1;
    int m_nodesLeft = -1; // nodes the line range still holds; -1: no range
    bool m_done = false;
    std::vector<TPrintRow> m_scratch;
};

} // namespace lrl

#include "viewer/TLineNode.h"

namespace lrl {

inline bool TPageCursor::continues(const TLineNode& node) { return node.prev && !node.prev->endsLine(); }

template <class F>
void TPageCursor::forEachRow(
    const TPrintPage& page, const TPrintWrap& wrap, std::vector<TPrintRow>& rows, F&& f)
{
    TPrintRowRef ref;
    ref.node = page.node;
    ref.nodeIndex = page.nodeIndex;
    ref.nodeStart = page.nodeStart;
    int row = page.row;
    int counter = page.lineNumber;
    for (int left = page.rows; left > 0 && ref.node;) {
        TPrintRows::split(ref.node->text(), ref.node->length, ref.node->hasTab(), wrap, rows);
        const int n = static_cast<int>(rows.size());
        for (; row < n && left > 0; ++row, --left) {
            ref.row = rows[static_cast<size_t>(row)];
            ref.lineNumber = 0;
            if (row == 0 && !continues(*ref.node))
                ref.lineNumber = counter++;
            f(static_cast<const TPrintRowRef&>(ref));
        }
        if (left == 0)
            break;
        ref.nodeStart += ref.node->length;
        ref.node = ref.node->next;
        ++ref.nodeIndex;
        row = 0;
    }
}

} // namespace lrl
