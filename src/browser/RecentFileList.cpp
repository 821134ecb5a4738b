#include "browser/RecentFileList.h"

#include "browser/FilePaths.h"
#include "browser/TextCompare.h"

#include <algorithm>
#include <filesystem>

namespace lrl {

namespace {

    bool isStorablePath(const std::string& path)
    {
        if (path.empty() || path.size() > RecentFileList::kMaxPathLength)
            return false;
        return std::none_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    }

    std::string absolutePath(std::string_view path)
    {
        std::filesystem::path p { std::string(path) };
        if (p.is_absolute())
            return std::string(path);
        std::error_code ec;
        std::filesystem::path abs = std::filesystem::absolute(p, ec);
        return ec ? std::string(path) : abs.lexically_normal().string();
    }

    std::string entryName(size_t i) { return "F" + std::to_string(i); }

} // namespace

bool RecentFileList::samePath(std::string_view a, std::string_view b)
{
#ifdef _WIN32
    return sameText(a, b);
#else
    return a == b;
#endif
}

bool RecentFileList::contains(std::string_view path) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const std::string& e) { return samePath(e, path); });
}

void RecentFileList::load(const SettingsStore& store)
{
    m_entries.clear();
    for (size_t i = 0; i < kMaxEntries; ++i) {
        auto path = store.readString(kSection, entryName(i));
        if (path && isStorablePath(*path) && !contains(*path))
            m_entries.push_back(std::move(*path));
    }
}

void RecentFileList::save(SettingsStore& store) const
{
    store.removeSection(kSection);
    for (size_t i = 0; i < m_entries.size(); ++i)
        store.writeString(kSection, entryName(i), m_entries[i]);
}

void RecentFileList::add(std::string_view path)
{
    std::string entry = absolutePath(path);
    if (!isStorablePath(entry))
        return;
    std::erase_if(m_entries, [&](const std::string& e) { return samePath(e, entry); });
    m_entries.insert(m_entries.begin(), std::move(entry));
    if (m_entries.size() > kMaxEntries)
        m_entries.resize(kMaxEntries);
}

void RecentFileList::clear() { m_entries.clear(); }

void RecentFileList::removeObsolete(const std::function<bool(const std::string&)>& exists)
{
    std::erase_if(m_entries, [&](const std::string& e) { return !exists(e); });
}

void RecentFileList::removeObsolete() { removeObsolete([](const std::string& path) { return fileExists(path); }); }

} // namespace lrl
