#include "viewer/TCustomBookmarks.h"

namespace lrl {

std::optional<int> TCustomBookmarks::find(const std::string& name) const
{
    auto it = m_marks.find(name);
    if (it == m_marks.end())
        return std::nullopt;
    return it->second;
}

void TCustomBookmarks::shift(int offset, int removed, int inserted)
{
    for (auto& [name, pos] : m_marks) {
        if (pos >= offset + removed)
            pos += inserted - removed;
        else if (pos > offset)
            pos = offset;
    }
}

} // namespace lrl
