#include "cli/CliScheme.h"

#include "cli/CliArgs.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"

#include <vector>

namespace lrl::cli {

void loadSchemeOption(TSyntaxMemoParser& parser, const CliArgs& args)
{
    if (!args.has("--scheme")) {
        loadShippedScheme(parser);
        return;
    }
    std::vector<uint8_t> bytes = readFileBytes(args.value("--scheme"));
    // A table of another version is an error here, as it is when a window is read.
    parser.setReadingFromForm(true);
    parser.setParser(bytes);
    parser.setReadingFromForm(false);
}

} // namespace lrl::cli
