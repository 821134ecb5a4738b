#pragma once

#include "common/SettingsStore.h"

#include <cstdint>
#include <string>

namespace lrl {

// Writes the values of one section of a settings store in the program's stored kinds: integers in
// decimal, flags as "1" or "0", texts as they are.
class SettingsWriter {
public:
    SettingsWriter(SettingsStore& store, std::string section);

    void writeInt(const std::string& name, int32_t value);
    void writeFlag(const std::string& name, bool value);
    void writeText(const std::string& name, const std::string& value);

private:
    SettingsStore& m_store;
    std::string m_section;
};

} // namespace lrl
