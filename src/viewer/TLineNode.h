#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

namespace lrl {

class TLineTrack;

// Bits of TLineNode::flags.
enum TLineFlag : uint32_t {
    lfRepaint = 1, // the row must be redrawn
    lfRescan = 2, // the token values are stale; the line must be rescanned
    lfHasTab = 4, // the text holds at least one TAB
    lfScanStart = 16, // a scan must start here and may not stop at this line
};

// TLineNode::bookmarkBits: bits 0-9 are the bookmarks 0-9; bit 12 says that the node continues the
// line of the node before it (that node did not end with CR).
constexpr uint16_t kBookmarkMask = 0x03FF;
constexpr uint16_t kContinuationBit = 4096;

// The most characters a node holds when it is built from inserted or loaded text.
constexpr int kMaxNodeLength = 2047;

// A text colour and a background colour that override the style colours of a whole line; -1 is unset.
struct TLineColors {
    int32_t text = -1;
    int32_t back = -1;
    bool operator==(const TLineColors&) const = default;
};

// Per-line data that few lines ever carry, kept outside the node so that every node stays small.
struct TLineExtras {
    std::unique_ptr<TLineTrack> track;
    TLineColors colors;
};

// One line of the text, or one piece of a line longer than kMaxNodeLength characters, in the text
// store's doubly linked list.
//
// The node and its characters are one block from the store's node pool: text() starts right behind the
// header and holds `length` characters followed by a NUL. The line-end CR, when present, is the last
// character and counts in `length`. LF is never stored; every control character but TAB and CR is stored
// as '.'. Nodes are created and freed only by TTextStore (newNode(), replaceNodes(), replace()).
class TLineNode {
public:
    TLineNode* next = nullptr;
    TLineNode* prev = nullptr;
    uint32_t flags = 0; // TLineFlag bits
    uint16_t length = 0;
    uint16_t bookmarkBits = 0;
    uint16_t markBits = 0; // gutter marks: bit n shows image n of the gutter image list

    TLineNode() = default;
    TLineNode(const TLineNode&) = delete;
    TLineNode& operator=(const TLineNode&) = delete;

    char* text() { return reinterpret_cast<char*>(this + 1); }
    const char* text() const { return reinterpret_cast<const char*>(this + 1); }
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(this + 1); }

    // Whether the node ends a line (its last character is CR).
    bool endsLine() const { return length > 0 && text()[length - 1] == '\r'; }
    // The number of characters without the line-end CR.
    int textLength() const { return endsLine() ? length - 1 : length; }
    bool isContinuation() const { return (bookmarkBits & kContinuationBit) != 0; }
    bool hasTab() const { return (flags & lfHasTab) != 0; }

    // One token value per character, written by the scanner; null until the node is scanned.
    uint8_t* attrs() { return m_attrs.get(); }
    const uint8_t* attrs() const { return m_attrs.get(); }
    bool hasAttrs() const { return m_attrs != nullptr; }
    // The token values, allocated (filled with 0) when the node has none yet.
    uint8_t* ensureAttrs()
    {
        if (!m_attrs && length > 0)
            m_attrs = std::make_unique<uint8_t[]>(length);
        return m_attrs.get();
    }
    void setAttrs(std::unique_ptr<uint8_t[]> attrs) { m_attrs = std::move(attrs); }
    std::unique_ptr<uint8_t[]> takeAttrs() { return std::move(m_attrs); }
    void dropAttrs() { m_attrs.reset(); }

    TLineColors lineColors() const { return m_extras ? m_extras->colors : TLineColors {}; }
    void setLineColors(TLineColors colors);

    // The line-tracking object attached to the line; the node owns it and frees it with itself.
    TLineTrack* trackObject() const { return m_extras ? m_extras->track.get() : nullptr; }
    void setTrackObject(std::unique_ptr<TLineTrack> track);
    std::unique_ptr<TLineTrack> takeTrackObject();

    // Takes over the other node's line colours and track object (no allocation).
    void takeExtrasFrom(TLineNode& other) noexcept;

private:
    std::unique_ptr<uint8_t[]> m_attrs;
    std::unique_ptr<TLineExtras> m_extras;
};

} // namespace lrl
