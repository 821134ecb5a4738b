#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/TTextNormaliser.h"

namespace lrl {

class Stream;
class TTextStore;

// Feeds raw text into a store the way the viewer inserts text: in chunks of at most 8192 bytes, each
// normalised and inserted behind the previous one, the first replacing the range the insertion started
// on. A chunk whose byte 8191 is CR ends before it, so that a CR LF pair is never cut. While the store is
// bulk loading every chunk is appended behind the last node.
class TTextFeeder {
public:
    static constexpr size_t kChunk = 8192;
    // The length of the next chunk of `available` raw bytes.
    static size_t chunkLength(const uint8_t* raw, size_t available);

    // workBuffer: the normalised chunk goes there (it is grown to at least kChunk).
    TTextFeeder(TTextStore& store, std::vector<uint8_t>& workBuffer, int start, int end);

    // Inserts one chunk of at most kChunk bytes.
    void feed(const uint8_t* raw, size_t n);
    // Inserts a whole text chunk by chunk.
    void feedAll(std::string_view raw);
    // Inserts a stream's bytes from its position to its end, chunk by chunk, through rawBuffer (grown to
    // at least kChunk + 1).
    void feedStream(Stream& in, std::vector<uint8_t>& rawBuffer);
    // Feeds the stream's chunks like feedStream while they are ASCII (which reads the same in every
    // encoding). At the first chunk holding another byte it stops and hands that chunk, unfed, to rest;
    // answers true when the whole stream was ASCII and is fed.
    bool feedAsciiStream(Stream& in, std::vector<uint8_t>& rawBuffer, std::string& rest);
    // Whether anything was fed.
    bool fed() const { return m_fed; }
    // Ends the insertion; a range nothing was fed into is deleted.
    void finish();

    // Where the caret goes: behind the text inserted so far.
    int caret() const { return m_caret; }

private:
    // Feeds the stream chunk by chunk; with asciiRest, stops at the first chunk that is not ASCII as
    // feedAsciiStream does.
    bool feedChunks(Stream& in, std::vector<uint8_t>& rawBuffer, std::string* asciiRest);

    TTextStore& m_store;
    std::vector<uint8_t>& m_work;
    TTextNormaliser m_normaliser;
    int m_start;
    int m_end;
    int m_caret;
    bool m_fed = false;
};

} // namespace lrl
