// Fuzzes LZH decompression: any byte string after the "!HZL" magic.
#include "CompressorFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    lrl::fuzz::decompressWithMagic(data, size, "!HZL");
    return 0;
}
