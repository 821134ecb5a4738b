#pragma once

#include "common/SourceEncoding.h"
#include "viewer/TCustomBookmarks.h"
#include "viewer/TLineNode.h"
#include "viewer/TNodePool.h"
#include "viewer/TNodePos.h"
#include "viewer/TSM_Breakpoints.h"
#include "viewer/TTextChange.h"
#include "viewer/TUndoStack.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lrl {

class TLineTrack;
class TTextStoreClient;

// How line ends leave the text: lsCRLF as CR LF, lsLF as the single CR of the store.
enum TLineEndStyle : uint8_t { lsCRLF = 0, lsLF = 1 };

// Frees a node that was created by TTextStore::newNode() but never linked into the list.
struct TNodeDeleter {
    class TTextStore* store;
    void operator()(TLineNode* node) const;
};
using TNodeHandle = std::unique_ptr<TLineNode, TNodeDeleter>;

// The viewer's text: a doubly linked list of line nodes (see TLineNode for what a node holds).
//
// Offsets count characters from the start of the text, each line-end CR counting one; a line number is a
// 0-based node index. A text that ends with CR has an implied empty last line without a node (line
// LineCount, starting at CharCount).
//
// Positions are found by walking the list from the nearest known node: the head, the tail, the node of
// the viewer's top line (TopLineCache) or the node found last. The caches are dropped, not updated, when
// the list changes at or before them. Text enters through replace(), which expects normalised text (see
// TTextNormaliser) and rebuilds the nodes around the change; the display layer may also swap whole runs
// of nodes (word wrap) with newNode() and replaceNodes().
class TTextStore {
public:
    TTextStore();
    ~TTextStore();
    TTextStore(const TTextStore&) = delete;
    TTextStore& operator=(const TTextStore&) = delete;

    // --- The list
    TLineNode* first() const { return m_first; }
    TLineNode* last() const { return m_last; }
    int lineCount() const { return m_lineCount; }
    int charCount() const { return m_charCount; }
    bool empty() const { return m_first == nullptr; }
    // The largest node length; 1 for an empty text.
    int longestLine() const { return m_longestLine; }
    // The number of nodes that end with CR.
    int lineEndCount() const { return m_lineEnds; }

    // --- Finding nodes
    // The node whose characters hold `offset` (clamped to 0 ... CharCount). Beyond the last node: the
    // implied empty line (null node, line LineCount) when the text ends with CR, else the last node. An
    // empty text answers a null node at line 0. `near` is one more place the walk may start from.
    TNodePos findOffset(int offset, const TNodePos* near = nullptr) const;
    // The node of line `line`; a null node when there is none (start is CharCount for the implied line
    // after a final CR, -1 otherwise).
    TNodePos findLine(int line, const TNodePos* near = nullptr) const;
    // The offset of the first character of the line (-1 when the line does not exist; the implied line
    // after a final CR and line 0 of an empty text exist).
    int lineStart(int line) const;

    // The node of the viewer's top line `topLine` (clamped to 0 ... LineCount - 1), kept as TopLineCache.
    TNodePos topLineCache(int topLine) const;
    void invalidateTopLineCache() const { m_top.node = nullptr; }

    // --- Changing the text
    // Replaces the characters [start, end) with normalised text (no LF, no control characters other than
    // TAB and CR): the nodes holding start and end are rebuilt from their kept characters and the new
    // text, cut into nodes of at most kMaxNodeLength characters that end at each CR. The new nodes are
    // marked for repaint and rescan, and so are rescanSpan() nodes after them. Offsets of named
    // bookmarks and line tracks after the change shift. Answers what changed. On an allocation failure
    // the store is unchanged.
    TTextChange replace(int start, int end, std::string_view normalised);
    // Appends behind the last node (the whole-text loads use this while in bulk-load mode).
    TTextChange append(std::string_view normalised) { return replace(m_charCount, m_charCount, normalised); }
    // Frees every node at once.
    void clear();

    // While bulk loading, the viewer appends every chunk behind the last node instead of inserting at the
    // selection.
    bool bulkLoad() const { return m_bulkLoad; }
    void setBulkLoad(bool on) { m_bulkLoad = on; }

    // How many nodes after a change are marked for rescanning (the window's rows plus two).
    int rescanSpan() const { return m_rescanSpan; }
    void setRescanSpan(int nodes) { m_rescanSpan = nodes < 0 ? 0 : nodes; }

    // Drops every node's token values and marks every node for rescanning and repaint.
    void dropAllAttrs();
    // Sets `bits` in the flags of every node.
    void markAll(uint32_t bits);

    // --- Nodes for the display layer
    // A new unlinked node holding `text` (at most 65535 characters, taken as they are), with flags repaint
    // and rescan (and the TAB flag when it holds a TAB).
    TNodeHandle newNode(std::string_view text);
    // Replaces the linked nodes first.node ... last (a run in list order; `first` gives the line and start
    // offset of its first node) with the given new nodes in order, for the display layer that re-cuts
    // lines (word wrap). The caller has set the new nodes' flags and bits and moved line colours and track
    // objects over (TLineNode::takeExtrasFrom). Counts, caches, breakpoints and clients follow; named
    // bookmarks and line tracks keep their offsets.
    TTextChange replaceNodes(const TNodePos& first, TLineNode* last, std::vector<TNodeHandle> nodes);

    // --- What else the store keeps
    // How the loaded file was written and the code page the stored bytes are in (Windows-1252 until a
    // load says otherwise); every character entered later is in the same page.
    const SourceEncodingInfo& encoding() const { return m_encoding; }
    void setEncoding(const SourceEncodingInfo& encoding) { m_encoding = encoding; }
    int codePage() const { return m_encoding.codePage; }

    TLineEndStyle lineEndStyle() const { return m_lineEndStyle; }
    void setLineEndStyle(TLineEndStyle style) { m_lineEndStyle = style; }

    // For bookmark n (0-9): its column within its line plus one; 0 when unset.
    std::array<int16_t, 10>& bookmarkColumns() { return m_bookmarkColumns; }
    const std::array<int16_t, 10>& bookmarkColumns() const { return m_bookmarkColumns; }

    TUndoStack& undoLog() { return m_undo; }
    TCustomBookmarks& namedBookmarks() { return m_namedBookmarks; }
    TSM_Breakpoints& breakpoints() { return m_breakpoints; }
    std::vector<std::string>& strings() { return m_strings; }

    // Attaches a line-tracking object to a node and lists it; answers it.
    TLineTrack* addTrack(TLineNode* node, std::unique_ptr<TLineTrack> track);
    const std::vector<TLineTrack*>& lineTracks() const { return m_tracks; }

    // --- Viewers and streams
    // Each client is listed once; the store tells them of every change and of its destruction.
    void addClient(TTextStoreClient* client);
    void removeClient(TTextStoreClient* client);
    const std::vector<TTextStoreClient*>& clients() const { return m_clients; }
    void notifyBookmarksChanged();

    // Bytes of node memory taken from the heap (slabs of the node pool).
    size_t nodeMemory() const { return m_pool.reservedBytes(); }

private:
    friend struct TNodeDeleter;

    static size_t blockSize(size_t length) { return sizeof(TLineNode) + length + 1; }
    TLineNode* allocNode(size_t length);
    void freeNode(TLineNode* node);
    bool growInPlace(const TNodePos& at, int offset, char c, TTextChange& change);
    TTextChange relink(const TNodePos& at, TLineNode* last, std::vector<TNodeHandle> nodes);
    TTextChange rebuild(const TNodePos& a, const TNodePos& b, int start, int end, std::string_view text);
    // Cuts text into a chain of new nodes; on failure frees what it made and rethrows.
    std::vector<TNodeHandle> split(std::string_view text, bool afterLineEnd);
    void countIn(const TLineNode* node);
    void countOut(const TLineNode* node);
    void updateLongestLine();
    void fixContinuation(TLineNode* node);
    void markRescanAfter(TLineNode* node);
    void dropCachesFrom(int line) const;
    void shiftPositions(int offset, int removed, int inserted);
    void notify(const TTextChange& change);
    TNodePos nearest(long target, bool byLine, const TNodePos* near) const;

    TNodePool m_pool;
    TLineNode* m_first = nullptr;
    TLineNode* m_last = nullptr;
    int m_lineCount = 0;
    int m_charCount = 0;
    int m_lineEnds = 0;
    int m_longestLine = 1;
    std::vector<int> m_lengthCounts; // nodes per length, for LongestLine

    mutable TNodePos m_top; // TopLineCache
    mutable TNodePos m_hint; // the node found last

    TUndoStack m_undo;
    std::vector<TLineTrack*> m_tracks; // owned by their nodes
    std::array<int16_t, 10> m_bookmarkColumns {};
    TCustomBookmarks m_namedBookmarks;
    std::vector<std::string> m_strings;
    TLineEndStyle m_lineEndStyle = lsCRLF;
    SourceEncodingInfo m_encoding;
    TSM_Breakpoints m_breakpoints;
    std::vector<TTextStoreClient*> m_clients;

    bool m_bulkLoad = false;
    int m_rescanSpan = 42;
    std::vector<char> m_joinBuffer;
};

} // namespace lrl
