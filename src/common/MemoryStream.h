#pragma once

#include "common/Stream.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace lrl {

// A growable stream in memory. Writing past the end extends it; seeking past the end is allowed and
// the gap is filled with zeros by the next write.
class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> bytes)
        : m_data(std::move(bytes))
    {
    }

    size_t read(void* buffer, size_t count) override;
    size_t write(const void* buffer, size_t count) override;
    int64_t seek(int64_t offset, SeekOrigin origin) override;
    int64_t size() override { return static_cast<int64_t>(m_data.size()); }

    const std::vector<uint8_t>& bytes() const { return m_data; }
    std::vector<uint8_t> takeBytes();
    void clear();

private:
    std::vector<uint8_t> m_data;
    size_t m_pos = 0;
};

} // namespace lrl
