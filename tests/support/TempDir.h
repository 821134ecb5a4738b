#pragma once

#include <filesystem>
#include <string>

namespace lrl::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the object
// goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // Writes bytes to a file below the folder (creating sub-folders) and answers its full path.
    std::string write(const std::string& relative, const std::string& bytes) const;

private:
    std::filesystem::path m_path;
};

// The bytes of a whole file; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

} // namespace lrl::test
