#include "common/FileStream.h"

#include "common/Exception.h"
#include "common/Format.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace lrl {

FileStream::FileStream(const std::string& path, Mode mode)
    : m_path(path)
{
    if (mode == Mode::OpenRead) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            throw EFOpenError(format("Cannot open file \"%s\". %s", path.c_str(), std::strerror(EISDIR)));
        m_file.reset(std::fopen(path.c_str(), "rb"));
        if (!m_file)
            throw EFOpenError(format("Cannot open file \"%s\". %s", path.c_str(), std::strerror(errno)));
    } else {
        m_file.reset(std::fopen(path.c_str(), "wb"));
        if (!m_file)
            throw EFCreateError(format("Cannot create file \"%s\". %s", path.c_str(), std::strerror(errno)));
    }
}

size_t FileStream::read(void* buffer, size_t count)
{
    return m_file ? std::fread(buffer, 1, count, m_file.get()) : 0;
}

size_t FileStream::write(const void* buffer, size_t count)
{
    return m_file ? std::fwrite(buffer, 1, count, m_file.get()) : 0;
}

void FileStream::close()
{
    if (!m_file)
        return;
    bool failed = std::fflush(m_file.get()) != 0 || std::ferror(m_file.get()) != 0;
    failed = std::fclose(m_file.release()) != 0 || failed;
    if (failed)
        throw EWriteError();
}

int64_t FileStream::seek(int64_t offset, SeekOrigin origin)
{
    if (!m_file)
        throw EStreamError("Stream seek error");
    int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    if (std::fseek(m_file.get(), static_cast<long>(offset), whence) != 0)
        throw EStreamError("Stream seek error");
    return static_cast<int64_t>(std::ftell(m_file.get()));
}

} // namespace lrl
