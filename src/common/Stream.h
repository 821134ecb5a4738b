#pragma once

#include <cstddef>
#include <cstdint>

namespace lrl {

enum class SeekOrigin { Begin, Current, End };

// A byte stream with a position, after the streams of the component library the file formats come
// from: the compressor, the stored scheme table, the text store's load and save, and the exporters all
// read and write through it.
//
// read() and write() transfer as many bytes as they can and answer the count; readBuffer() and
// writeBuffer() insist on the whole count and raise EReadError / EWriteError otherwise.
class Stream {
public:
    virtual ~Stream() = default;

    virtual size_t read(void* buffer, size_t count) = 0;
    virtual size_t write(const void* buffer, size_t count) = 0;
    // Moves the position and answers the new one; raises EStreamError when the stream cannot seek.
    virtual int64_t seek(int64_t offset, SeekOrigin origin) = 0;
    // Whether position() and seek() work; streams that cannot seek answer false.
    virtual bool canSeek() const { return true; }

    int64_t position() { return seek(0, SeekOrigin::Current); }
    void setPosition(int64_t pos) { seek(pos, SeekOrigin::Begin); }
    virtual int64_t size();

    void readBuffer(void* buffer, size_t count);
    void writeBuffer(const void* buffer, size_t count);

    // Copies count bytes from source (all of it from its start when count is 0); answers the count.
    int64_t copyFrom(Stream& source, int64_t count);

protected:
    // The target of a seek from origin, for streams that keep their position as a number; raises
    // EStreamError for a target before the start.
    static int64_t seekTarget(int64_t offset, SeekOrigin origin, int64_t current, int64_t size);

    Stream() = default;
    Stream(const Stream&) = default;
    Stream& operator=(const Stream&) = default;
};

} // namespace lrl
