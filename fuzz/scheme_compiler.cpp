// Feeds arbitrary scripts to the scheme compiler. A script either compiles or fails with ESYM_COMP_ERROR;
// anything else escaping (or a crash, a hang, a leak) is a fault. Included files come from a small set in
// memory, so that the fuzzer reaches #include, its errors and its recursion check without the disk.

#include "common/ReadOnlyMemoryStream.h"
#include "scheme/ESYM_COMP_ERROR.h"
#include "scheme/SchemeCompiler.h"
#include "scheme/SchemeTable.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace {

std::optional<std::string> includedFile(const std::string& path, size_t maxBytes)
{
    static const std::map<std::string, std::string> files {
        { "inc/a", "#define A 1\r\n%%map A 2\r\n" },
        { "inc/self", "#include <self>" },
        { "b", "#include \"inc/a\" %%words 'x' 'y' A" },
        { "loop1", "#include \"loop2\"" },
        { "loop2", "#include \"LOOP1\"" },
        { "big", std::string(64 * 1024, ' ') + "1" },
    };
    auto it = files.find(path);
    if (it == files.end())
        return std::nullopt;
    return it->second.substr(0, maxBytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    lrl::SchemeTable table;
    lrl::SchemeCompiler compiler(table);
    lrl::ReadOnlyMemoryStream script({ data, size });
    try {
        compiler.compile(script, "inc", includedFile);
    } catch (const lrl::ESYM_COMP_ERROR&) {
    }
    return 0;
}
