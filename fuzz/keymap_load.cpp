// Loads arbitrary bytes as a keyboard map stream. Only the system's own errors may come out; a map that
// loads must save, load and save again to the same bytes.

#include "common/Exception.h"
#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "viewer/keymap/TKeyboardActionContoller.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    lrl::TKeyboardActionContoller map;
    lrl::ReadOnlyMemoryStream in(std::span<const uint8_t>(data, size));
    try {
        map.loadFromStream(in);
    } catch (const lrl::Exception&) {
        return 0;
    }
    lrl::MemoryStream first;
    map.saveToStream(first);
    first.setPosition(0);
    lrl::TKeyboardActionContoller again;
    again.loadFromStream(first);
    lrl::MemoryStream second;
    again.saveToStream(second);
    if (second.bytes() != first.bytes())
        std::abort();
    return 0;
}
