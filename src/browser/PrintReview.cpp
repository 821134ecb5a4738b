#include "browser/PrintReview.h"

#include "browser/BrowserSettings.h"
#include "browser/PrintOptionValues.h"

namespace lrl {

namespace {

    const char* onOff(bool on) { return on ? "ON" : "OFF"; }

    std::string marginShown(const std::string& digits) { return digits == "00" ? "1.00" : "0." + digits; }

} // namespace

PrintReviewTexts PrintReviewTexts::of(const std::string& printerName, const BrowserSettings& settings,
    const SettingsStore& store, const std::string& customText)
{
    // The values are only read here; the store is not written.
    PrintOptionValues values(const_cast<SettingsStore&>(store));
    PrintReviewTexts t;
    t.printer = printerName.empty() ? "[ Default printer ]" : printerName;
    if (!settings.FlNm)
        t.header = "OFF";
    else if (auto button = values.firstCheckedHeaderButton()) {
        switch (*button) {
        case PrintOptionValues::HeaderButton::CustomText:
            t.header = customText;
            break;
        case PrintOptionValues::HeaderButton::FileNameWithPath:
            t.header = "File Name (w/path)";
            break;
        case PrintOptionValues::HeaderButton::FileNameWithoutPath:
            t.header = "File Name (wo/path)";
            break;
        case PrintOptionValues::HeaderButton::NodeText:
            t.header = "Treeview Node Text";
            break;
        }
    }
    t.date = onOff(settings.Dt);
    t.pageNumbers = onOff(settings.PgNo);
    t.lineNumbers = onOff(settings.LnNo);
    using M = PrintOptionValues::Margin;
    t.top = marginShown(values.marginText(M::Top));
    t.left = marginShown(values.marginText(M::Left));
    t.right = marginShown(values.marginText(M::Right));
    t.bottom = marginShown(values.marginText(M::Bottom));
    return t;
}

} // namespace lrl
