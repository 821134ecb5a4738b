#pragma once

#include <cstddef>
#include <cstdint>

namespace lrl {

// A read-only stream of 8-bit characters, the way the scanner and the search read text.
//
// The text is seen as a row of contiguous segments (for the text store: one line node each). Stepping
// inside the current segment is inline and costs a pointer compare; only crossing into another segment
// calls the virtual loadSegment(). Positions run from 0 to size(); at size() the stream is at its end
// and current() answers 0.
class CharStream {
public:
    virtual ~CharStream() = default;

    int64_t size() const { return m_size; }
    int64_t position() const { return m_segPos + (m_cur - m_segBegin); }
    bool atEnd() const { return position() >= m_size; }

    // The character at the position; 0 at the end of the stream.
    uint8_t current()
    {
        if (m_cur < m_segEnd)
            return *m_cur;
        return currentSlow();
    }

    // Steps forward one character; nothing happens at the end.
    void next()
    {
        if (m_cur < m_segEnd)
            ++m_cur;
        else
            nextSlow();
    }

    // Steps back one character; nothing happens at the start.
    void prev()
    {
        if (m_cur > m_segBegin)
            --m_cur;
        else
            prevSlow();
    }

    // Moves to pos, clamped to 0 ... size(). Inline while pos lies in the current segment.
    void seek(int64_t pos)
    {
        if (m_segBegin != nullptr && pos >= m_segPos && pos <= m_segPos + (m_segEnd - m_segBegin)) {
            m_cur = m_segBegin + (pos - m_segPos);
            return;
        }
        seekSlow(pos);
    }

    // Copies up to count characters from the position on, stepping over them; answers the count copied.
    size_t read(uint8_t* dest, size_t count);

    // The rest of the current segment from the position on (may be empty at a segment end).
    const uint8_t* segmentCursor() const { return m_cur; }
    // The start of the current segment; segmentBegin() ... segmentEnd() is contiguous text that stays valid
    // while the text is unchanged.
    const uint8_t* segmentBegin() const { return m_segBegin; }
    const uint8_t* segmentEnd() const { return m_segEnd; }
    // Moves the position within the current segment; ptr must lie between the segment's start and end.
    void setSegmentCursor(const uint8_t* ptr) { m_cur = ptr; }

protected:
    CharStream() = default;
    CharStream(const CharStream&) = delete;
    CharStream& operator=(const CharStream&) = delete;

    // Makes the segment that holds pos the current one (0 <= pos <= size(); for pos == size() a segment
    // ending at size() or an empty one) by calling setSegment().
    virtual void loadSegment(int64_t pos) = 0;

    // Sets the current segment [begin, end) that starts at text position segStart, and the position pos.
    void setSegment(const uint8_t* begin, const uint8_t* end, int64_t segStart, int64_t pos)
    {
        m_segBegin = begin;
        m_segEnd = end;
        m_segPos = segStart;
        m_cur = begin + (pos - segStart);
    }
    void setSize(int64_t size) { m_size = size; }

private:
    uint8_t currentSlow();
    void nextSlow();
    void seekSlow(int64_t pos);
    void prevSlow();

    const uint8_t* m_segBegin = nullptr;
    const uint8_t* m_segEnd = nullptr;
    const uint8_t* m_cur = nullptr;
    int64_t m_segPos = 0;
    int64_t m_size = 0;
};

} // namespace lrl
