#pragma once

#include "common/CharStream.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

namespace lrl::test {

// A character stream over a string cut into segments of a fixed size, as a text store cuts its text
// into lines, so that every routine meets segment ends at every offset.
class ChoppedCharStream : public CharStream {
public:
    ChoppedCharStream(std::string text, size_t segment)
        : m_text(std::move(text))
        , m_segment(std::max<size_t>(segment, 1))
    {
        setSize(static_cast<int64_t>(m_text.size()));
        loadSegment(0);
    }

    // Segment loads so far (crossings of segment ends).
    int loads = 0;

protected:
    void loadSegment(int64_t pos) override
    {
        ++loads;
        auto size = static_cast<int64_t>(m_text.size());
        auto seg = static_cast<int64_t>(m_segment);
        int64_t start = pos >= size && size > 0 ? (size - 1) / seg * seg : pos / seg * seg;
        int64_t end = std::min(start + seg, size);
        auto* base = reinterpret_cast<const uint8_t*>(m_text.data());
        setSegment(base + start, base + end, start, pos);
    }

private:
    std::string m_text;
    size_t m_segment;
};

} // namespace lrl::test
