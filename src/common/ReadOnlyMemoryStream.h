#pragma once

#include "common/Stream.h"

#include <cstdint>
#include <span>

namespace lrl {

// A read-only stream over bytes owned by someone else; nothing is copied.
class ReadOnlyMemoryStream : public Stream {
public:
    explicit ReadOnlyMemoryStream(std::span<const uint8_t> bytes)
        : m_data(bytes)
    {
    }

    size_t read(void* buffer, size_t count) override;
    size_t write(const void*, size_t) override { return 0; }
    int64_t seek(int64_t offset, SeekOrigin origin) override;
    int64_t size() override { return static_cast<int64_t>(m_data.size()); }

private:
    std::span<const uint8_t> m_data;
    size_t m_pos = 0;
};

} // namespace lrl
