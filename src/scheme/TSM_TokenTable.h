#pragma once

#include "scheme/TokenParts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace lrl {

// A list entry of a per-state token table for a range of 16-bit characters. The 8-bit text never
// reaches it, and the compiler never makes one; it is kept so that a stored table round-trips.
struct TSM_TokenRange {
    uint16_t low = 0;
    uint16_t high = 0;
    TSM_TokenRecord record;

    bool operator==(const TSM_TokenRange&) const = default;
};

// A token table: 256 slots by start character, each empty or one token record.
class TSM_TokenTable {
public:
    // The record for start character c, or nullptr.
    const TSM_TokenRecord* entry(uint8_t c) const { return m_slots[c] ? &*m_slots[c] : nullptr; }
    bool has(uint8_t c) const { return m_slots[c].has_value(); }
    void set(uint8_t c, const TSM_TokenRecord& record) { m_slots[c] = record; }
    void remove(uint8_t c) { m_slots[c].reset(); }

    size_t count() const
    {
        size_t n = 0;
        for (const auto& s : m_slots)
            n += s.has_value() ? 1 : 0;
        return n;
    }
    bool empty() const { return count() == 0 && m_ranges.empty(); }

    std::vector<TSM_TokenRange>& ranges() { return m_ranges; }
    const std::vector<TSM_TokenRange>& ranges() const { return m_ranges; }

    void clear()
    {
        for (auto& s : m_slots)
            s.reset();
        m_ranges.clear();
    }

    bool operator==(const TSM_TokenTable&) const = default;

private:
    std::array<std::optional<TSM_TokenRecord>, 256> m_slots;
    std::vector<TSM_TokenRange> m_ranges;
};

} // namespace lrl
