#include "viewer/print/TExportSink.h"

#include "common/Stream.h"

namespace lrl {

TExportSink::TExportSink(Stream& out)
    : m_out(out)
{
    m_buffer.reserve(kFlushSize + 256);
}

void TExportSink::flush()
{
    if (!m_failed && !m_buffer.empty()) {
        size_t n = m_out.write(m_buffer.data(), m_buffer.size());
        m_written += static_cast<int64_t>(n);
        m_failed = n != m_buffer.size();
    }
    m_buffer.clear();
}

} // namespace lrl
