#pragma once

#include "browser/TextCompare.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lrl {

// A list of texts, each with an attached object, that compares its texts case-insensitively
// (compareText). A sorted list keeps its entries in compareText order and finds them by binary search;
// an unsorted one keeps the order of adding. Duplicates are the caller's business: the browser always
// asks indexOf before it adds.
template <typename Object> class StringList {
public:
    struct Entry {
        std::string text;
        Object object {};
    };

    explicit StringList(bool sorted = false)
        : m_sorted(sorted)
    {
    }

    bool sorted() const { return m_sorted; }
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    const Entry& operator[](size_t i) const { return m_entries[i]; }
    Entry& operator[](size_t i) { return m_entries[i]; }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

    // The index of the entry whose text equals text apart from letter case, or -1.
    int indexOf(std::string_view text) const
    {
        if (m_sorted) {
            auto it = lowerBound(text);
            return (it != m_entries.end() && compareText(it->text, text) == 0)
                ? static_cast<int>(it - m_entries.begin())
                : -1;
        }
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (sameText(m_entries[i].text, text))
                return static_cast<int>(i);
        return -1;
    }

    bool contains(std::string_view text) const { return indexOf(text) >= 0; }

    // Adds an entry (at its sorted place in a sorted list, else at the end) and answers its index.
    size_t add(std::string text, Object object = Object {})
    {
        auto at = m_sorted ? lowerBound(text) : m_entries.end();
        at = m_entries.insert(at, Entry { std::move(text), std::move(object) });
        return static_cast<size_t>(at - m_entries.begin());
    }

    // The index of the entry with this text, adding it with objectIfNew when it is not there.
    size_t findOrAdd(std::string_view text, Object objectIfNew = Object {})
    {
        int i = indexOf(text);
        return i >= 0 ? static_cast<size_t>(i) : add(std::string(text), std::move(objectIfNew));
    }

private:
    typename std::vector<Entry>::iterator lowerBound(std::string_view text)
    {
        return std::lower_bound(m_entries.begin(), m_entries.end(), text,
            [](const Entry& e, std::string_view t) { return compareText(e.text, t) < 0; });
    }
    typename std::vector<Entry>::const_iterator lowerBound(std::string_view text) const
    {
        return std::lower_bound(m_entries.begin(), m_entries.end(), text,
            [](const Entry& e, std::string_view t) { return compareText(e.text, t) < 0; });
    }

    bool m_sorted;
    std::vector<Entry> m_entries;
};

} // namespace lrl
