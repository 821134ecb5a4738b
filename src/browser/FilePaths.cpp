#include "browser/FilePaths.h"

#include "browser/TextCompare.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <optional>
#include <unordered_map>
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

    // A folder's entries by their lower-cased names; of names that differ in case only, the first in
    // name order.
    using Listing = std::unordered_map<std::string, std::string>;

    Listing listFolder(const fs::path& folder)
    {
        Listing listing;
        std::error_code ec;
        fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
        if (ec)
            return listing;
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            if (ec)
                break;
            std::string entry = it->path().filename().string();
            auto [at, added] = listing.try_emplace(lowerCase(entry), entry);
            if (!added && entry < at->second)
                at->second = std::move(entry);
        }
        return listing;
    }

} // namespace

struct FolderListingScope::Listings {
    std::map<fs::path, Listing> byFolder;
};

namespace {

    // The listings kept while a FolderListingScope lives on this thread.
    thread_local FolderListingScope::Listings* t_listings = nullptr;

    // The entry of folder whose name equals name apart from letter case, first in name order.
    std::optional<fs::path> entryIgnoringCase(const fs::path& folder, const std::string& name)
    {
        std::optional<Listing> own;
        const Listing* listing;
        if (t_listings) {
            auto it = t_listings->byFolder.find(folder);
            if (it == t_listings->byFolder.end())
                it = t_listings->byFolder.emplace(folder, listFolder(folder)).first;
            listing = &it->second;
        } else {
            listing = &own.emplace(listFolder(folder));
        }
        auto found = listing->find(lowerCase(name));
        if (found == listing->end())
            return std::nullopt;
        return folder / found->second;
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

FolderListingScope::FolderListingScope()
{
    if (t_listings)
        return;
    m_own = std::make_unique<Listings>();
    t_listings = m_own.get();
}

FolderListingScope::~FolderListingScope()
{
    if (m_own)
        t_listings = nullptr;
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
