#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lrl {

// An INI-format text file ("[Section]" lines, then "Key=Value" lines). Section and key names compare
// without regard to letter case; values lose surrounding blanks and one pair of surrounding quotes, as
// the desktop's profile functions read them. Lines the reader does not understand are kept as they are.
class IniFile {
public:
    IniFile() = default;
    // Reads the file; a missing file reads as empty. Raises EFOpenError when it exists but cannot be read.
    static IniFile load(const std::string& path);
    // Reads INI text; lines may end in CR LF or LF.
    static IniFile parse(std::string_view text);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Sets a value, adding its section and key where missing. Line breaks in value become blanks, since
    // a value is one line.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // Writes the whole file through a temporary file beside it that is renamed over it, so that a
    // failure never leaves a truncated file behind; creates missing folders. Raises EFCreateError.
    void save(const std::string& path) const;

    std::string text() const;

private:
    // Index of the section's header line, or npos.
    size_t findSection(std::string_view section) const;
    // Index of the key's line within the section starting after line header, or npos.
    size_t findKey(size_t header, std::string_view key) const;
    // The line after the section's last line.
    size_t sectionEnd(size_t header) const;

    std::vector<std::string> m_lines;
};

} // namespace lrl
