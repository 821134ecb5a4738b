// Compresses the input and expands it again: the result must be the input, and compressing twice must
// give the same bytes. The first byte picks the method (bit 0) and whether the rest is repeated past
// two KH chunks (bit 1), which inputs of fuzzer size would never reach otherwise.
#include "CompressorFuzzing.h"

#include "common/MemoryStream.h"

#include <vector>

namespace {

std::vector<uint8_t> run(lrl::TCompressor& c, const std::vector<uint8_t>& input, bool compress)
{
    lrl::ReadOnlyMemoryStream in(input);
    lrl::MemoryStream out;
    c.InputStream = &in;
    c.OutputStream = &out;
    compress ? c.Compress() : c.Decompress();
    return out.takeBytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::vector<uint8_t> input(data + 1, data + size);
    if ((data[0] & 2) && !input.empty()) {
        while (input.size() < 40000)
            input.insert(input.end(), data + 1, data + size);
    }
    static lrl::TCompressor reused; // state left by earlier inputs must not leak into the output
    lrl::TCompressor fresh;
    for (auto* c : { &reused, &fresh }) {
        c->StreamMode = true;
        c->Method = data[0] & 1 ? lrl::TCompressor::mKH : lrl::TCompressor::mLZH;
    }
    std::vector<uint8_t> packed = run(reused, input, true);
    if (run(fresh, input, true) != packed || run(reused, packed, false) != input)
        std::abort();
    return 0;
}
