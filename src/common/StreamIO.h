#pragma once

#include "common/Stream.h"

#include <cstdint>
#include <string>
#include <type_traits>

namespace lrl {

// Little-endian integers and length-prefixed strings on a Stream, as the stored binary formats use them.
// Every read takes exactly its width or raises EReadError.

template <typename T>
T readLE(Stream& s)
{
    static_assert(std::is_integral_v<T>);
    uint8_t b[sizeof(T)];
    s.readBuffer(b, sizeof(T));
    std::make_unsigned_t<T> v = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        v |= static_cast<std::make_unsigned_t<T>>(static_cast<std::make_unsigned_t<T>>(b[i]) << (8 * i));
    return static_cast<T>(v);
}

template <typename T>
void writeLE(Stream& s, T value)
{
    static_assert(std::is_integral_v<T>);
    auto v = static_cast<std::make_unsigned_t<T>>(value);
    uint8_t b[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        b[i] = static_cast<uint8_t>(v >> (8 * i));
    s.writeBuffer(b, sizeof(T));
}

// A string with an 8-bit length prefix.
std::string readShortString(Stream& s);
void writeShortString(Stream& s, const std::string& text); // longer texts are cut to 255 bytes

// A string with a 32-bit length prefix. A length larger than what is left in the stream raises
// EReadError before anything is allocated.
std::string readLongString(Stream& s);
void writeLongString(Stream& s, const std::string& text);

// A 32-bit count of items that follow, each at least minItemSize bytes long. A negative count, or one
// that the rest of a seekable stream cannot hold, raises EReadError, so that a corrupt count never
// makes a reader allocate or loop beyond what its input can back.
int32_t readCount(Stream& s, size_t minItemSize);

} // namespace lrl
