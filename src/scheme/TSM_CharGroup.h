#pragma once

#include "common/Set256.h"

#include <cstdint>

namespace lrl {

// A character class of the scheme: a 256-bit set of characters and a negation flag. A character
// belongs to the class when it is in the set, or, for a negated class, when it is not.
//
// Two classes are equal when set and flag are equal, so [^a] and the complement of {a} written out stay
// distinct, as they are stored.
class TSM_CharGroup {
public:
    TSM_CharGroup() = default;
    explicit TSM_CharGroup(const Set256& chars, bool negated = false)
        : m_chars(chars)
        , m_negated(negated)
        , m_members(negated ? ~chars : chars)
        , m_all(m_members == Set256::all())
    {
    }
    // The class of all characters, which sets no condition where it stands as a follow class.
    static TSM_CharGroup any() { return TSM_CharGroup(Set256::all()); }

    bool matches(uint8_t c) const { return m_members.contains(c); }
    bool isAll() const { return m_all; }
    // The characters that belong to the class, negation applied.
    const Set256& members() const { return m_members; }

    const Set256& chars() const { return m_chars; }
    bool negated() const { return m_negated; }

    bool operator==(const TSM_CharGroup& o) const { return m_chars == o.m_chars && m_negated == o.m_negated; }

private:
    Set256 m_chars;
    bool m_negated = false;
    Set256 m_members;
    bool m_all = false;
};

} // namespace lrl
