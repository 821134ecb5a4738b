#pragma once

#include "viewer/TLineNode.h"
#include "viewer/TTextStore.h"

#include <cstdint>
#include <string>

namespace lrl {

class Stream;

// Flags of the selection writer (component query 3079).
constexpr unsigned wfAddLF = 1; // an LF after each line-end CR
constexpr unsigned wfRichText = 2;
constexpr unsigned wfHTML = 4;
constexpr unsigned wfLFOnly = 8; // each line-end CR written as one LF

// Writes the characters [start, end) of a store as plain text: from each node the characters inside the
// range; a line-end CR inside the range is followed by LF with wfAddLF, or replaced by LF with wfLFOnly.
class TPlainTextWriter {
public:
    TPlainTextWriter(const TTextStore& store, int start, int end, unsigned flags);

    // Calls sink(const char* data, size_t count) with the pieces of the text in order.
    template <typename Sink> void forEach(Sink&& sink) const;

    std::string text() const;
    int64_t length() const;
    // Writes to the stream in large pieces; answers the bytes the stream took, stopping at the first
    // short write.
    int64_t write(Stream& out) const;

private:
    const TTextStore& m_store;
    int m_start;
    int m_end;
    unsigned m_flags;
};

template <typename Sink> void TPlainTextWriter::forEach(Sink&& sink) const
{
    if (m_start >= m_end)
        return;
    TNodePos p = m_store.findOffset(m_start);
    int pos = m_start;
    for (const TLineNode* n = p.node; n && pos < m_end; n = n->next) {
        int from = pos - p.start;
        int to = std::min<int>(n->length, m_end - p.start);
        bool lineEnd = n->endsLine() && to == n->length;
        int plainEnd = lineEnd ? to - 1 : to;
        if (plainEnd > from)
            sink(n->text() + from, static_cast<size_t>(plainEnd - from));
        if (lineEnd) {
            if (m_flags & wfLFOnly)
                sink("\n", 1);
            else if (m_flags & wfAddLF)
                sink("\r\n", 2);
            else
                sink("\r", 1);
        }
        p.start += n->length;
        pos = p.start;
    }
}

} // namespace lrl
