#include "browser/FilePaths.h"

#include "browser/TextCompare.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

namespace lrl {

namespace {

    bool isSeparator(char c) { return c == '/' || c == '\\'; }

    // Index of the last separator, or npos.
    size_t lastSeparator(std::string_view path)
    {
        for (size_t i = path.size(); i > 0; --i)
            if (isSeparator(path[i - 1]))
                return i - 1;
        return std::string_view::npos;
    }

    // Index of the dot that starts the extension, or npos.
    size_t extensionStart(std::string_view path)
    {
        for (size_t i = path.size(); i > 0; --i) {
            char c = path[i - 1];
            if (c == '.')
                return i - 1;
            if (isSeparator(c))
                break;
        }
        return std::string_view::npos;
    }

    bool isDriveAbsolute(std::string_view name)
    {
        return name.size() >= 3 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':'
            && isSeparator(name[2]);
    }

    // The entry of folder whose name equals name apart from letter case, first in name order.
    std::optional<fs::path> entryIgnoringCase(const fs::path& folder, const std::string& name)
    {
        std::error_code ec;
        fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
        if (ec)
            return std::nullopt;
        std::optional<std::string> best;
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            if (ec)
                break;
            std::string entry = it->path().filename().string();
            if (sameText(entry, name) && (!best || entry < *best))
                best = entry;
        }
        if (!best)
            return std::nullopt;
        return folder / *best;
    }

} // namespace

std::string extractFileExt(std::string_view path)
{
    size_t dot = extensionStart(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string lowerFileExt(std::string_view path) { return lowerCase(extractFileExt(path)); }

std::string extractFileName(std::string_view path)
{
    size_t sep = lastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string extractFilePath(std::string_view path)
{
    size_t sep = lastSeparator(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string changeFileExt(std::string_view path, std::string_view ext)
{
    size_t dot = extensionStart(path);
    std::string out(dot == std::string_view::npos ? path : path.substr(0, dot));
    out += ext;
    return out;
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

int64_t fileSizeOf(const std::string& path)
{
    if (!fileExists(path))
        return -1;
    std::error_code ec;
    auto size = fs::file_size(path, ec);
    return ec ? -1 : static_cast<int64_t>(size);
}

std::string findFileIgnoringCase(const std::string& path)
{
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec))
        return path;
    fs::path wanted(path);
    fs::path found;
    for (const auto& part : wanted) {
        fs::path next = found / part;
        std::string name = part.string();
        if (part == part.root_path() || name == "." || name == ".." || fs::exists(next, ec)) {
            found = std::move(next);
            continue;
        }
        auto match = entryIgnoringCase(found, name);
        if (!match)
            return path;
        found = std::move(*match);
    }
    return found.string();
}

std::string resolvePath(std::string_view name, std::string_view base)
{
    std::string portable(name);
    for (char& c : portable)
        if (c == '\\')
            c = '/';
    fs::path candidate;
    if (!portable.empty() && (portable[0] == '/' || isDriveAbsolute(portable)))
        candidate = portable;
    else
        candidate = fs::path(extractFilePath(base)) / portable;
    return findFileIgnoringCase(candidate.lexically_normal().string());
}

} // namespace lrl
