// Loads arbitrary bytes as a scanner component's stored table. The first byte chooses how: 0 (even)
// takes the rest as the Parser property itself; odd wraps the rest as an uncompressed layout in a
// valid frame (version 51, or 50 when bit 1 is set), so that the fuzzer reaches the layout reader
// without having to forge compressed data. Only the system's own errors may come out; a table that
// loads must save, load and save again to the same bytes.

#include "common/Exception.h"
#include "common/MemoryStream.h"
#include "common/StreamIO.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/compress/TCompressor.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> framedLayout(uint16_t version, const uint8_t* data, size_t size)
{
    lrl::MemoryStream out;
    lrl::writeLE<uint16_t>(out, version);
    lrl::writeLE<int32_t>(out, static_cast<int32_t>(size));
    lrl::MemoryStream in(std::vector<uint8_t>(data, data + size));
    lrl::TCompressor c;
    c.StreamMode = true;
    c.InputStream = &in;
    c.OutputStream = &out;
    c.Compress();
    return out.takeBytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    uint8_t mode = data[0];
    std::vector<uint8_t> stored = (mode & 1) ? framedLayout((mode & 2) ? 50 : 51, data + 1, size - 1)
                                             : std::vector<uint8_t>(data + 1, data + size);
    lrl::TSyntaxMemoParser parser("SyntaxMemoParser1");
    parser.informationBox = [](const std::string&) {};
    try {
        parser.setParser(stored);
    } catch (const lrl::Exception&) {
        return 0;
    }
    std::vector<uint8_t> saved = parser.parser();
    lrl::TSyntaxMemoParser again("SyntaxMemoParser2");
    again.setParser(saved);
    if (again.parser() != saved)
        std::abort();
    return 0;
}
