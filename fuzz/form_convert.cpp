// Converts arbitrary bytes as a binary form file, with and without its resource header. The conversion
// may only succeed or fail with one of its three messages; anything else (another exception, a crash, a
// sanitizer report, a runaway allocation) is a finding.

#include "browser/formconv/FormConvert.h"
#include "common/Exception.h"
#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void expectKnownMessage(const lrl::EReadError& e)
{
    const char* m = e.what();
    if (std::strcmp(m, lrl::kInvalidStreamFormat) != 0 && std::strcmp(m, lrl::kInvalidPropertyValue) != 0
        && std::strcmp(m, "Stream read error") != 0) {
        std::fprintf(stderr, "unexpected message: %s\n", m);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        lrl::convertFormResource(std::span<const uint8_t>(data, size));
    } catch (const lrl::EReadError& e) {
        expectKnownMessage(e);
    }
    try {
        lrl::ReadOnlyMemoryStream input(std::span<const uint8_t>(data, size));
        lrl::MemoryStream output;
        lrl::convertFormStream(input, output);
    } catch (const lrl::EReadError& e) {
        expectKnownMessage(e);
    }
    return 0;
}
