#pragma once

#include "common/CharStream.h"

#include <algorithm>
#include <string>
#include <vector>

namespace lrl::test {

// A CharStream over a text cut into segments the way the text store cuts it: a segment ends after each
// CR and holds at most maxSegment characters. Small maxSegment values make every search cross segment
// boundaries often.
class SegmentedCharStream : public CharStream {
public:
    explicit SegmentedCharStream(std::string text, size_t maxSegment = 2047)
        : m_text(std::move(text))
    {
        size_t start = 0;
        while (start < m_text.size()) {
            size_t end = start;
            while (end < m_text.size() && end - start < maxSegment) {
                if (m_text[end++] == '\r')
                    break;
            }
            m_starts.push_back(static_cast<int64_t>(start));
            start = end;
        }
        setSize(static_cast<int64_t>(m_text.size()));
        loadSegment(0);
    }

    int loads() const { return m_loads; }

protected:
    void loadSegment(int64_t pos) override
    {
        ++m_loads;
        auto* base = reinterpret_cast<const uint8_t*>(m_text.data());
        if (m_starts.empty()) {
            setSegment(base, base, 0, 0);
            return;
        }
        // The last segment that starts at or before pos (pos == size() lands in the last one).
        auto it = std::upper_bound(m_starts.begin(), m_starts.end(), pos);
        size_t i = static_cast<size_t>(it - m_starts.begin()) - 1;
        int64_t begin = m_starts[i];
        int64_t end = i + 1 < m_starts.size() ? m_starts[i + 1] : static_cast<int64_t>(m_text.size());
        setSegment(base + begin, base + end, begin, pos);
    }

private:
    std::string m_text;
    std::vector<int64_t> m_starts;
    int m_loads = 0;
};

} // namespace lrl::test
