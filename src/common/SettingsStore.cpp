#include "common/SettingsStore.h"

#include <algorithm>
#include <cctype>

namespace lrl {

namespace {

    constexpr std::string_view kProgramKey = "software/corvane/listrel delphi";

    bool isSeparator(char c) { return c == '\\' || c == '/'; }

} // namespace

std::string SettingsStore::sectionOfKey(std::string_view keyPath)
{
    std::string path;
    for (char c : keyPath)
        if (!isSeparator(c) || (!path.empty() && path.back() != '/'))
            path.push_back(isSeparator(c) ? '/' : c);
    if (!path.empty() && path.back() == '/')
        path.pop_back();

    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.starts_with(kProgramKey) && (lower.size() == kProgramKey.size() || lower[kProgramKey.size()] == '/'))
        path.erase(0, std::min(path.size(), kProgramKey.size() + 1));
    return path;
}

} // namespace lrl
