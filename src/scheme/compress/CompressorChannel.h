#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace lrl {

class FileStream;
class Stream;
class TCompressor;

// The input and output of one compressor operation: the caller's streams in stream mode, or the named
// files opened for it in file mode. An output file created here is closed and removed again unless the
// operation calls commit(), so that a failure leaves no half-written file behind.
class CompressorChannel {
public:
    // The texts raised when a side cannot be set up; the open texts get the file name appended.
    struct Texts {
        const char* initInput;
        const char* initOutput;
        const char* openInput;
        const char* openOutput;
    };

    CompressorChannel(const TCompressor& compressor, const Texts& texts, bool withOutput);
    ~CompressorChannel();
    CompressorChannel(const CompressorChannel&) = delete;
    CompressorChannel& operator=(const CompressorChannel&) = delete;

    Stream& in() { return *m_in; }
    Stream& out() { return *m_out; }
    // Where the input starts: its position in stream mode, 0 for a file.
    int64_t inputStart() const { return m_inputStart; }
    // Bytes from the input start to the end, when the input can tell.
    std::optional<int64_t> inputSize();
    // Keeps the output: an output file is flushed and closed first; data that cannot reach the disk
    // raises the file write error and the file is removed like on any other failure.
    void commit();

private:
    std::unique_ptr<FileStream> m_inFile;
    std::unique_ptr<FileStream> m_outFile;
    Stream* m_in = nullptr;
    Stream* m_out = nullptr;
    int64_t m_inputStart = 0;
    bool m_committed = false;
};

} // namespace lrl
