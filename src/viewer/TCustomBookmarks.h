#pragma once

#include <map>
#include <optional>
#include <string>

namespace lrl {

// Named bookmarks of a text store: a name for a character offset. The store shifts the offsets when text
// is inserted or deleted before them.
class TCustomBookmarks {
public:
    void set(const std::string& name, int offset) { m_marks[name] = offset; }
    std::optional<int> find(const std::string& name) const;
    void remove(const std::string& name) { m_marks.erase(name); }
    void clear() { m_marks.clear(); }
    size_t count() const { return m_marks.size(); }

    // `removed` characters at `offset` were replaced with `inserted` ones: offsets after the change move
    // with the text, offsets inside it go to its start.
    void shift(int offset, int removed, int inserted);

private:
    std::map<std::string, int> m_marks;
};

} // namespace lrl
