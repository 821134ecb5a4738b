#pragma once

#include "common/SettingsStore.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace lrl {

// The numbers a stored integer may take before it counts as damaged; both ends are included.
struct IntRange {
    int32_t min = std::numeric_limits<int32_t>::min();
    int32_t max = std::numeric_limits<int32_t>::max();
};

// Reads the values of one section of a settings store in the program's stored kinds: integers as
// decimal text (or hexadecimal after "0x"), flags as numbers that are on when not 0, and texts. A value
// that is absent, not a number, or outside the range the caller allows reads as the caller's default.
class SettingsReader {
public:
    SettingsReader(const SettingsStore& store, std::string section);

    int32_t readInt(const std::string& name, int32_t fallback, IntRange range = {}) const;
    bool readFlag(const std::string& name, bool fallback) const;
    // The stored text, or fallback when it is absent.
    std::string readText(const std::string& name, const std::string& fallback) const;
    std::optional<std::string> readRaw(const std::string& name) const;

    // A stored integer: blanks around it are ignored, a sign may lead, "0x" or "0X" introduces up to 8
    // hexadecimal digits taken as a 32-bit pattern ("0xFFFFFFFF" is -1, so colours survive), decimal
    // digits must fit 32 bits. Anything else, including an empty text, is no number.
    static std::optional<int32_t> parseInt(std::string_view text);

private:
    const SettingsStore& m_store;
    std::string m_section;
};

} // namespace lrl
