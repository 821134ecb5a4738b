#pragma once

#include "common/MemorySettingsStore.h"

#include <string>
#include <string_view>

namespace lrl {

// Reads the program's settings file as the platform's settings layer writes it in INI form (on Linux the
// program's own settings live in such a file): "[Section]" lines with "%XX" escapes in names, then
// "Name=Value" lines. A value is a text, possibly in double quotes, with backslash escapes (\", \\, \a,
// \b, \f, \n, \r, \t, \v, \x hex, \0 octal; a hex or octal run is read as long as it goes on); "@@"
// stands for a leading "@"; "@String(...)" is a text (one with a NUL in it); "@ByteArray(...)" is a binary
// value whose characters are its bytes. Values that are lists (unquoted commas) or other "@" kinds are left
// out, as the program's own store ignores them. Used by tools that must read the user's settings without
// writing them.
class IniSettingsFile {
public:
    // The settings in the text; lines may end in LF or CR LF. Lines that are not understood are skipped.
    static MemorySettingsStore parse(std::string_view text);
    // The settings in the file; a file that does not exist or cannot be read gives an empty store.
    static MemorySettingsStore load(const std::string& path);
};

} // namespace lrl
