#pragma once

#include "viewer/RegexError.h"
#include "viewer/RegexProgram.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lrl {

class CharStream;

// Runs a RegexProgram from one stream position by backtracking, with an explicit stack of choice points
// (so a long match never deepens the call stack).
//
// Every node that consumes characters records, in the next entry of a 256-entry position table, the
// position where it started; a simple repeat records once for its whole run, "^" records nothing. Entry 0
// is thus the start of the match; at the end node the current position goes into the entry the counter
// points at, which is the match's end. Only non-empty matches count: the end node fails (and the matcher
// backtracks) when nothing was recorded or the end equals entry 0.
class RegexMatcher {
public:
    static constexpr int kPositions = 256;

    // Raised out of matchAt for IndexRange (the table is full) and TooComplex (the step allowance is
    // spent).
    struct Abort {
        RegexError code;
    };

    explicit RegexMatcher(const RegexProgram* program = nullptr);

    // Tries a match that starts at pos. Every node visit and every character a simple repeat looks at
    // counts one step against the allowance shared by all tries since resetSteps().
    bool matchAt(CharStream& stream, int64_t pos);

    void resetSteps(uint64_t allowance)
    {
        m_steps = 0;
        m_allowance = allowance;
    }
    void setAllowance(uint64_t allowance) { m_allowance = allowance; }
    uint64_t steps() const { return m_steps; }

    // The number of characters from pos on that the simple node at operand matches one after the other.
    int64_t runLength(CharStream& stream, size_t operand, int64_t pos);

    int64_t entry(int i) const { return m_table[i]; }
    int counter() const { return m_count; }

private:
    enum class Kind : uint8_t { Alternative, LoopExit, Repeat };
    struct Choice {
        Kind kind;
        size_t node;
        int64_t pos;
        int tableCount;
        size_t trail;
        int64_t count; // Repeat: the run length to try next
        int64_t min; // Repeat: the least run length
    };
    struct TrailEntry {
        uint16_t counter;
        uint32_t value;
    };

    void step()
    {
        if (++m_steps > m_allowance)
            throw Abort { RegexError::TooComplex };
    }
    void record(int64_t pos)
    {
        if (m_count >= kPositions)
            throw Abort { RegexError::IndexRange };
        m_table[m_count++] = pos;
        if (m_count > m_highWater)
            m_highWater = m_count;
    }
    void setCounter(uint16_t c, uint32_t value);
    void push(Kind kind, size_t node, int64_t pos, int64_t count = 0, int64_t min = 0);
    // Takes the newest choice point: restores its state and sets node and pos to where matching goes on.
    bool backtrack(CharStream& s, size_t& node, int64_t& pos);

    const RegexProgram* m_program;
    std::array<int64_t, kPositions> m_table;
    int m_count = 0;
    int m_highWater = kPositions;
    std::vector<uint32_t> m_counters;
    std::vector<Choice> m_choices;
    std::vector<TrailEntry> m_trail;
    uint64_t m_steps = 0;
    uint64_t m_allowance = UINT64_MAX;
};

} // namespace lrl
