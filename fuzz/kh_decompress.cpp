// Fuzzes KH decompression: any byte string after the "WRZL" magic.
#include "CompressorFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    lrl::fuzz::decompressWithMagic(data, size, "WRZL");
    return 0;
}
