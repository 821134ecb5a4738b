#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace lrl {

class Stream;

// The byte output of the exporters: collects what they write and hands it to the stream in large
// pieces. After the first short write nothing more goes to the stream, and written() tells how many
// bytes it took, which the viewer's save compares with the text's length.
class TExportSink {
public:
    explicit TExportSink(Stream& out);
    TExportSink(const TExportSink&) = delete;
    TExportSink& operator=(const TExportSink&) = delete;

    void put(char c)
    {
        m_buffer.push_back(c);
        if (m_buffer.size() >= kFlushSize)
            flush();
    }
    void put(std::string_view text)
    {
        m_buffer.append(text);
        if (m_buffer.size() >= kFlushSize)
            flush();
    }
    // printf-style, for numbers and short names; the result is cut at 255 characters.
    template <typename... Args> void putf(const char* format, Args... args)
    {
        char text[256];
        int n = std::snprintf(text, sizeof text, format, args...);
        if (n > 0)
            put(std::string_view(text, std::min(static_cast<size_t>(n), sizeof text - 1)));
    }

    // Hands everything collected so far to the stream.
    void flush();
    int64_t written() const { return m_written; }
    bool failed() const { return m_failed; }

private:
    static constexpr size_t kFlushSize = 64 * 1024;

    Stream& m_out;
    std::string m_buffer;
    int64_t m_written = 0;
    bool m_failed = false;
};

} // namespace lrl
