#include "browser/PathEllipsis.h"

#include <vector>

namespace lrl {

std::string shortenPath(
    const std::string& path, int maxWidth, const std::function<int(const std::string&)>& width)
{
    if (width(path) <= maxWidth)
        return path;
    // The path in parts, each with the separator that follows it.
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\' || path[i] == '/') {
            parts.push_back(path.substr(start, i + 1 - start));
            start = i + 1;
        }
    }
    const std::string file = path.substr(start);
    if (parts.empty())
        return path;
    const char sep = parts.back().back();
    // parts[0] is the root ("C:\", "/" or the first folder); folders from parts[1] on give way first.
    for (size_t drop = 1; drop + 1 <= parts.size(); ++drop) {
        std::string candidate = parts[0] + "..." + sep;
        for (size_t i = drop + 1; i < parts.size(); ++i)
            candidate += parts[i];
        candidate += file;
        if (width(candidate) <= maxWidth)
            return candidate;
    }
    const std::string bare = std::string("...") + sep + file;
    if (width(bare) <= maxWidth)
        return bare;
    return file;
}

} // namespace lrl
