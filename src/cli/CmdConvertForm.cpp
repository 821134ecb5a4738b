// listrel-cli convert-form FILE: the text form of a form file on standard output.

#include "browser/formconv/FormConvert.h"
#include "cli/CliArgs.h"
#include "common/CodePage.h"
#include "common/SourceDecoder.h"

#include <cstdio>

namespace lrl::cli {

namespace {

int runConvertForm(const std::vector<std::string>& args)
{
    CliArgs parsed(args, {}, { "--codepage" });
    parsed.expectPositional(1, 1);
    const int legacy = codePageOption(parsed);
    std::vector<uint8_t> bytes = readFileBytes(parsed.inputFile(0));
    // A binary form converts to UTF-8; a text form is decoded as the viewer decodes it and written as
    // UTF-8 as well.
    std::string text = formFileText(bytes, legacy);
    if (formFileFormat(bytes) == FormFileFormat::Text) {
        DecodedSource decoded = SourceDecoder::decode(std::move(text), legacy);
        text = CodePage::of(decoded.info.codePage).toUtf8(decoded.text);
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? kOk : kError;
}

const CliRegistrar registrar("convert-form", "[--codepage N] FILE",
    "writes the text form of a form file (binary with resource header, or text as it is) to standard "
    "output as UTF-8; --codepage: the code page of 8-bit texts in no Unicode form (default 1252)",
    runConvertForm);

} // namespace

} // namespace lrl::cli
