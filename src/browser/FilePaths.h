#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lrl {

// Path helpers of the browser. Paths written in Delphi sources use "\" and sometimes "/"; both count as
// folder separators in the name helpers below.

// The extension with its dot ("Unit1.pas" -> ".pas"), or empty when the file name has none.
std::string extractFileExt(std::string_view path);
// The lower-cased extension: the browser tells the kind of a file by it.
std::string lowerFileExt(std::string_view path);
// The file name without its folder.
std::string extractFileName(std::string_view path);
// The folder part including its trailing separator, or empty.
std::string extractFilePath(std::string_view path);
// The path with its extension replaced by ext (added when it has none).
std::string changeFileExt(std::string_view path, std::string_view ext);

// True when path names an existing regular file (folders do not count).
bool fileExists(const std::string& path);
// The size of the file in bytes, or -1 when it cannot be found.
int64_t fileSizeOf(const std::string& path);

// Delphi sources name files without regard to letter case. Answers path itself when it exists;
// otherwise, walking its components from the first that is missing, takes for each the folder entry
// that differs from it in letter case only (the first in name order when there are several). Answers
// path unchanged when no such file exists.
std::string findFileIgnoringCase(const std::string& path);

// While one lives, findFileIgnoringCase on this thread lists each folder it looks into once and finds
// names in that listing, so that opening a project with many units in one folder does not list the
// folder again for every name. Files added or removed meanwhile are not seen. Scopes nest; an inner one
// shares the listings of the outermost.
class FolderListingScope {
public:
    FolderListingScope();
    ~FolderListingScope();
    FolderListingScope(const FolderListingScope&) = delete;
    FolderListingScope& operator=(const FolderListingScope&) = delete;

    struct Listings;

private:
    // Set in the outermost scope only.
    std::unique_ptr<Listings> m_own;
};

// Resolves a unit or form path as a project writes it against the folder of base (a real path of this
// system). "\" and "/" both separate folders in name; ".." steps up a folder wherever it stands; a name
// that is absolute ("/...", or a drive such as "C:\...") is taken as it is. The result is lexically
// normal and, where the exact name does not exist, matched case-insensitively (findFileIgnoringCase).
std::string resolvePath(std::string_view name, std::string_view base);

} // namespace lrl
