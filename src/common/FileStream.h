#pragma once

#include "common/Stream.h"

#include <cstdio>
#include <memory>
#include <string>

namespace lrl {

// A stream over a file on disk. Opening for reading raises EFOpenError when the file cannot be read
// (missing, a directory, no permission); creating raises EFCreateError. The file is closed with the
// stream.
class FileStream : public Stream {
public:
    enum class Mode { OpenRead, Create };

    FileStream(const std::string& path, Mode mode);

    size_t read(void* buffer, size_t count) override;
    size_t write(const void* buffer, size_t count) override;
    int64_t seek(int64_t offset, SeekOrigin origin) override;

    const std::string& path() const { return m_path; }

    // Flushes and closes the file, raising EWriteError when buffered data cannot be written (for
    // example on a full disk). Writers call it so that such a failure is not lost in the destructor,
    // which closes silently. Any later read or write fails.
    void close();

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::string m_path;
    std::unique_ptr<std::FILE, Closer> m_file;
};

} // namespace lrl
