#include "scheme/compress/ByteSink.h"

#include "common/Stream.h"
#include "scheme/compress/CodecError.h"

namespace lrl {

ByteSink::ByteSink(Stream& stream, std::span<uint8_t> buffer)
    : m_stream(stream)
    , m_buffer(buffer)
{
}

void ByteSink::flush()
{
    writeAll(m_stream, m_buffer.data(), m_used);
    m_flushed += static_cast<int64_t>(m_used);
    m_used = 0;
}

void writeAll(Stream& stream, const void* bytes, size_t count)
{
    if (count != 0 && stream.write(bytes, count) != count)
        throw CodecError { CodecError::Write };
}

} // namespace lrl
