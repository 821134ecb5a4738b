#include "viewer/TIncrementalScan.h"

#include "viewer/TEdStream.h"
#include "viewer/TLineNode.h"
#include "viewer/TScanSource.h"
#include "viewer/TTextStore.h"

#include <algorithm>
#include <cstring>

namespace lrl {

namespace {

    constexpr uint32_t kMarked = lfRescan | lfScanStart;

    TNodePos previous(const TNodePos& p)
    {
        TLineNode* prev = p.node->prev;
        return { prev, p.line - 1, prev ? p.start - prev->length : p.start };
    }

} // namespace

TNodePos TIncrementalScan::firstMarked(int from) const
{
    TNodePos p = m_store->findLine(std::max(from, 0));
    while (p.node && !(p.node->flags & kMarked)) {
        p.start += p.node->length;
        p.node = p.node->next;
        ++p.line;
    }
    return p.node ? p : TNodePos {};
}

TIncrementalScan::Restart TIncrementalScan::restartPoint(TScanSource& source, const TNodePos& start) const
{
    if (!start.node->prev)
        return { start, 0, 0 };
    TNodePos q = previous(start);
    if (!q.node->hasAttrs())
        return { q, 0, 0 };

    Set256 restart = source.restartSet();
    TNodePos earliest = q;
    int i = q.node->length - 1;
    for (;;) {
        if (i < 0) {
            if (!q.node->prev || !q.node->prev->hasAttrs())
                return { earliest, 0, 0 };
            q = previous(q);
            earliest = q;
            i = q.node->length - 1;
            continue;
        }
        if (restart.contains(q.node->attrs()[i]))
            break;
        --i;
    }
    // Back over the run of equal values that holds the restart character.
    const uint8_t value = q.node->attrs()[i];
    for (;;) {
        if (i > 0) {
            if (q.node->attrs()[i - 1] != value)
                break;
            --i;
            continue;
        }
        TLineNode* prev = q.node->prev;
        if (!prev || !prev->hasAttrs() || prev->length == 0 || prev->attrs()[prev->length - 1] != value)
            break;
        q = previous(q);
        i = q.node->length - 1;
    }
    return { q, i, value };
}

void TIncrementalScan::loadWork(const TLineNode& node)
{
    m_work.resize(std::max<size_t>(node.length, 1));
    if (node.hasAttrs())
        std::memcpy(m_work.data(), node.attrs(), node.length);
    else
        std::memset(m_work.data(), 0, node.length);
}

bool TIncrementalScan::finishNode(TScanSource& source, const TNodePos& p, int startLine, bool runsOn)
{
    TLineNode* node = p.node;
    bool same = node->hasAttrs() && std::memcmp(node->attrs(), m_work.data(), node->length) == 0;
    bool stop = same && !(node->flags & lfScanStart) && p.line >= startLine && node->next
        && node->next->hasAttrs() && !source.mustContinue() && source.safeStop() && !runsOn;
    if (!same) {
        if (uint8_t* attrs = node->ensureAttrs())
            std::memcpy(attrs, m_work.data(), node->length);
        node->flags |= lfRepaint;
    }
    node->flags &= ~kMarked;
    return stop;
}

TIncrementalScan::Range TIncrementalScan::run(
    TScanSource& source, const TNodePos& start, const TokenHandler* onToken)
{
    Range range;
    if (!start.node)
        return range;
    Restart r = restartPoint(source, start);
    TEdStream stream(*m_store);
    stream.positionAt(r.node, r.index);
    source.reset(r.value);

    TNodePos cur = r.node;
    int at = r.index;
    loadWork(*cur.node);
    range.first = range.last = cur.line;
    const int64_t total = m_store->charCount();
    bool inner = false; // scanning a container's text again
    uint8_t containerValue = 0;

    for (;;) {
        const int64_t p0 = stream.position();
        int32_t length = 0;
        uint8_t token = p0 < total ? source.next(stream, length) : 0;
        if (length <= 0)
            length = 1; // the scanner took nothing: the character counts as a token of its own
        length = static_cast<int32_t>(std::min<int64_t>(length, total - p0));
        if (stream.position() != p0 + length)
            stream.seek(p0 + length);

        const bool opened = !inner && source.inContainer();
        int value = token;
        if (onToken)
            (*onToken)(value, static_cast<int>(p0), static_cast<int>(p0 + length));
        token = static_cast<uint8_t>(value);
        if (opened) {
            // The container's characters are written as its inner tokens come.
            inner = true;
            containerValue = token;
            stream.seek(p0);
            continue;
        }
        const uint8_t stored = inner && token == 0 ? containerValue : token;
        if (inner && !source.inContainer())
            inner = false;

        int left = length;
        while (left > 0 || at == cur.node->length) {
            int k = std::min(left, cur.node->length - at);
            std::memset(m_work.data() + at, stored, static_cast<size_t>(k));
            at += k;
            left -= k;
            if (at < cur.node->length)
                break;
            bool stop = finishNode(source, cur, start.line, left > 0);
            range.last = cur.line;
            if (stop || !cur.node->next)
                return range;
            cur = { cur.node->next, cur.line + 1, cur.start + cur.node->length };
            at = 0;
            loadWork(*cur.node);
        }
    }
}

} // namespace lrl
