// listrel-cli compile-scheme: compiles a scheme script into the stored table of a scanner component (the
// Parser property: version 51, size, compressed layout).

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "scheme/ESYM_COMP_ERROR.h"
#include "scheme/TSyntaxMemoParser.h"

#include <cstdio>

namespace lrl::cli {

namespace {

int runCompileScheme(const std::vector<std::string>& argv)
{
    CliArgs args(argv, {}, {});
    args.expectPositional(2, 2);
    TSyntaxMemoParser parser("SyntaxMemoParser1");
    parser.Script = args.inputFile(0);
    try {
        parser.compileScriptFile();
    } catch (const ESYM_COMP_ERROR& e) {
        std::fprintf(stderr, "%s (%s)\n", e.what(), parser.compileLabel().c_str());
        return kError;
    }
    writeFileBytes(args.positional()[1], parser.parser());
    return kOk;
}

const CliRegistrar compileSchemeCommand("compile-scheme", "SCRIPT OUT",
    "compile the scheme script SCRIPT into OUT, the scanner component's stored table", runCompileScheme);

} // namespace

} // namespace lrl::cli
