#include "viewer/TPlainTextWriter.h"

#include "common/Stream.h"

#include <algorithm>
#include <vector>

namespace lrl {

TPlainTextWriter::TPlainTextWriter(const TTextStore& store, int start, int end, unsigned flags)
    : m_store(store)
    , m_start(std::clamp(start, 0, store.charCount()))
    , m_end(std::clamp(end, 0, store.charCount()))
    , m_flags(flags)
{
}

std::string TPlainTextWriter::text() const
{
    std::string out;
    out.reserve(static_cast<size_t>(length()));
    forEach([&](const char* data, size_t n) { out.append(data, n); });
    return out;
}

int64_t TPlainTextWriter::length() const
{
    if (m_start >= m_end)
        return 0;
    int64_t chars = m_end - m_start;
    if (!(m_flags & wfAddLF) || (m_flags & wfLFOnly))
        return chars;
    int64_t lineEnds = 0;
    if (m_start == 0 && m_end == m_store.charCount()) {
        lineEnds = m_store.lineEndCount();
    } else {
        TNodePos p = m_store.findOffset(m_start);
        for (const TLineNode* n = p.node; n && p.start < m_end; n = n->next) {
            int cr = p.start + n->length - 1;
            if (n->endsLine() && cr >= m_start && cr < m_end)
                ++lineEnds;
            p.start += n->length;
        }
    }
    return chars + lineEnds;
}

int64_t TPlainTextWriter::write(Stream& out) const
{
    constexpr size_t kBuffer = 64 * 1024;
    std::vector<char> buffer;
    buffer.reserve(kBuffer);
    int64_t written = 0;
    bool failed = false;
    auto flush = [&] {
        if (failed || buffer.empty())
            return;
        size_t n = out.write(buffer.data(), buffer.size());
        written += static_cast<int64_t>(n);
        failed = n != buffer.size();
        buffer.clear();
    };
    forEach([&](const char* data, size_t n) {
        if (buffer.size() + n > kBuffer)
            flush();
        buffer.insert(buffer.end(), data, data + n);
    });
    flush();
    return written;
}

} // namespace lrl
