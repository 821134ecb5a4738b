#pragma once

#include "viewer/keymap/ShortCut.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lrl {

class Stream;

// One code template (name, description, body) or, in an auto-replace list, one replacement (word,
// unused, replacement).
struct TMacroKeyword {
    std::string name;
    std::string description;
    std::string body;

    bool operator==(const TMacroKeyword&) const = default;
};

// The code templates of a scheme, with the hot key that expands them. Stored as: 32-bit count; per entry
// short string name, short string description, long string body; long string hot key as shortcut text;
// 32-bit flags (low 7 bits).
class TMacroKeywords {
public:
    static constexpr uint32_t kFlagMask = 0x7F;

    virtual ~TMacroKeywords() = default;
    TMacroKeywords() = default;
    TMacroKeywords(const TMacroKeywords&) = default;
    TMacroKeywords& operator=(const TMacroKeywords&) = default;

    std::vector<TMacroKeyword>& entries() { return m_entries; }
    const std::vector<TMacroKeyword>& entries() const { return m_entries; }
    void add(const std::string& name, const std::string& description, const std::string& body)
    {
        m_entries.push_back({ name, description, body });
    }

    TShortCut hotKey() const { return m_hotKey; }
    void setHotKey(TShortCut key) { m_hotKey = key; }
    uint32_t flags() const { return m_flags; }
    void setFlags(uint32_t flags) { m_flags = flags & kFlagMask; }

    // Drops the entries; the hot key and flags stay.
    virtual void clear() { m_entries.clear(); }

    virtual void saveToStream(Stream& stream) const;
    // Replaces the contents with what the stream holds; a short stream or a count the stream cannot
    // hold raises EReadError.
    virtual void loadFromStream(Stream& stream);

    bool operator==(const TMacroKeywords& o) const
    {
        return m_entries == o.m_entries && m_hotKey == o.m_hotKey && m_flags == o.m_flags;
    }

private:
    std::vector<TMacroKeyword> m_entries;
    TShortCut m_hotKey = 0;
    uint32_t m_flags = 0;
};

} // namespace lrl
