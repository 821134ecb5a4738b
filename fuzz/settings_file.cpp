// Reads arbitrary bytes as the program's settings file, as listrel-cli does with the user's settings:
// nothing may crash, and every value read must be one the store can give back.

#include "common/IniSettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    lrl::MemorySettingsStore store = lrl::IniSettingsFile::parse(text);
    for (const char* section : { "General", "FormOps", "PrtOps", "MRU Items" })
        for (const std::string& name : store.valueNames(section))
            if (!store.readString(section, name) && !store.readBinary(section, name))
                std::abort();
    return 0;
}
