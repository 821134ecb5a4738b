#pragma once

#include "common/SettingsStore.h"

#include <map>
#include <variant>

namespace lrl {

// A settings store in memory, for tests and for tools that must not touch the user's settings.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> readString(const std::string& section, const std::string& name) const override;
    void writeString(const std::string& section, const std::string& name, const std::string& value) override;
    std::optional<std::vector<uint8_t>> readBinary(const std::string& section, const std::string& name) const override;
    void writeBinary(const std::string& section, const std::string& name, const std::vector<uint8_t>& value) override;
    std::vector<std::string> valueNames(const std::string& section) const override;
    void removeSection(const std::string& section) override;

private:
    using Value = std::variant<std::string, std::vector<uint8_t>>;
    const Value* find(const std::string& section, const std::string& name) const;
    std::map<std::string, std::map<std::string, Value>> m_sections;
};

} // namespace lrl
