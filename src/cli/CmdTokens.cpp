// listrel-cli tokens: the tokens a viewer gets from the scanner for a file.

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/CliScheme.h"
#include "common/CodePage.h"
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

    // A token's characters as UTF-8, with CR, TAB and backslash written \n, \t and \\ so that one token
    // stays on one line.
    std::string tokenText(TTextStore& store, const ScannedToken& t)
    {
        TEdStream reader(store);
        reader.seek(t.start);
        std::string bytes(static_cast<size_t>(t.length), '\0');
        bytes.resize(reader.CharStream::read(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size()));
        std::string out;
        for (char c : CodePage::of(store.codePage()).toUtf8(bytes)) {
            if (c == '\r')
                out += "\\n";
            else if (c == '\t')
                out += "\\t";
            else if (c == '\\')
                out += "\\\\";
            else
                out += c;
        }
        return out;
    }

    void printTokens(TSyntaxMemoParser& parser, CharStream& text, TTextStore* withText)
    {
        std::string out;
        char line[64];
        scanTokens(parser, text, 0, [&](const ScannedToken& t) {
            int n = std::snprintf(line, sizeof line, "%lld %d %d", static_cast<long long>(t.start), t.length,
                static_cast<int>(t.value));
            out.append(line, static_cast<size_t>(n));
            if (withText) {
                out += ' ';
                out += tokenText(*withText, t);
            }
            out += '\n';
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
        CliArgs args(argv, { "--stats", "--text" }, { "--scheme", "--codepage" });
        args.expectPositional(1, 1);
        TSyntaxMemoParser parser("SyntaxMemoParser1");
        loadSchemeOption(parser, args);
        auto memo = loadViewerFile(args.inputFile(0), codePageOption(args));
        TEdStream text(memo->textStore());
        if (args.has("--stats"))
            printStats(parser, text);
        else
            printTokens(parser, text, args.has("--text") ? &memo->textStore() : nullptr);
        return kOk;
    }

    const CliRegistrar tokensCommand("tokens", "[--scheme STORED] [--stats] [--text] [--codepage N] FILE",
        "scan FILE as the viewer does (shipped scheme, or a stored table) and print OFFSET LENGTH VALUE per "
        "token, with --text followed by the token's characters as UTF-8 (CR, TAB and backslash as \\n, \\t "
        "and \\\\); --stats prints the character and token counts and the throughput instead; --codepage: "
        "the code page of files in no Unicode form (default 1252)",
        runTokens);

} // namespace

} // namespace lrl::cli
