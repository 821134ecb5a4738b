// listrel-cli convert-form FILE: the text form of a form file on standard output.

#include "browser/formconv/FormConvert.h"
#include "cli/CliArgs.h"

#include <cstdio>

namespace lrl::cli {

namespace {

int runConvertForm(const std::vector<std::string>& args)
{
    CliArgs parsed(args, {}, {});
    parsed.expectPositional(1, 1);
    std::vector<uint8_t> bytes = readFileBytes(parsed.inputFile(0));
    std::string text = formFileText(bytes);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? kOk : kError;
}

const CliRegistrar registrar("convert-form", "FILE",
    "writes the text form of a form file (binary with resource header, or text as it is) to standard "
    "output",
    runConvertForm);

} // namespace

} // namespace lrl::cli
