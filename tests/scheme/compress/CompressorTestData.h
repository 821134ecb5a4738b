#pragma once

#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "scheme/compress/TCompressor.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace lrl::test {

using Bytes = std::vector<uint8_t>;

inline Bytes randomBytes(size_t n, unsigned seed = 7)
{
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b)
        x = static_cast<uint8_t>(rng());
    return b;
}

// Text with the repetitions of source code: a few dozen lines recombined.
inline Bytes pascalLike(size_t n)
{
    static const char* lines[] = { "procedure TForm1.Button1Click(Sender: TObject);\r\n", "begin\r\n",
        "  if Assigned(FList) then FList.Clear;\r\n", "end;\r\n", "  { set up the grid }\r\n",
        "  for I := 0 to Count - 1 do\r\n", "    Items[I] := IntToStr(I * 42);\r\n", "var\r\n",
        "  S: string;\r\n", "function TParser.NextToken: Integer;\r\n" };
    std::mt19937 rng(3);
    Bytes b;
    while (b.size() < n) {
        const char* l = lines[rng() % 10];
        b.insert(b.end(), l, l + std::char_traits<char>::length(l));
    }
    b.resize(n);
    return b;
}

inline Bytes streamCompress(const Bytes& input, int method)
{
    ReadOnlyMemoryStream in(input);
    MemoryStream out;
    TCompressor c;
    c.StreamMode = true;
    c.Method = method;
    c.InputStream = &in;
    c.OutputStream = &out;
    c.Compress();
    return out.takeBytes();
}

inline Bytes streamDecompress(const Bytes& input)
{
    ReadOnlyMemoryStream in(input);
    MemoryStream out;
    TCompressor c;
    c.StreamMode = true;
    c.InputStream = &in;
    c.OutputStream = &out;
    c.Decompress();
    return out.takeBytes();
}

// The message a decompression of input fails with, or "" when it succeeds.
inline std::string decompressError(const Bytes& input)
{
    try {
        streamDecompress(input);
    } catch (const ECompressorException& e) {
        return e.message();
    }
    return "";
}

inline void setOriginalSize(Bytes& compressed, uint32_t size)
{
    for (int i = 0; i < 4; ++i)
        compressed[4 + i] = static_cast<uint8_t>(size >> (8 * i));
}

} // namespace lrl::test
