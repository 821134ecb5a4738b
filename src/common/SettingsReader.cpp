#include "common/SettingsReader.h"

namespace lrl {

namespace {

    bool isBlank(char c) { return c == ' ' || c == '\t'; }

    int digitValue(char c, bool hex)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (hex && c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (hex && c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

} // namespace

SettingsReader::SettingsReader(const SettingsStore& store, std::string section)
    : m_store(store)
    , m_section(std::move(section))
{
}

std::optional<std::string> SettingsReader::readRaw(const std::string& name) const
{
    return m_store.readString(m_section, name);
}

int32_t SettingsReader::readInt(const std::string& name, int32_t fallback, IntRange range) const
{
    std::optional<std::string> text = readRaw(name);
    if (!text)
        return fallback;
    std::optional<int32_t> value = parseInt(*text);
    if (!value || *value < range.min || *value > range.max)
        return fallback;
    return *value;
}

bool SettingsReader::readFlag(const std::string& name, bool fallback) const
{
    return readInt(name, fallback ? 1 : 0) != 0;
}

std::string SettingsReader::readText(const std::string& name, const std::string& fallback) const
{
    return readRaw(name).value_or(fallback);
}

std::optional<int32_t> SettingsReader::parseInt(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool hex = text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex)
        text.remove_prefix(2);
    if (text.empty() || (hex && text.size() > 8))
        return std::nullopt;

    // Accumulated in 64 bits: 8 hex digits always fit, and decimal stops as soon as it leaves 32 bits.
    const int64_t limit = hex ? int64_t { 0xFFFFFFFF } : (negative ? int64_t { 1 } << 31 : (int64_t { 1 } << 31) - 1);
    int64_t magnitude = 0;
    for (char c : text) {
        int d = digitValue(c, hex);
        if (d < 0)
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + d;
        if (magnitude > limit)
            return std::nullopt;
    }
    auto bits = static_cast<uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    return static_cast<int32_t>(bits);
}

} // namespace lrl
