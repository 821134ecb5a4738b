#pragma once

#include "common/CharStream.h"

#include <string_view>

namespace lrl {

// A CharStream over one string that the caller keeps alive: the whole text is one segment.
class StringCharStream : public CharStream {
public:
    explicit StringCharStream(std::string_view text)
        : m_text(text)
    {
        setSize(static_cast<int64_t>(text.size()));
        loadSegment(0);
    }

protected:
    void loadSegment(int64_t pos) override
    {
        auto* begin = reinterpret_cast<const uint8_t*>(m_text.data());
        setSegment(begin, begin + m_text.size(), 0, pos);
    }

private:
    std::string_view m_text;
};

} // namespace lrl
