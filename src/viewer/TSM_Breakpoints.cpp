#include "viewer/TSM_Breakpoints.h"

#include <algorithm>

namespace lrl {

void TSM_Breakpoints::set(int line, TLineColors colors)
{
    for (auto& b : m_items)
        if (b.line == line) {
            b.colors = colors;
            return;
        }
    m_items.push_back({ line, colors });
}

void TSM_Breakpoints::remove(int line)
{
    std::erase_if(m_items, [line](const Breakpoint& b) { return b.line == line; });
}

const TSM_Breakpoints::Breakpoint* TSM_Breakpoints::find(int line) const
{
    for (const auto& b : m_items)
        if (b.line == line)
            return &b;
    return nullptr;
}

void TSM_Breakpoints::shiftLines(int line, int removed, int inserted)
{
    std::erase_if(m_items, [&](const Breakpoint& b) { return b.line > line && b.line < line + removed; });
    for (auto& b : m_items)
        if (b.line >= line + removed && b.line > line)
            b.line += inserted - removed;
}

} // namespace lrl
