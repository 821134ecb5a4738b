#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lrl {

class Stream;

// The byte reader under the form converter: little-endian integers and character runs from a Stream, with
// one byte of look-ahead for the places where the next byte decides what follows. Every read takes exactly
// what it asks for or raises EReadError ("Stream read error"); nothing is allocated ahead of the bytes that
// actually arrive, whatever length the input claims.
class FormInput {
public:
    explicit FormInput(Stream& stream)
        : m_stream(stream)
    {
    }

    uint8_t readByte();
    uint8_t peekByte();
    void read(void* buffer, size_t count);

    template <typename T> T readLE()
    {
        uint8_t b[sizeof(T)];
        read(b, sizeof(T));
        uint64_t v = 0;
        for (size_t i = sizeof(T); i-- > 0;)
            v = (v << 8) | b[i];
        return static_cast<T>(v);
    }

    // count bytes as they come, in pieces, so that a damaged length fails at the end of the input
    // instead of allocating what the length claims.
    std::string readChars(size_t count);
    // One length byte, then that many characters.
    std::string readShortString();

private:
    Stream& m_stream;
    int m_peeked = -1;
};

} // namespace lrl
