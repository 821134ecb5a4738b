#pragma once

#include "viewer/TLineNode.h"

#include <vector>

namespace lrl {

class TCustomSyntaxMemo;

// The breakpoint lines of a text store, each with the colours its row is painted in. The list is bound to
// the viewer that owns the store. Lines are 0-based node indexes; they move with the lines when lines are
// inserted or removed before them.
class TSM_Breakpoints {
public:
    struct Breakpoint {
        int line;
        TLineColors colors;
    };

    explicit TSM_Breakpoints(TCustomSyntaxMemo* owner = nullptr)
        : m_owner(owner)
    {
    }

    TCustomSyntaxMemo* owner() const { return m_owner; }
    void setOwner(TCustomSyntaxMemo* owner) { m_owner = owner; }

    void set(int line, TLineColors colors);
    void remove(int line);
    const Breakpoint* find(int line) const;
    const std::vector<Breakpoint>& items() const { return m_items; }
    void clear() { m_items.clear(); }

    // The lines [line, line + removed) were replaced with `inserted` lines: breakpoints on the first of
    // them stay, those on the other removed lines go, those after move by the difference.
    void shiftLines(int line, int removed, int inserted);

private:
    TCustomSyntaxMemo* m_owner;
    std::vector<Breakpoint> m_items;
};

} // namespace lrl
