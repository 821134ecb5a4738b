#pragma once

namespace lrl {

// Raised inside the compressor's coders; TCompressor turns it into an ECompressorException whose text
// names the stream or the file it was working on.
struct CodecError {
    enum Kind {
        Read,    // a fixed-size read of the header came short
        Write,   // the output took fewer bytes than it was given
        KhRead,  // KH input ended early or holds a block that cannot be expanded
        LzhRead, // LZH input ended before the size it announced
        KhSize,  // KH output differs from the original size in the header
        LzhSize, // LZH output differs from the original size in the header
    };
    Kind kind;
};

} // namespace lrl
