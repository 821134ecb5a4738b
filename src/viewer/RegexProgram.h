#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lrl {

// The compiled form of a pattern: a byte array that starts with a marker byte and holds nodes. A node is
// an opcode byte, a 16-bit little-endian offset to the next node (0: none; for Back the offset points
// backward), and the node's operand.
//
// Operands: AnyOf / AnyBut 256 flag bytes, one per byte value; Exactly the characters, NUL-terminated;
// Star / Plus the simple node they repeat, inline; CounterSet a 16-bit counter number; CounterLoop a
// 16-bit counter number, minimum and maximum (kUnbounded: no maximum), followed inline by the loop body,
// whose last node links back to the CounterLoop node.
class RegexProgram {
public:
    enum Op : uint8_t {
        End = 0,
        Bol = 1,
        Eol = 2,
        Any = 3,
        AnyOf = 4,
        AnyBut = 5,
        Branch = 6,
        Back = 7,
        Exactly = 8,
        Nothing = 9,
        Star = 10,
        Plus = 11,
        Open = 20, // + group number 1..9
        Close = 40, // + group number 1..9
        CounterSet = 150,
        CounterLoop = 151,
    };

    static constexpr uint8_t kMarker = 0x9C;
    static constexpr size_t kHeader = 3;
    static constexpr size_t kCounterSetSize = kHeader + 2;
    static constexpr size_t kCounterLoopSize = kHeader + 6;
    static constexpr uint16_t kUnbounded = 0xFFFF;
    // Every offset must fit the 16-bit next field.
    static constexpr size_t kMaxSize = 0xFFFF;
    static constexpr size_t kNone = 0;
    static constexpr size_t kFirstNode = 1;

    RegexProgram() = default;
    RegexProgram(std::vector<uint8_t> code, int counters)
        : m_code(std::move(code))
        , m_counters(counters)
    {
    }

    bool empty() const { return m_code.empty(); }
    const std::vector<uint8_t>& code() const { return m_code; }
    int counters() const { return m_counters; }

    uint8_t op(size_t node) const { return m_code[node]; }
    size_t next(size_t node) const
    {
        size_t offset = m_code[node + 1] | (m_code[node + 2] << 8);
        if (offset == 0)
            return kNone;
        return op(node) == Back ? node - offset : node + offset;
    }
    static size_t operand(size_t node) { return node + kHeader; }
    uint16_t word(size_t at) const { return static_cast<uint16_t>(m_code[at] | (m_code[at + 1] << 8)); }
    const uint8_t* bytes(size_t at) const { return m_code.data() + at; }

    // A readable listing, one node per line ("3: EXACTLY \"ab\" -> 8"), for tests and debugging.
    std::string describe() const;

private:
    std::vector<uint8_t> m_code;
    int m_counters = 0;
};

} // namespace lrl
