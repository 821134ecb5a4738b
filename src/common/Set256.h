#pragma once

#include <array>
#include <initializer_list>
#include <cstdint>

namespace lrl {

// A set of the numbers 0..255, stored as 32 bytes: member i is bit i mod 8 of byte i div 8. State sets,
// character classes, the anchor set and the restart set are all of this kind, and they are stored in
// exactly this byte layout.
class Set256 {
public:
    constexpr Set256() = default;

    static Set256 all()
    {
        Set256 s;
        s.m_bytes.fill(0xFF);
        return s;
    }
    static Set256 of(std::initializer_list<int> members)
    {
        Set256 s;
        for (int m : members)
            s.insert(m);
        return s;
    }

    bool contains(int i) const { return (i & ~0xFF) == 0 && (m_bytes[i >> 3] >> (i & 7)) & 1; }
    void insert(int i) { m_bytes[(i >> 3) & 31] |= static_cast<uint8_t>(1u << (i & 7)); }
    void erase(int i) { m_bytes[(i >> 3) & 31] &= static_cast<uint8_t>(~(1u << (i & 7))); }
    void clear() { m_bytes.fill(0); }

    bool empty() const
    {
        for (uint8_t b : m_bytes)
            if (b)
                return false;
        return true;
    }
    // Whether the two sets share a member.
    bool intersects(const Set256& o) const
    {
        for (int i = 0; i < 32; ++i)
            if (m_bytes[i] & o.m_bytes[i])
                return true;
        return false;
    }
    // The smallest member, or -1 for the empty set.
    int first() const
    {
        for (int i = 0; i < 32; ++i)
            if (m_bytes[i])
                for (int b = 0; b < 8; ++b)
                    if ((m_bytes[i] >> b) & 1)
                        return i * 8 + b;
        return -1;
    }

    Set256& operator|=(const Set256& o)
    {
        for (int i = 0; i < 32; ++i)
            m_bytes[i] |= o.m_bytes[i];
        return *this;
    }
    Set256& operator&=(const Set256& o)
    {
        for (int i = 0; i < 32; ++i)
            m_bytes[i] &= o.m_bytes[i];
        return *this;
    }
    // Set difference.
    Set256& operator-=(const Set256& o)
    {
        for (int i = 0; i < 32; ++i)
            m_bytes[i] &= static_cast<uint8_t>(~o.m_bytes[i]);
        return *this;
    }
    friend Set256 operator|(Set256 a, const Set256& b) { return a |= b; }
    friend Set256 operator&(Set256 a, const Set256& b) { return a &= b; }
    friend Set256 operator-(Set256 a, const Set256& b) { return a -= b; }
    Set256 operator~() const
    {
        Set256 s;
        for (int i = 0; i < 32; ++i)
            s.m_bytes[i] = static_cast<uint8_t>(~m_bytes[i]);
        return s;
    }
    bool operator==(const Set256&) const = default;

    const std::array<uint8_t, 32>& bytes() const { return m_bytes; }
    std::array<uint8_t, 32>& bytes() { return m_bytes; }

private:
    std::array<uint8_t, 32> m_bytes {};
};

} // namespace lrl
