#include "common/StreamIO.h"

#include "common/Exception.h"

namespace lrl {

std::string readShortString(Stream& s)
{
    uint8_t n = readLE<uint8_t>(s);
    std::string text(n, '\0');
    s.readBuffer(text.data(), n);
    return text;
}

void writeShortString(Stream& s, const std::string& text)
{
    size_t n = text.size() > 255 ? 255 : text.size();
    writeLE<uint8_t>(s, static_cast<uint8_t>(n));
    s.writeBuffer(text.data(), n);
}

std::string readLongString(Stream& s)
{
    int32_t n = readLE<int32_t>(s);
    if (n < 0)
        throw EReadError();
    if (s.canSeek()) {
        int64_t pos = s.position();
        if (static_cast<int64_t>(n) > s.size() - pos)
            throw EReadError();
    }
    std::string text(static_cast<size_t>(n), '\0');
    s.readBuffer(text.data(), static_cast<size_t>(n));
    return text;
}

void writeLongString(Stream& s, const std::string& text)
{
    writeLE<int32_t>(s, static_cast<int32_t>(text.size()));
    s.writeBuffer(text.data(), text.size());
}

int32_t readCount(Stream& s, size_t minItemSize)
{
    int32_t n = readLE<int32_t>(s);
    if (n < 0)
        throw EReadError();
    if (s.canSeek() && minItemSize > 0) {
        int64_t left = s.size() - s.position();
        if (static_cast<int64_t>(n) > left / static_cast<int64_t>(minItemSize))
            throw EReadError();
    }
    return n;
}

} // namespace lrl
