#include "viewer/TWordWrap.h"

#include "viewer/TLineNode.h"
#include "viewer/TTabStops.h"
#include "viewer/TTextStore.h"
#include "viewer/TViewerMetrics.h"

#include <algorithm>
#include <cstring>

namespace lrl {

namespace {

    bool exempt(const char* text, int length, const TWrapParams& p)
    {
        if (!p.wordWrap)
            return true;
        return p.wrapOverride && length > 0 && p.overrideChars.find(text[0]) != std::string_view::npos;
    }

    // The end of the longest row from `start` that fits the wrap width (at least one character).
    int fittingEnd(const char* text, int start, int limit, const TWrapParams& p)
    {
        const TViewerMetrics& m = *p.metrics;
        int x = 0;
        int column = 0;
        int e = start;
        while (e < limit) {
            char c = text[e];
            if (c == '\r')
                return e + 1; // the line end takes no room
            int next = c == '\t' ? p.tabs->nextTabColumn(column) : column + 1;
            int w = c == '\t' ? (next - column) * m.advance(p.fontStyle, ' ')
                              : m.advance(p.fontStyle, static_cast<uint8_t>(c));
            if (x + w > p.wrapWidth)
                break;
            x += w;
            column = next;
            ++e;
        }
        return std::max(e, start + 1);
    }

    int wordEnd(const char* text, int length, int start, int end, int limit, const TWrapParams& p)
    {
        if (end >= length)
            return end;
        if (p.breakProc && *p.breakProc)
            return std::clamp((*p.breakProc)(text, length, start, end), start + 1, limit);
        if (TWordWrap::isBreakChar(text[end])) {
            while (end < limit && TWordWrap::isBreakChar(text[end]))
                ++end;
            return end;
        }
        for (int k = end - 1; k >= start; --k)
            if (TWordWrap::isBreakChar(text[k]))
                return k + 1;
        return end;
    }

} // namespace

void TWordWrap::cutLine(const char* text, int length, const TWrapParams& p, std::vector<int>& rows)
{
    rows.clear();
    if (exempt(text, length, p)) {
        if (length <= kMaxNodeLength) {
            rows.push_back(length);
            return;
        }
        for (int at = 0; at < length; at += kMaxNodeLength)
            rows.push_back(std::min(kMaxNodeLength, length - at));
        return;
    }
    int start = 0;
    while (start < length) {
        int limit = std::min(length, start + kMaxNodeLength);
        int end = fittingEnd(text, start, limit, p);
        end = wordEnd(text, length, start, end, limit, p);
        rows.push_back(end - start);
        start = end;
    }
}

TWrapResult TWordWrap::rewrap(TTextStore& store, const TWrapParams& params, int from, int to)
{
    TWrapResult result;
    if (store.empty())
        return result;
    TNodePos p = store.findOffset(std::max(from, 0));
    if (!p.node)
        p = store.findLine(store.lineCount() - 1);
    while (p.node->isContinuation() && p.node->prev) {
        p.node = p.node->prev;
        --p.line;
        p.start -= p.node->length;
    }
    result.first = p.line;
    result.lastBefore = result.lastAfter = p.line - 1;
    TLineNode* lastTouched = nullptr;

    while (p.node) {
        // The logical line: first ... last.
        TLineNode* first = p.node;
        TLineNode* last = first;
        int total = first->length;
        int parts = 1;
        bool allValues = first->hasAttrs();
        while (!last->endsLine() && last->next) {
            last = last->next;
            total += last->length;
            allValues = allValues && last->hasAttrs();
            ++parts;
        }

        const char* text = first->text();
        const uint8_t* values = first->attrs();
        if (parts > 1) {
            m_text.resize(static_cast<size_t>(total));
            m_values.resize(allValues ? static_cast<size_t>(total) : 0);
            size_t at = 0;
            for (TLineNode* n = first;; n = n->next) {
                std::memcpy(m_text.data() + at, n->text(), n->length);
                if (allValues)
                    std::memcpy(m_values.data() + at, n->attrs(), n->length);
                at += n->length;
                if (n == last)
                    break;
            }
            text = m_text.data();
            values = allValues ? m_values.data() : nullptr;
        }
        cutLine(text, total, params, m_rows);

        bool same = static_cast<int>(m_rows.size()) == parts;
        if (same) {
            TLineNode* n = first;
            for (int len : m_rows) {
                same = same && n->length == len;
                n = n->next;
            }
        }
        int nextStart = p.start + total;
        result.lastBefore += parts;
        if (same) {
            if (params.valuesCurrent)
                for (TLineNode* n = first;; n = n->next) {
                    if (n->hasAttrs())
                        n->flags &= ~uint32_t(lfRescan);
                    if (n == last)
                        break;
                }
            result.lastAfter += parts;
            lastTouched = last;
            p = { last->next, p.line + parts, nextStart };
        } else {
            uint16_t bookmarks = 0;
            uint16_t marks = 0;
            for (TLineNode* n = first;; n = n->next) {
                bookmarks |= n->bookmarkBits & kBookmarkMask;
                marks |= n->markBits;
                if (n == last)
                    break;
            }
            std::vector<TNodeHandle> nodes;
            nodes.reserve(m_rows.size());
            size_t at = 0;
            for (int len : m_rows) {
                TNodeHandle n = store.newNode({ text + at, static_cast<size_t>(len) });
                uint32_t flags = (n->flags & lfHasTab) | lfRepaint;
                if (values)
                    std::memcpy(n->ensureAttrs(), values + at, static_cast<size_t>(len));
                if (!values || !params.valuesCurrent)
                    flags |= lfRescan;
                n->flags = flags;
                if (nodes.empty()) {
                    n->bookmarkBits = static_cast<uint16_t>(
                        bookmarks | (first->bookmarkBits & ~(kBookmarkMask | kContinuationBit)));
                    n->markBits = marks;
                    n->takeExtrasFrom(*first);
                } else {
                    n->bookmarkBits = kContinuationBit;
                }
                nodes.push_back(std::move(n));
                at += static_cast<size_t>(len);
            }
            int count = static_cast<int>(nodes.size());
            TTextChange change = store.replaceNodes(p, last, std::move(nodes));
            result.changed = true;
            result.lastAfter += count;
            lastTouched = change.lastNode;
            p = { change.lastNode->next, p.line + count, nextStart };
        }
        if (nextStart > to)
            break;
    }

    // Replacing nodes marks the nodes after them for rescanning; with current values that is not needed.
    if (params.valuesCurrent && result.changed && lastTouched) {
        TLineNode* n = lastTouched->next;
        for (int i = 0; n && i < store.rescanSpan(); ++i, n = n->next)
            if (n->hasAttrs())
                n->flags &= ~uint32_t(lfRescan);
    }
    return result;
}

} // namespace lrl
