#pragma once

#include "viewer/TLineNode.h"
#include "viewer/TTextStore.h"

#include <algorithm>
#include <cstdint>

namespace lrl {

// The characters of one node that an export writes, and whether a line end follows them.
struct TExportLine {
    const TLineNode* node = nullptr; // null: the empty line of an empty selection at the text's end
    int from = 0; // characters [from, to) of the node
    int to = 0;
    bool lineEnd = true;
};

// How the rich-text and HTML writers walk a selection: from the node holding its start, at the start's
// place in it, node by node until the selection's characters are used up. A line end follows every node
// that ends a line and the last node written; a node that only continues a long or wrapped line is joined
// to the next without one, so that the document keeps the text's lines. An empty selection is one empty
// line.
class TSelectionWalk {
public:
    TSelectionWalk(const TTextStore& store, int start, int end)
        : m_store(store)
        , m_start(std::clamp(start, 0, store.charCount()))
        , m_end(std::clamp(end, m_start, store.charCount()))
    {
    }

    // Calls onLine(const TExportLine&) for each node in order.
    template <typename OnLine> void forEachLine(OnLine&& onLine) const
    {
        TNodePos p = m_store.findOffset(m_start);
        if (!p.node) {
            onLine(TExportLine {});
            return;
        }
        int from = m_start - p.start;
        int remaining = m_end - p.start;
        for (const TLineNode* n = p.node; n; n = n->next) {
            const int to = std::max(from, std::min<int>(n->length, remaining));
            remaining -= n->length;
            const bool last = remaining <= 0 || !n->next;
            onLine(TExportLine { n, from, to, last || n->endsLine() });
            if (last)
                return;
            from = 0;
        }
    }

    // Calls onRun(const uint8_t* chars, int count, int value) for the runs of equal token value in the
    // line's characters; value is -1 for a node without token values (one run for all of them).
    template <typename OnRun> static void forEachRun(const TExportLine& line, OnRun&& onRun)
    {
        if (!line.node || line.to <= line.from)
            return;
        const uint8_t* chars = line.node->bytes();
        const uint8_t* values = line.node->attrs();
        if (!values) {
            onRun(chars + line.from, line.to - line.from, -1);
            return;
        }
        int i = line.from;
        while (i < line.to) {
            const uint8_t value = values[i];
            int j = i + 1;
            while (j < line.to && values[j] == value)
                ++j;
            onRun(chars + i, j - i, static_cast<int>(value));
            i = j;
        }
    }

private:
    const TTextStore& m_store;
    int m_start;
    int m_end;
};

} // namespace lrl
