#include "scheme/shipped/ShippedScheme.h"

#include "scheme/TSyntaxMemoParser.h"

namespace lrl {

void loadShippedScheme(TSyntaxMemoParser& parser)
{
    const bool wasReading = parser.readingFromForm();
    parser.setReadingFromForm(true);
    try {
        parser.setParser(shippedParserBytes());
    } catch (...) {
        parser.setReadingFromForm(wasReading);
        throw;
    }
    parser.setReadingFromForm(wasReading);
}

std::unique_ptr<TSyntaxMemoParser> createShippedParser(const std::string& name)
{
    auto parser = std::make_unique<TSyntaxMemoParser>(name);
    loadShippedScheme(*parser);
    return parser;
}

} // namespace lrl
