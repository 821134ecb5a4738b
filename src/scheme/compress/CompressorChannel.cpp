#include "scheme/compress/CompressorChannel.h"

#include "common/FileStream.h"
#include "scheme/compress/CompressorMessages.h"
#include "scheme/compress/TCompressor.h"

#include <filesystem>

namespace lrl {

namespace {

std::optional<int64_t> positionOf(Stream* s)
{
    if (s == nullptr || !s->canSeek())
        return std::nullopt;
    try {
        return s->position();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

CompressorChannel::CompressorChannel(const TCompressor& compressor, const Texts& texts, bool withOutput)
{
    if (compressor.StreamMode) {
        auto start = positionOf(compressor.InputStream);
        if (!start)
            throw ECompressorException(texts.initInput);
        if (withOutput && !positionOf(compressor.OutputStream))
            throw ECompressorException(texts.initOutput);
        m_in = compressor.InputStream;
        m_out = compressor.OutputStream;
        m_inputStart = *start;
        return;
    }

    const std::string& inName = compressor.InputFileName;
    try {
        m_inFile = std::make_unique<FileStream>(inName, FileStream::Mode::OpenRead);
    } catch (const EStreamError&) {
        throw ECompressorException(texts.openInput + inName);
    }
    m_in = m_inFile.get();
    if (!withOutput)
        return;

    const std::string& outName = compressor.OutputFileName;
    // Creating the output would empty an input that is the same file.
    std::error_code ec;
    if (std::filesystem::equivalent(inName, outName, ec))
        throw ECompressorException(texts.openOutput + outName);
    try {
        m_outFile = std::make_unique<FileStream>(outName, FileStream::Mode::Create);
    } catch (const EStreamError&) {
        throw ECompressorException(texts.openOutput + outName);
    }
    m_out = m_outFile.get();
}

void CompressorChannel::commit()
{
    if (m_outFile) {
        try {
            m_outFile->close();
        } catch (const EStreamError&) {
            throw ECompressorException(compressor_messages::kWriteFile + m_outFile->path());
        }
    }
    m_committed = true;
}

CompressorChannel::~CompressorChannel()
{
    if (m_outFile && !m_committed) {
        std::string path = m_outFile->path();
        m_outFile.reset();
        // Only a regular file is ours to remove; an output that names a device or a pipe stays.
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec))
            std::filesystem::remove(path, ec);
    }
}

std::optional<int64_t> CompressorChannel::inputSize()
{
    try {
        int64_t end = m_in->size();
        if (end < m_inputStart)
            return std::nullopt;
        return end - m_inputStart;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace lrl
