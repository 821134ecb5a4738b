// Stored settings are text a user or a damaged file may hold: any bytes in any value must read as a
// usable window, usable print values and a recent-file list within its limits.
#include "browser/BrowserSettings.h"
#include "browser/PrintOptionValues.h"
#include "browser/RecentFileList.h"
#include "common/MemorySettingsStore.h"
#include "common/SettingsReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

bool within(int32_t v, lrl::IntRange r) { return v >= r.min && v <= r.max; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const names[] = { "FormOps/Top", "FormOps/Left", "FormOps/Height", "FormOps/Width",
        "FormOps/P2", "FormOps/Srt", "FormOps/DckLoc", "PrtOps/hdr", "PrtOps/lmr", "PrtOps/tmr", "PrtOps/rbFn0",
        "PrtOps/rbFs0", "PrtOps/rbFst0", "PrtOps/rbFc0", "MRU Items/F0", "MRU Items/F1", "MRU Items/F2" };
    std::string_view input(reinterpret_cast<const char*>(data), size);
    lrl::MemorySettingsStore store;
    for (const char* name : names) {
        size_t end = input.find('\x1f');
        std::string_view value = input.substr(0, end);
        std::string_view n(name);
        size_t slash = n.find('/');
        store.writeString(std::string(n.substr(0, slash)), std::string(n.substr(slash + 1)), std::string(value));
        if (end == std::string_view::npos)
            break;
        input.remove_prefix(end + 1);
    }

    lrl::BrowserSettings s;
    s.read(store);
    check(within(s.Top, s.kPositionRange) && within(s.Left, s.kPositionRange));
    check(within(s.Width, s.kSizeRange) && within(s.Height, s.kSizeRange) && within(s.P2, s.kTreeWidthRange));
    check(lrl::BrowserSettings::dockLocation(s.DckLoc) == static_cast<int32_t>(s.DckLoc));

    lrl::PrintOptionValues print(store);
    double inches = print.marginInches(lrl::PrintOptionValues::Margin::Left);
    check(inches > 0.0 && inches <= 1.0);
    auto font = print.levelFont(0);
    check(font.size >= lrl::PrintOptionValues::kMinFontSize && font.size <= lrl::PrintOptionValues::kMaxFontSize);
    check(!font.name.empty());
    auto source = static_cast<int>(print.headerSource());
    check(source >= 0 && source <= 3);

    lrl::RecentFileList recent;
    recent.load(store);
    check(recent.entries().size() <= lrl::RecentFileList::kMaxEntries);

    std::string text(reinterpret_cast<const char*>(data), size);
    if (auto v = lrl::SettingsReader::parseInt(text))
        check(lrl::SettingsReader::parseInt(std::to_string(*v)) == v);
    return 0;
}
