// listrel-cli export: the whole text of a file, highlighted with the shipped scheme (or a stored table)
// in the styles the window shows (the user's stored ones, else the default highlighting; --plain: the
// scheme's compiled styles), as a rich-text document or an HTML page on standard output, as the viewer
// saves it in sfRTF or sfHTML.

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/CliScheme.h"
#include "cli/CliStyles.h"
#include "common/Exception.h"
#include "common/Stream.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/print/ExportWriters.h"

#include <cstdio>
#include <vector>

namespace lrl::cli {

namespace {

// Standard output as a stream that cannot seek.
class StdoutStream : public Stream {
public:
    size_t read(void*, size_t) override { return 0; }
    size_t write(const void* buffer, size_t count) override { return std::fwrite(buffer, 1, count, stdout); }
    int64_t seek(int64_t, SeekOrigin) override { throw EStreamError("Standard output cannot seek"); }
    bool canSeek() const override { return false; }
};

int runExport(const std::vector<std::string>& argv)
{
    CliArgs args(argv, { "--rtf", "--html", "--plain" }, { "--scheme", "--settings", "--codepage" });
    args.expectPositional(1, 1);
    if (args.has("--rtf") == args.has("--html"))
        throw UsageError { "give one of --rtf and --html" };
    TSyntaxMemoParser parser("SyntaxMemoParser1");
    loadSchemeOption(parser, args);
    loadStylesOption(parser, args);
    // Bound to the scanner component, the viewer takes the scheme's styles and font and is scanned by it,
    // as the main window's viewer is.
    TCustomSyntaxMemo memo(parser);
    memo.setLegacyCodePage(codePageOption(args));
    memo.loadFromFile(args.inputFile(0));
    memo.setTitle(args.positional()[0]);
    installExportWriters(memo);
    memo.setSaveFormat(args.has("--rtf") ? sfRTF : sfHTML);
    StdoutStream out;
    memo.saveToStream(out);
    return std::fflush(stdout) == 0 ? kOk : kError;
}

const CliRegistrar exportCommand("export",
    "--rtf|--html [--scheme TABLE] [--plain | --settings FILE] [--codepage N] FILE",
    "writes the whole text of FILE, highlighted with the shipped scheme (or a stored scheme table) in the "
    "user's stored styles (from the program's settings file, or FILE), else the program's default ones, "
    "or with --plain in the scheme's own, as rich text or HTML to standard output; the file's encoding is "
    "detected as the viewer does, --codepage naming the code page of files in no Unicode form (default 1252)",
    runExport);

} // namespace

} // namespace lrl::cli
