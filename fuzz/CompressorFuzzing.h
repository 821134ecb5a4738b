#pragma once

// Helpers shared by the compressor's fuzz targets.

#include "common/ReadOnlyMemoryStream.h"
#include "common/Stream.h"
#include "scheme/compress/TCompressor.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace lrl::fuzz {

// An output that only counts, so that a stream announcing gigabytes costs no memory.
class CountingStream : public Stream {
public:
    size_t read(void*, size_t) override { return 0; }
    size_t write(const void*, size_t count) override
    {
        m_pos += static_cast<int64_t>(count);
        return count;
    }
    int64_t seek(int64_t offset, SeekOrigin origin) override
    {
        m_pos = seekTarget(offset, origin, m_pos, m_pos);
        return m_pos;
    }

private:
    int64_t m_pos = 0;
};

// Decompresses data with its first four bytes replaced by magic; any failure must be a compressor
// error, and the output never exceeds the size the header announces.
inline void decompressWithMagic(const uint8_t* data, size_t size, const char* magic)
{
    if (size < 4)
        return;
    std::vector<uint8_t> bytes(data, data + size);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(magic[i]);
    ReadOnlyMemoryStream in(bytes);
    CountingStream out;
    TCompressor c;
    c.StreamMode = true;
    c.InputStream = &in;
    c.OutputStream = &out;
    try {
        int64_t written = c.Decompress();
        int64_t announced = size >= 8 ? bytes[4] | bytes[5] << 8 | bytes[6] << 16 | int64_t(bytes[7]) << 24 : -1;
        if (written != announced || out.position() != written)
            std::abort();
    } catch (const ECompressorException&) {
    }
}

} // namespace lrl::fuzz
