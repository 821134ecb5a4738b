#include "scheme/compress/TCompressor.h"

#include "common/Stream.h"
#include "scheme/compress/ByteSink.h"
#include "scheme/compress/ByteSource.h"
#include "scheme/compress/CodecError.h"
#include "scheme/compress/CompressorChannel.h"
#include "scheme/compress/CompressorMessages.h"
#include "scheme/compress/KhBlockCoder.h"
#include "scheme/compress/LzhDecoder.h"
#include "scheme/compress/LzhEncoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <span>

namespace lrl {

namespace msg = compressor_messages;

namespace {

constexpr uint8_t kKhMagic[4] = { 'W', 'R', 'Z', 'L' };
constexpr uint8_t kLzhMagic[4] = { '!', 'H', 'Z', 'L' };
constexpr size_t kHeaderSize = 8;
constexpr size_t kChunk = KhBlockCoder::kChunkSize;
// A chunk plus room for a block's length word and the coder's slack.
constexpr size_t kBufferSize = kChunk + 16;
static_assert(kBufferSize >= 2 + kChunk + KhBlockCoder::kOutputSlack);
constexpr int64_t kAdviseMinSize = 3 * static_cast<int64_t>(kChunk);
constexpr int64_t kMaxOriginalSize = 0xFFFFFFFF;

const CompressorChannel::Texts kOperationTexts { msg::kInitInput, msg::kInitOutput, msg::kOpenInput,
    msg::kOpenOutput };
const CompressorChannel::Texts kAdviseTexts { msg::kAdviseInitInput, nullptr, msg::kAdviseOpenInput, nullptr };

std::string codecMessage(CodecError::Kind kind, const TCompressor& c)
{
    const bool files = !c.StreamMode;
    std::string readFile = msg::kReadFile + c.InputFileName;
    switch (kind) {
    case CodecError::Read:
        return files ? readFile : msg::kReadStream;
    case CodecError::Write:
        return files ? msg::kWriteFile + c.OutputFileName : msg::kWriteStream;
    case CodecError::KhRead:
        return (files ? readFile : std::string(msg::kReadStream)) + msg::kKhSuffix;
    case CodecError::LzhRead:
        return (files ? readFile : std::string(msg::kReadStream)) + msg::kLzhSuffix;
    case CodecError::KhSize:
        return msg::kKhSizeMismatch;
    case CodecError::LzhSize:
        return msg::kLzhSizeMismatch;
    }
    return msg::kReadStream;
}

void putHeader(uint8_t* at, const uint8_t* magic, int64_t size)
{
    std::memcpy(at, magic, 4);
    for (int i = 0; i < 4; ++i)
        at[4 + i] = static_cast<uint8_t>(static_cast<uint64_t>(size) >> (8 * i));
}

// Puts the stream back where it was when the scope ends, also after a failure.
class PositionGuard {
public:
    PositionGuard(Stream& s, int64_t pos)
        : m_stream(s)
        , m_pos(pos)
    {
    }
    ~PositionGuard()
    {
        try {
            m_stream.setPosition(m_pos);
        } catch (const std::exception&) {
            // The stream reported its position when the operation started; nothing better to do here.
        }
    }
    PositionGuard(const PositionGuard&) = delete;
    PositionGuard& operator=(const PositionGuard&) = delete;

private:
    Stream& m_stream;
    int64_t m_pos;
};

template <typename T>
T& allocateOnce(std::unique_ptr<T>& slot, const char* failText)
{
    if (!slot) {
        try {
            slot = std::make_unique<T>();
        } catch (const std::bad_alloc&) {
            throw ECompressorException(failText);
        }
    }
    return *slot;
}

} // namespace

struct TCompressor::Buffers {
    std::array<uint8_t, kBufferSize> in;
    std::array<uint8_t, kBufferSize> out;
};

TCompressor::TCompressor() = default;
TCompressor::~TCompressor() = default;
TCompressor::TCompressor(TCompressor&&) noexcept = default;
TCompressor& TCompressor::operator=(TCompressor&&) noexcept = default;

TCompressor::TCompressor(const TCompressor& other)
    : InputFileName(other.InputFileName)
    , OutputFileName(other.OutputFileName)
    , Method(other.Method)
    , StreamMode(other.StreamMode)
    , InputStream(other.InputStream)
    , OutputStream(other.OutputStream)
    , AdviseRatio(other.AdviseRatio)
{
}

TCompressor& TCompressor::operator=(const TCompressor& other)
{
    if (this != &other) {
        InputFileName = other.InputFileName;
        OutputFileName = other.OutputFileName;
        Method = other.Method;
        StreamMode = other.StreamMode;
        InputStream = other.InputStream;
        OutputStream = other.OutputStream;
        AdviseRatio = other.AdviseRatio;
    }
    return *this;
}

TCompressor::Buffers& TCompressor::buffers(const char* failText)
{
    return allocateOnce(m_buffers, failText);
}

KhBlockCoder& TCompressor::khCoder()
{
    return allocateOnce(m_kh, msg::kNoKhHashTable);
}

LzhEncoder& TCompressor::lzhEncoder()
{
    return allocateOnce(m_lzhEncoder, msg::kNoLzhTables);
}

LzhDecoder& TCompressor::lzhDecoder()
{
    return allocateOnce(m_lzhDecoder, msg::kNoLzhTables);
}

int64_t TCompressor::Compress()
{
    const int method = Method == mAdvise ? Advise() : Method == mLZH ? mLZH : mKH;
    Buffers& buf = buffers(msg::kNoBuffers);
    KhBlockCoder* kh = method == mKH ? &khCoder() : nullptr;
    LzhEncoder* lzh = method == mLZH ? &lzhEncoder() : nullptr;

    CompressorChannel channel(*this, kOperationTexts, true);
    auto size = channel.inputSize();
    if (!size || *size > kMaxOriginalSize)
        throw ECompressorException(StreamMode ? msg::kNoSizeStream : msg::kNoSizeFile + InputFileName);
    Stream& in = channel.in();
    Stream& out = channel.out();

    int64_t written = kHeaderSize;
    try {
        uint8_t header[kHeaderSize];
        putHeader(header, method == mKH ? kKhMagic : kLzhMagic, *size);
        writeAll(out, header, kHeaderSize);

        if (kh) {
            // One block per chunk; a final short chunk (empty when the size is a multiple of the
            // chunk) ends the data.
            int64_t left = *size;
            size_t got;
            do {
                size_t want = static_cast<size_t>(std::min<int64_t>(left, kChunk));
                got = readUpTo(in, buf.in.data(), want);
                if (got != want)
                    throw CodecError { CodecError::KhRead };
                left -= static_cast<int64_t>(got);
                size_t length = kh->compress({ buf.in.data(), got }, buf.out.data() + 2);
                buf.out[0] = static_cast<uint8_t>(length);
                buf.out[1] = static_cast<uint8_t>(length >> 8);
                writeAll(out, buf.out.data(), length + 2);
                written += static_cast<int64_t>(length + 2);
            } while (got == kChunk);
        } else {
            ByteSource source(in, buf.in, *size);
            ByteSink sink(out, buf.out);
            int64_t coded = lzh->encode(source, sink);
            sink.flush();
            if (coded != *size)
                throw CodecError { CodecError::LzhRead };
            written += sink.written();
        }
    } catch (const CodecError& e) {
        throw ECompressorException(codecMessage(e.kind, *this));
    }
    channel.commit();
    return written;
}

int64_t TCompressor::Decompress()
{
    Buffers& buf = buffers(msg::kNoBuffers);
    CompressorChannel channel(*this, kOperationTexts, true);
    Stream& in = channel.in();
    Stream& out = channel.out();

    int64_t written = 0;
    try {
        uint8_t header[kHeaderSize];
        if (readUpTo(in, header, kHeaderSize) != kHeaderSize)
            throw CodecError { CodecError::Read };
        int64_t size = 0;
        for (int i = 0; i < 4; ++i)
            size |= static_cast<int64_t>(header[4 + i]) << (8 * i);

        if (std::memcmp(header, kKhMagic, 4) == 0) {
            for (;;) {
                uint8_t lengthBytes[2];
                if (readUpTo(in, lengthBytes, 2) != 2)
                    throw CodecError { CodecError::KhRead };
                size_t length = lengthBytes[0] | (static_cast<size_t>(lengthBytes[1]) << 8);
                if (length > KhBlockCoder::kMaxBlockSize || readUpTo(in, buf.in.data(), length) != length)
                    throw CodecError { CodecError::KhRead };
                auto expanded = KhBlockCoder::expand({ buf.in.data(), length }, buf.out.data());
                if (!expanded)
                    throw CodecError { CodecError::KhRead };
                // Stop before writing more than the header announced.
                if (static_cast<int64_t>(*expanded) > size - written)
                    throw CodecError { CodecError::KhSize };
                writeAll(out, buf.out.data(), *expanded);
                written += static_cast<int64_t>(*expanded);
                if (*expanded < kChunk)
                    break;
            }
            if (written != size)
                throw CodecError { CodecError::KhSize };
        } else if (std::memcmp(header, kLzhMagic, 4) == 0) {
            ByteSource source(in, buf.in);
            ByteSink sink(out, buf.out);
            lzhDecoder().decode(source, size, sink);
            sink.flush();
            written = sink.written();
        } else {
            throw ECompressorException(
                StreamMode ? std::string(msg::kNoHeaderStream) : InputFileName + msg::kNoHeaderFile);
        }
    } catch (const CodecError& e) {
        throw ECompressorException(codecMessage(e.kind, *this));
    }
    channel.commit();
    return written;
}

int TCompressor::Advise()
{
    Buffers& buf = buffers(msg::kAdviseNoBuffers);
    CompressorChannel channel(*this, kAdviseTexts, false);
    auto size = channel.inputSize();
    if (!size)
        throw ECompressorException(StreamMode ? msg::kAdviseNoSizeStream : msg::kAdviseNoSizeFile + InputFileName);
    if (*size < kAdviseMinSize)
        return mLZH;

    KhBlockCoder& kh = khCoder();
    Stream& in = channel.in();
    PositionGuard restore(in, channel.inputStart());
    const std::string readError = StreamMode ? msg::kAdviseReadStream : msg::kAdviseReadFile + InputFileName;
    int64_t packed = 0;
    for (int64_t at : { *size / 3, 2 * *size / 3 }) {
        at -= at % static_cast<int64_t>(kChunk);
        try {
            in.setPosition(channel.inputStart() + at);
        } catch (const std::exception&) {
            throw ECompressorException(readError);
        }
        if (readUpTo(in, buf.in.data(), kChunk) != kChunk)
            throw ECompressorException(readError);
        packed += static_cast<int64_t>(kh.compress({ buf.in.data(), kChunk }, buf.out.data()));
    }
    return packed * 100 < static_cast<int64_t>(AdviseRatio) * 2 * static_cast<int64_t>(kChunk) ? mKH : mLZH;
}

} // namespace lrl
