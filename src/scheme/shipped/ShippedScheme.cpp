#include "scheme/shipped/ShippedScheme.h"

#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/DefaultStyleString.h"

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

void useShippedRegistryKey(TSyntaxMemoParser& parser)
{
    parser.UseRegistry = true;
    parser.RegistryKey = kShippedRegistryKey;
}

bool loadUserOrDefaultStyles(TSyntaxMemoParser& parser, SettingsStore& store)
{
    if (parser.LoadStyles(store))
        return true;
    parser.applyStyles(kDefaultStyleString);
    return false;
}

} // namespace lrl
