// Loads arbitrary stored styles: the bytes before the first 0x1F are the style string, the bytes after
// it (when there is one) the key-assignment value. Only the loader's own error may come out, and styles
// that load must save and load again to the same settings.

#include "common/Exception.h"
#include "common/MemorySettingsStore.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr const char* kKey = "\\Software\\Corvane\\Listrel Delphi\\FormOps";

lrl::TSyntaxMemoParser& parser()
{
    static std::unique_ptr<lrl::TSyntaxMemoParser> p = [] {
        auto made = lrl::createShippedParser("SyntaxMemoParser1");
        made->UseRegistry = true;
        made->RegistryKey = kKey;
        return made;
    }();
    return *p;
}

const lrl::TSM_Settings& shippedSettings()
{
    static const lrl::TSM_Settings settings = parser().settings();
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    lrl::TSyntaxMemoParser& p = parser();
    const lrl::TSM_Settings& shipped = shippedSettings();
    p.settings() = shipped;

    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find('\x1f');
    lrl::MemorySettingsStore store;
    store.writeString("FormOps", p.styleValueName(), std::string(input.substr(0, split)));
    if (split != std::string_view::npos) {
        std::string_view keys = input.substr(split + 1);
        store.writeBinary(
            "FormOps", p.keyAssignmentValueName(), std::vector<uint8_t>(keys.begin(), keys.end()));
    }

    const std::string expected
        = "Invalid data in registry entry \"" + std::string(kKey) + "\\" + p.styleValueName() + "\"";
    try {
        p.LoadStyles(store);
    } catch (const lrl::ESyntaxMemo& e) {
        if (e.message() != expected)
            std::abort();
        return 0;
    }

    // What loaded saves and loads back unchanged.
    const lrl::TSM_Settings loaded = p.settings();
    lrl::MemorySettingsStore again;
    p.SaveStyles(again);
    p.settings() = shipped;
    p.LoadStyles(again);
    if (!(p.settings() == loaded))
        std::abort();
    return 0;
}
