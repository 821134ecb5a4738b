#pragma once

#include "common/Set256.h"

#include <cstddef>
#include <vector>

namespace lrl {

// The scanner's stack of saved state sets, pushed and popped by the stack actions of token values.
//
// The stack holds at most kMaxDepth entries: a push onto a full stack drops the oldest entry, so a
// scheme that pushes without popping cannot make a long text use unbounded memory, and the most recent
// nesting stays exact. Its storage is allocated once, so pushing and popping never allocate.
class TRTStack {
public:
    static constexpr size_t kMaxDepth = 1024;

    TRTStack()
        : m_entries(kMaxDepth)
    {
    }

    void push(const Set256& states)
    {
        m_entries[(m_bottom + m_depth) % kMaxDepth] = states;
        if (m_depth < kMaxDepth)
            ++m_depth;
        else
            m_bottom = (m_bottom + 1) % kMaxDepth;
    }

    // Moves the top entry into states and answers true; on an empty stack states stays as it is and the
    // answer is false.
    bool pop(Set256& states)
    {
        if (m_depth == 0)
            return false;
        --m_depth;
        states = m_entries[(m_bottom + m_depth) % kMaxDepth];
        return true;
    }

    bool empty() const { return m_depth == 0; }
    size_t depth() const { return m_depth; }
    void clear()
    {
        m_depth = 0;
        m_bottom = 0;
    }

private:
    std::vector<Set256> m_entries;
    size_t m_bottom = 0;
    size_t m_depth = 0;
};

} // namespace lrl
