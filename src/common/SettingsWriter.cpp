#include "common/SettingsWriter.h"

namespace lrl {

SettingsWriter::SettingsWriter(SettingsStore& store, std::string section)
    : m_store(store)
    , m_section(std::move(section))
{
}

void SettingsWriter::writeInt(const std::string& name, int32_t value)
{
    m_store.writeString(m_section, name, std::to_string(value));
}

void SettingsWriter::writeFlag(const std::string& name, bool value) { m_store.writeString(m_section, name, value ? "1" : "0"); }

void SettingsWriter::writeText(const std::string& name, const std::string& value)
{
    m_store.writeString(m_section, name, value);
}

} // namespace lrl
