#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lrl {

// The per-user settings storage: named sections ("FormOps", "PrtOps", "MRU Items", …) holding named
// values. Window settings are stored as strings; the scanner's key assignments as bytes. The program
// backs this with QSettings (src/platform); tests and tools use MemorySettingsStore.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The value, or nothing when it is absent (or stored with another kind).
    virtual std::optional<std::string> readString(const std::string& section, const std::string& name) const = 0;
    virtual void writeString(const std::string& section, const std::string& name, const std::string& value) = 0;
    virtual std::optional<std::vector<uint8_t>> readBinary(const std::string& section, const std::string& name) const = 0;
    virtual void writeBinary(const std::string& section, const std::string& name, const std::vector<uint8_t>& value) = 0;

    // The names of the values in a section, in the order the store keeps them.
    virtual std::vector<std::string> valueNames(const std::string& section) const = 0;
    // Removes a section with all its values (used to rewrite a list as a whole).
    virtual void removeSection(const std::string& section) = 0;
    // Makes the written values durable.
    virtual void flush() { }

    // The section a registry key path names, for components configured with one: the program's own key
    // "Software\Corvane\Listrel Delphi" (letter case ignored, leading "\" optional) is dropped, so
    // "\Software\Corvane\Listrel Delphi\FormOps" is "FormOps"; any further levels are joined with "/".
    static std::string sectionOfKey(std::string_view keyPath);
};

} // namespace lrl
