#include "common/Stream.h"

#include "common/Exception.h"

#include <algorithm>
#include <vector>

namespace lrl {

int64_t Stream::size()
{
    int64_t pos = seek(0, SeekOrigin::Current);
    int64_t end = seek(0, SeekOrigin::End);
    seek(pos, SeekOrigin::Begin);
    return end;
}

int64_t Stream::seekTarget(int64_t offset, SeekOrigin origin, int64_t current, int64_t size)
{
    int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? current : size;
    int64_t target = base + offset;
    if (target < 0)
        throw EStreamError("Stream seek error");
    return target;
}

void Stream::readBuffer(void* buffer, size_t count)
{
    if (count != 0 && read(buffer, count) != count)
        throw EReadError();
}

void Stream::writeBuffer(const void* buffer, size_t count)
{
    if (count != 0 && write(buffer, count) != count)
        throw EWriteError();
}

int64_t Stream::copyFrom(Stream& source, int64_t count)
{
    if (count == 0) {
        source.setPosition(0);
        count = source.size();
    }
    constexpr int64_t kChunk = 61440;
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min(count, kChunk)));
    int64_t left = count;
    while (left > 0) {
        size_t n = static_cast<size_t>(std::min(left, kChunk));
        source.readBuffer(buffer.data(), n);
        writeBuffer(buffer.data(), n);
        left -= static_cast<int64_t>(n);
    }
    return count;
}

} // namespace lrl
