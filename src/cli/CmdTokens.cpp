// listrel-cli tokens: the tokens a viewer gets from the scanner for a file.

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/CliScheme.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/TokenScan.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/TEdStream.h"
#include "viewer/ViewerFile.h"

#include <ctime>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace lrl::cli {

namespace {

    void printTokens(TSyntaxMemoParser& parser, CharStream& text)
    {
        std::string out;
        char line[64];
        scanTokens(parser, text, 0, [&](const ScannedToken& t) {
            int n = std::snprintf(line, sizeof line, "%lld %d %d\n", static_cast<long long>(t.start), t.length,
                static_cast<int>(t.value));
            out.append(line, static_cast<size_t>(n));
            if (out.size() >= 1 << 16) {
                std::fwrite(out.data(), 1, out.size(), stdout);
                out.clear();
            }
        });
        std::fwrite(out.data(), 1, out.size(), stdout);
    }

    void printStats(TSyntaxMemoParser& parser, CharStream& text)
    {
        std::vector<uint8_t> values(static_cast<size_t>(text.size()));
        int64_t tokens = 0;
        // Processor time, so that other work on the machine does not count.
        const std::clock_t begin = std::clock();
        scanTokens(parser, text, 0, [&](const ScannedToken& t) {
            ++tokens;
            std::memset(values.data() + t.start, t.value, static_cast<size_t>(t.length));
        });
        const double seconds = static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
        const double mbPerSecond = seconds > 0 ? static_cast<double>(text.size()) / 1e6 / seconds : 0;
        std::printf("characters %lld\ntokens %lld\nthroughput %.1f MB/s (%.3f s of processor time)\n",
            static_cast<long long>(text.size()), static_cast<long long>(tokens), mbPerSecond, seconds);
    }

    int runTokens(const std::vector<std::string>& argv)
    {
        CliArgs args(argv, { "--stats" }, { "--scheme" });
        args.expectPositional(1, 1);
        TSyntaxMemoParser parser("SyntaxMemoParser1");
        loadSchemeOption(parser, args);
        auto memo = loadViewerFile(args.inputFile(0));
        TEdStream text(memo->textStore());
        if (args.has("--stats"))
            printStats(parser, text);
        else
            printTokens(parser, text);
        return kOk;
    }

    const CliRegistrar tokensCommand("tokens", "[--scheme STORED] [--stats] FILE",
        "scan FILE as the viewer does (shipped scheme, or a stored table) and print OFFSET LENGTH VALUE per "
        "token; --stats prints the character and token counts and the throughput instead",
        runTokens);

} // namespace

} // namespace lrl::cli
