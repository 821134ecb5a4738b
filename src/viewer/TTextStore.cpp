#include "viewer/TTextStore.h"

#include "viewer/TLineTrack.h"
#include "viewer/TTextStoreClient.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>

namespace lrl {

void TNodeDeleter::operator()(TLineNode* node) const { store->freeNode(node); }

TTextStore::TTextStore()
    : m_lengthCounts(kMaxNodeLength + 1, 0)
{
}

TTextStore::~TTextStore()
{
    auto clients = m_clients;
    for (auto* c : clients)
        c->textStoreDestroyed();
    for (TLineNode* n = m_first; n;) {
        TLineNode* next = n->next;
        n->takeTrackObject(); // its own destructor frees it; the list goes with the store
        freeNode(n);
        n = next;
    }
}

// --- Node memory

TLineNode* TTextStore::allocNode(size_t length)
{
    void* block = m_pool.allocate(blockSize(length));
    auto* node = new (block) TLineNode();
    node->length = static_cast<uint16_t>(length);
    return node;
}

void TTextStore::freeNode(TLineNode* node)
{
    if (TLineTrack* track = node->trackObject())
        std::erase(m_tracks, track);
    size_t bytes = blockSize(node->length);
    node->~TLineNode();
    m_pool.deallocate(node, bytes);
}

TNodeHandle TTextStore::newNode(std::string_view text)
{
    size_t length = std::min<size_t>(text.size(), UINT16_MAX);
    TNodeHandle node(allocNode(length), TNodeDeleter { this });
    char* dest = node->text();
    std::memcpy(dest, text.data(), length);
    dest[length] = '\0';
    node->flags = lfRepaint | lfRescan;
    if (std::memchr(dest, '\t', length))
        node->flags |= lfHasTab;
    return node;
}

// --- Counts

void TTextStore::countIn(const TLineNode* node)
{
    ++m_lineCount;
    m_charCount += node->length;
    m_lineEnds += node->endsLine() ? 1 : 0;
    ++m_lengthCounts[node->length]; // sized by the caller
    m_longestLine = std::max<int>(m_longestLine, node->length);
}

void TTextStore::countOut(const TLineNode* node)
{
    --m_lineCount;
    m_charCount -= node->length;
    m_lineEnds -= node->endsLine() ? 1 : 0;
    --m_lengthCounts[node->length];
}

// LongestLine is the largest node length, at least 1; the per-length counts make finding the next
// largest after a removal a short scan instead of a walk over the list.
void TTextStore::updateLongestLine()
{
    while (m_longestLine > 1 && m_lengthCounts[m_longestLine] == 0)
        --m_longestLine;
}

// --- Finding nodes

TNodePos TTextStore::nearest(long target, bool byLine, const TNodePos* near) const
{
    TNodePos best { m_first, 0, 0 };
    long bestDistance = target;
    auto consider = [&](const TNodePos& p) {
        if (!p.node)
            return;
        long d = std::labs(target - (byLine ? p.line : p.start));
        if (d < bestDistance) {
            best = p;
            bestDistance = d;
        }
    };
    consider({ m_last, m_lineCount - 1, m_charCount - m_last->length });
    consider(m_top);
    consider(m_hint);
    if (near)
        consider(*near);
    return best;
}

TNodePos TTextStore::findOffset(int offset, const TNodePos* near) const
{
    if (!m_first)
        return {};
    if (offset <= 0)
        return { m_first, 0, 0 };
    if (offset >= m_charCount) {
        if (m_last->endsLine())
            return { nullptr, m_lineCount, m_charCount };
        return { m_last, m_lineCount - 1, m_charCount - m_last->length };
    }
    TNodePos p = nearest(offset, false, near);
    while (offset >= p.start + p.node->length) {
        p.start += p.node->length;
        p.node = p.node->next;
        ++p.line;
    }
    while (offset < p.start) {
        p.node = p.node->prev;
        --p.line;
        p.start -= p.node->length;
    }
    m_hint = p;
    return p;
}

TNodePos TTextStore::findLine(int line, const TNodePos* near) const
{
    if (line < 0 || line >= m_lineCount) {
        bool implied = line == m_lineCount && (!m_first || m_last->endsLine());
        return { nullptr, line, implied ? m_charCount : -1 };
    }
    TNodePos p = nearest(line, true, near);
    while (p.line < line) {
        p.start += p.node->length;
        p.node = p.node->next;
        ++p.line;
    }
    while (p.line > line) {
        p.node = p.node->prev;
        --p.line;
        p.start -= p.node->length;
    }
    m_hint = p;
    return p;
}

int TTextStore::lineStart(int line) const { return findLine(line).start; }

TNodePos TTextStore::topLineCache(int topLine) const
{
    if (!m_first)
        return {};
    topLine = std::clamp(topLine, 0, m_lineCount - 1);
    if (!m_top.node || m_top.line != topLine)
        m_top = findLine(topLine);
    return m_top;
}

void TTextStore::dropCachesFrom(int line) const
{
    if (m_top.node && m_top.line >= line)
        m_top.node = nullptr;
    if (m_hint.node && m_hint.line >= line)
        m_hint.node = nullptr;
}

// --- Changing the text

TTextChange TTextStore::replace(int start, int end, std::string_view text)
{
    start = std::clamp(start, 0, m_charCount);
    end = std::clamp(end, start, m_charCount);
    if (start == end && text.empty())
        return { start, 0, 0, findOffset(start).line, 0, 0, nullptr, nullptr, false };
    // Offsets are 32-bit: a text that would not fit counts as not fitting in memory.
    if (static_cast<int64_t>(m_charCount) - (end - start) + static_cast<int64_t>(text.size()) > INT_MAX)
        throw std::bad_alloc();
    TNodePos a = findOffset(start);
    if (start == end && text.size() == 1) {
        TTextChange change;
        if (growInPlace(a, start, text[0], change))
            return change;
    }
    TNodePos b = start == end ? a : findOffset(end, &a);
    return rebuild(a, b, start, end, text);
}

// A single character other than CR inserted into a node whose block has room for it: the node grows in
// place and nothing is split.
bool TTextStore::growInPlace(const TNodePos& at, int offset, char c, TTextChange& change)
{
    TLineNode* node = at.node;
    if (!node || c == '\r' || node->length >= kMaxNodeLength)
        return false;
    size_t capacity = ((blockSize(node->length) + 7) & ~size_t(7)) - sizeof(TLineNode) - 1;
    if (node->length + 1u > capacity)
        return false;
    int p = offset - at.start;
    if (node->hasAttrs()) {
        auto attrs = std::make_unique_for_overwrite<uint8_t[]>(node->length + 1u);
        const uint8_t* old = node->attrs();
        std::memcpy(attrs.get(), old, p);
        attrs[p] = p > 0 ? old[p - 1] : 0;
        std::memcpy(attrs.get() + p + 1, old + p, node->length - p);
        node->setAttrs(std::move(attrs));
    }
    countOut(node);
    char* text = node->text();
    std::memmove(text + p + 1, text + p, node->length - p + 1u);
    text[p] = c;
    ++node->length;
    countIn(node);
    node->flags |= lfRepaint | lfRescan | (c == '\t' ? uint32_t(lfHasTab) : 0u);
    markRescanAfter(node);
    dropCachesFrom(at.line + 1);
    shiftPositions(offset, 0, 1);
    change = { offset, 0, 1, at.line, 1, 1, node, node, false };
    notify(change);
    return true;
}

TTextChange TTextStore::rebuild(
    const TNodePos& a, const TNodePos& b, int start, int end, std::string_view text)
{
    // a is the node holding start, b the one holding end; a null node is the implied line after a final
    // CR, so the old run is a ... b, or a ... the last node, or nothing.
    TLineNode* firstOld = a.node;
    TLineNode* lastOld = b.node ? b.node : (firstOld ? m_last : nullptr);

    size_t prefix = firstOld ? static_cast<size_t>(start - a.start) : 0;
    size_t suffixFrom = b.node ? static_cast<size_t>(end - b.start) : 0;
    size_t suffix = b.node ? b.node->length - suffixFrom : 0;
    m_joinBuffer.resize(prefix + text.size() + suffix);
    char* join = m_joinBuffer.data();
    if (prefix)
        std::memcpy(join, firstOld->text(), prefix);
    if (!text.empty())
        std::memcpy(join + prefix, text.data(), text.size());
    if (suffix)
        std::memcpy(join + prefix + text.size(), b.node->text() + suffixFrom, suffix);

    TLineNode* prev = firstOld ? firstOld->prev : m_last;
    auto nodes = split({ join, m_joinBuffer.size() }, !prev || prev->endsLine());

    // The first new node inherits the line's marks; bookmarks of the other old lines join it.
    if (firstOld && !nodes.empty()) {
        TLineNode* head = nodes.front().get();
        uint16_t bookmarks = 0;
        for (TLineNode* o = firstOld;; o = o->next) {
            bookmarks |= o->bookmarkBits & kBookmarkMask;
            if (o == lastOld)
                break;
        }
        head->bookmarkBits = static_cast<uint16_t>((head->bookmarkBits & kContinuationBit) | bookmarks
            | (firstOld->bookmarkBits & ~(kBookmarkMask | kContinuationBit)));
        head->markBits = firstOld->markBits;
        head->takeExtrasFrom(*firstOld);
    }

    TNodePos at { firstOld, firstOld ? a.line : m_lineCount, firstOld ? a.start : m_charCount };
    TTextChange change = relink(at, lastOld, std::move(nodes));
    change.offset = start;
    change.removed = end - start;
    change.inserted = static_cast<int>(text.size());
    shiftPositions(start, end - start, change.inserted);
    notify(change);
    return change;
}

std::vector<TNodeHandle> TTextStore::split(std::string_view text, bool afterLineEnd)
{
    std::vector<TNodeHandle> nodes;
    size_t i = 0;
    while (i < text.size()) {
        size_t len = std::min<size_t>(text.size() - i, kMaxNodeLength);
        if (auto* cr = static_cast<const char*>(std::memchr(text.data() + i, '\r', len)))
            len = static_cast<size_t>(cr - (text.data() + i)) + 1;
        TNodeHandle node = newNode(text.substr(i, len));
        if (!afterLineEnd)
            node->bookmarkBits |= kContinuationBit;
        afterLineEnd = node->endsLine();
        nodes.push_back(std::move(node));
        i += len;
    }
    return nodes;
}

TTextChange TTextStore::replaceNodes(const TNodePos& first, TLineNode* last, std::vector<TNodeHandle> nodes)
{
    TTextChange change = relink(first, last, std::move(nodes));
    notify(change);
    return change;
}

TTextChange TTextStore::relink(const TNodePos& at, TLineNode* last, std::vector<TNodeHandle> nodes)
{
    TLineNode* first = at.node;
    TLineNode* prev = first ? first->prev : m_last;
    TLineNode* follower = first ? last->next : nullptr;

    // What the relinking below needs is allocated first.
    size_t tracks = 0;
    size_t longest = 0;
    for (auto& n : nodes) {
        tracks += n->trackObject() ? 1 : 0;
        longest = std::max<size_t>(longest, n->length);
    }
    m_tracks.reserve(m_tracks.size() + tracks);
    if (longest >= m_lengthCounts.size())
        m_lengthCounts.resize(longest + 1, 0);

    TTextChange change;
    change.offset = at.start;
    change.line = at.line;
    if (first) {
        for (TLineNode* o = first;; o = o->next) {
            countOut(o);
            change.removed += o->length;
            ++change.linesRemoved;
            if (o == last)
                break;
        }
    }

    // Nothing below allocates: the new run is linked in, then the old one is freed.
    TLineNode* p = prev;
    for (auto& handle : nodes) {
        TLineNode* n = handle.release();
        n->prev = p;
        (p ? p->next : m_first) = n;
        countIn(n);
        if (TLineTrack* track = n->trackObject())
            m_tracks.push_back(track);
        change.inserted += n->length;
        ++change.linesInserted;
        if (!change.firstNode)
            change.firstNode = n;
        change.lastNode = n;
        p = n;
    }
    (p ? p->next : m_first) = follower;
    (follower ? follower->prev : m_last) = p;

    for (TLineNode* o = first; o;) {
        TLineNode* next = o == last ? nullptr : o->next;
        freeNode(o);
        o = next;
    }

    fixContinuation(follower);
    markRescanAfter(p);
    updateLongestLine();
    dropCachesFrom(at.line);
    m_breakpoints.shiftLines(at.line, change.linesRemoved, change.linesInserted);
    return change;
}

void TTextStore::fixContinuation(TLineNode* node)
{
    if (!node)
        return;
    if (node->prev && !node->prev->endsLine())
        node->bookmarkBits |= kContinuationBit;
    else
        node->bookmarkBits &= static_cast<uint16_t>(~kContinuationBit);
}

void TTextStore::markRescanAfter(TLineNode* node)
{
    TLineNode* n = node ? node->next : nullptr;
    for (int i = 0; i < m_rescanSpan && n; ++i, n = n->next)
        n->flags |= lfRescan;
}

void TTextStore::shiftPositions(int offset, int removed, int inserted)
{
    m_namedBookmarks.shift(offset, removed, inserted);
    for (TLineTrack* track : m_tracks)
        track->shift(offset, removed, inserted);
}

void TTextStore::clear()
{
    TTextChange change { 0, m_charCount, 0, 0, m_lineCount, 0, nullptr, nullptr, true };
    for (TLineNode* n = m_first; n;) {
        TLineNode* next = n->next;
        size_t bytes = blockSize(n->length);
        n->~TLineNode();
        if (bytes > TNodePool::kMaxPooled)
            m_pool.deallocate(n, bytes);
        n = next;
    }
    m_pool.release();
    m_tracks.clear();
    m_first = m_last = nullptr;
    m_lineCount = m_charCount = m_lineEnds = 0;
    std::fill(m_lengthCounts.begin(), m_lengthCounts.end(), 0);
    m_longestLine = 1;
    m_top.node = m_hint.node = nullptr;
    m_bookmarkColumns.fill(0);
    m_namedBookmarks.shift(0, change.removed, 0);
    m_breakpoints.shiftLines(0, change.linesRemoved, 0);
    notify(change);
}

void TTextStore::dropAllAttrs()
{
    for (TLineNode* n = m_first; n; n = n->next) {
        n->dropAttrs();
        n->flags |= lfRescan | lfRepaint;
    }
}

void TTextStore::markAll(uint32_t bits)
{
    for (TLineNode* n = m_first; n; n = n->next)
        n->flags |= bits;
}

// --- Line tracks and clients

TLineTrack* TTextStore::addTrack(TLineNode* node, std::unique_ptr<TLineTrack> track)
{
    m_tracks.reserve(m_tracks.size() + 1);
    if (TLineTrack* old = node->trackObject())
        std::erase(m_tracks, old);
    TLineTrack* added = track.get();
    node->setTrackObject(std::move(track));
    m_tracks.push_back(added);
    return added;
}

void TTextStore::addClient(TTextStoreClient* client)
{
    if (std::find(m_clients.begin(), m_clients.end(), client) == m_clients.end())
        m_clients.push_back(client);
}

void TTextStore::removeClient(TTextStoreClient* client) { std::erase(m_clients, client); }

void TTextStore::notify(const TTextChange& change)
{
    auto clients = m_clients;
    for (auto* c : clients)
        c->textStoreChanged(change);
}

void TTextStore::notifyBookmarksChanged()
{
    auto clients = m_clients;
    for (auto* c : clients)
        c->bookmarksChanged();
}

} // namespace lrl
