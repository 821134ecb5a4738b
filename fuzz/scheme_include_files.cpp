// Feeds arbitrary scripts to the scheme compiler with its own reader of included files from disk, over a
// folder of files made once at start: small ones, ones that include each other or themselves, one far
// larger than a script may add, and a sub-folder. A script either compiles or fails with ESYM_COMP_ERROR;
// anything else escaping (or a crash, a hang, a leak, unbounded memory) is a fault.
//
// Only names inside that folder reach the disk, so that a script naming a system file reads nothing.

#include "common/ReadOnlyMemoryStream.h"
#include "scheme/ESYM_COMP_ERROR.h"
#include "scheme/SchemeCompiler.h"
#include "scheme/SchemeTable.h"
#include "scheme/TSYM_Compiler.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path& folder()
{
    static fs::path path;
    return path;
}

void writeFile(const std::string& name, const std::string& bytes)
{
    std::ofstream(folder() / name, std::ios::binary) << bytes;
}

void removeFolder() { fs::remove_all(folder()); }

// The compiler's file reader, for names in the folder (as an angle-bracket include resolves them, or
// written out in double quotes).
std::optional<std::string> readIncluded(const std::string& path, size_t maxBytes)
{
    static const lrl::TSYM_Compiler::IncludeReader fromDisk = lrl::TSYM_Compiler::fileReader();
    const std::string inside = folder().string() + "/";
    if (path.compare(0, inside.size(), inside) != 0 || path.find("..") != std::string::npos)
        return std::nullopt;
    return fromDisk(path, maxBytes);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::string pattern = (fs::temp_directory_path() / "lrl-include-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    folder() = pattern;
    std::atexit(removeFolder);
    writeFile("a", "#define A 1\r\n%%map A 2\r\n");
    writeFile("b", "#include <a> %%words 'x' '[^a-z]' A");
    writeFile("self", "#include <self>");
    writeFile("loop1", "#include <loop2>");
    writeFile("loop2", "#include <LOOP1>");
    writeFile("half", std::string(lrl::TSYM_Compiler::kExpansionLimit / 2 + 1, ' ') + "1");
    writeFile("big", std::string(2 * lrl::TSYM_Compiler::kExpansionLimit, ' ') + "1");
    writeFile("nul", std::string("%%map 1 2\0 ignored", 18));
    fs::create_directory(folder() / "sub");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    lrl::SchemeTable table;
    lrl::SchemeCompiler compiler(table);
    lrl::ReadOnlyMemoryStream script({ data, size });
    try {
        compiler.compile(script, folder().string(), readIncluded);
    } catch (const lrl::ESYM_COMP_ERROR&) {
    }
    return 0;
}
