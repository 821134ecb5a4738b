#include "browser/PathEllipsis.h"

namespace lrl {

std::string shortenPath(
    const std::string& path, int maxWidth, const std::function<int(const std::string&)>& measure)
{
    if (measure(path) <= maxWidth)
        return path;
    const char sep = path.find('\\') != std::string::npos ? '\\' : '/';
    size_t nameStart = path.rfind(sep);
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    const std::string name = path.substr(nameStart);
    // The root stays: a drive ("C:\"), a leading separator, or the first folder of a relative path.
    size_t rootEnd = path.find(sep);
    rootEnd = rootEnd == std::string::npos || rootEnd >= nameStart ? 0 : rootEnd + 1;
    const std::string root = path.substr(0, rootEnd);
    // Drop whole folders from the start of what follows the root.
    size_t cut = rootEnd;
    while (cut < nameStart) {
        size_t next = path.find(sep, cut);
        if (next == std::string::npos || next >= nameStart)
            break;
        cut = next + 1;
        std::string candidate = root + "..." + sep + path.substr(cut);
        if (measure(candidate) <= maxWidth)
            return candidate;
    }
    std::string candidate = "..." + std::string(1, sep) + name;
    if (nameStart > 0 && measure(candidate) <= maxWidth)
        return candidate;
    // Not even the file name fits: cut it from its end.
    std::string cutName = name;
    while (!cutName.empty() && measure(cutName + "...") > maxWidth)
        cutName.pop_back();
    return cutName + "...";
}

} // namespace lrl
