#pragma once

#include "common/SettingsStore.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lrl {

// The recent-file list: up to 10 paths, most recent first, kept under "MRU Items" as "F0", "F1", … The
// window builds its menu items from entries() after each change; clicking one keeps it in the list.
class RecentFileList {
public:
    static constexpr size_t kMaxEntries = 10;
    static constexpr const char* kSection = "MRU Items";
    static constexpr const char* kClearCaption = "&Clear MRU List";
    // Longer stored entries are taken as damage and skipped.
    static constexpr size_t kMaxPathLength = 4096;

    // Reads "F0" … "F9" in that order. Entries that are empty, too long, hold control characters or
    // repeat an earlier one are skipped.
    void load(const SettingsStore& store);
    // Empties the section and writes the entries as "F0", "F1", …
    void save(SettingsStore& store) const;

    // Puts path at the top: an entry already in the list moves there, a new one is inserted and the
    // oldest beyond 10 drop out. A relative path is made absolute first, so that it still names the same
    // file at the next start.
    void add(std::string_view path);
    void clear();
    // Drops every entry whose file no longer exists (at start-up).
    void removeObsolete(const std::function<bool(const std::string&)>& exists);
    void removeObsolete();

    const std::vector<std::string>& entries() const { return m_entries; }
    bool empty() const { return m_entries.empty(); }

    // Whether two paths name the same entry: exactly on systems whose file names are case-sensitive,
    // apart from letter case on Windows.
    static bool samePath(std::string_view a, std::string_view b);

private:
    bool contains(std::string_view path) const;

    std::vector<std::string> m_entries;
};

} // namespace lrl
