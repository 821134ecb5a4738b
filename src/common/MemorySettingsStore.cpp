#include "common/MemorySettingsStore.h"

namespace lrl {

const MemorySettingsStore::Value* MemorySettingsStore::find(const std::string& section, const std::string& name) const
{
    auto s = m_sections.find(section);
    if (s == m_sections.end())
        return nullptr;
    auto v = s->second.find(name);
    return v == s->second.end() ? nullptr : &v->second;
}

std::optional<std::string> MemorySettingsStore::readString(const std::string& section, const std::string& name) const
{
    const Value* v = find(section, name);
    if (!v || !std::holds_alternative<std::string>(*v))
        return std::nullopt;
    return std::get<std::string>(*v);
}

void MemorySettingsStore::writeString(const std::string& section, const std::string& name, const std::string& value)
{
    m_sections[section][name] = value;
}

std::optional<std::vector<uint8_t>> MemorySettingsStore::readBinary(const std::string& section, const std::string& name) const
{
    const Value* v = find(section, name);
    if (!v || !std::holds_alternative<std::vector<uint8_t>>(*v))
        return std::nullopt;
    return std::get<std::vector<uint8_t>>(*v);
}

void MemorySettingsStore::writeBinary(const std::string& section, const std::string& name, const std::vector<uint8_t>& value)
{
    m_sections[section][name] = value;
}

std::vector<std::string> MemorySettingsStore::valueNames(const std::string& section) const
{
    std::vector<std::string> names;
    auto s = m_sections.find(section);
    if (s != m_sections.end())
        for (const auto& [name, value] : s->second)
            names.push_back(name);
    return names;
}

void MemorySettingsStore::removeSection(const std::string& section)
{
    m_sections.erase(section);
}

} // namespace lrl
