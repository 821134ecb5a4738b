// listrel-cli find: loads a file as the viewer does and runs the Find dialog's Find Next from the start
// (or, backward, from the end) until it fails, printing each match as OFFSET LENGTH (character offsets,
// each line end counting one).

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "common/CodePage.h"
#include "common/SourceDecoder.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TMemoSearch.h"

#include <cstdio>
#include <optional>

namespace lrl::cli {

namespace {

int runFind(const std::vector<std::string>& argv)
{
    CliArgs args(argv, { "--regex", "--case", "--word", "--backward" }, { "--codepage" });
    args.expectPositional(2, 2);
    TCustomSyntaxMemo memo;
    memo.setLegacyCodePage(codePageOption(args));
    memo.loadFromFile(args.inputFile(1));

    TMemoSearch search(memo);
    search.setRegexMode(args.has("--regex"));
    // Running out of matches ends the list; it is no failure here.
    search.onSearchFail = [](TCustomSyntaxMemo&, const std::string&) {};
    std::string error;
    search.onMessage = [&](const TSearchMessage& m) {
        if (m.kind == TSearchMessage::Error)
            error = m.text;
    };
    // The pattern is UTF-8 and is searched in the file's code page; a pattern with characters the page
    // lacks finds nothing. Bytes that are no UTF-8 are taken as they are.
    const std::string& pattern = args.positional()[0];
    std::optional<std::string> inPage = CodePage::of(memo.codePage()).fromUtf8(pattern);
    const bool utf8 = SourceDecoder::isValidUtf8(pattern);
    TFindRequest request { utf8 && inPage ? *inPage : pattern, args.has("--case"), args.has("--word"),
        !args.has("--backward") };
    request.unmatchable = utf8 && !inPage;
    const int start = request.down ? 0 : memo.textStore().charCount();
    memo.setSelection(start, start);
    while (search.findNext(request))
        std::printf("%d %d\n", memo.selStart(), memo.selEnd() - memo.selStart());
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kError;
    }
    return kOk;
}

const CliRegistrar findCommand("find", "[--regex] [--case] [--word] [--backward] [--codepage N] PATTERN FILE",
    "list every match of PATTERN (UTF-8) in FILE as OFFSET LENGTH, as repeated Find Next finds them; "
    "--codepage: the code page of files in no Unicode form (default 1252)",
    runFind);

} // namespace

} // namespace lrl::cli
