// listrel-cli find: loads a file as the viewer does and runs the Find dialog's Find Next from the start
// (or, backward, from the end) until it fails, printing each match as OFFSET LENGTH (character offsets,
// each line end counting one).

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TMemoSearch.h"

#include <cstdio>

namespace lrl::cli {

namespace {

int runFind(const std::vector<std::string>& argv)
{
    CliArgs args(argv, { "--regex", "--case", "--word", "--backward" }, {});
    args.expectPositional(2, 2);
    TCustomSyntaxMemo memo;
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
    const TFindRequest request { args.positional()[0], args.has("--case"), args.has("--word"),
        !args.has("--backward") };
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

const CliRegistrar findCommand("find", "[--regex] [--case] [--word] [--backward] PATTERN FILE",
    "list every match of PATTERN in FILE as OFFSET LENGTH, as repeated Find Next finds them", runFind);

} // namespace

} // namespace lrl::cli
