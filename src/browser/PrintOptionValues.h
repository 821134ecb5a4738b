#pragma once

#include "common/SettingsStore.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lrl {

// The print values of PrtOps that are read where they are used (print jobs, the review dialog, the tree
// printout) and written by the options dialog. Each call reads or writes the store at once. A damaged
// value reads as its default: a header source outside 0..3, a margin that is not one or two digits, a
// level font size outside 4..72 points, a font name that is empty, over 255 bytes or holds control
// characters.
class PrintOptionValues {
public:
    // "hdr": what the page header shows.
    enum class HeaderSource : int32_t { Path = 0, FileName = 1, Caption = 2, CustomText = 3 };
    // The header radio buttons "rbCt", "rbFnw", "rbFnwo", "rbsfp" (defaults off, on, off, off).
    enum class HeaderButton { CustomText, FileNameWithPath, FileNameWithoutPath, NodeText };
    // The margins "lmr", "tmr", "rmr", "bmr".
    enum class Margin { Left, Top, Right, Bottom };

    // A tree printout level's font: "rbFn", "rbFs", "rbFst", "rbFc" with the level number appended.
    struct LevelFont {
        std::string name = "Courier New";
        int32_t size = 8; // points
        bool bold = false;
        bool italic = false;
        bool underline = false;
        int32_t color = 0; // 0x00BBGGRR, negative for a system colour
        bool operator==(const LevelFont&) const = default;
    };
    static constexpr int kLevels = 4;
    static constexpr int32_t kMinFontSize = 4;
    static constexpr int32_t kMaxFontSize = 72;

    explicit PrintOptionValues(SettingsStore& store);

    HeaderSource headerSource() const;
    void setHeaderSource(HeaderSource source);

    bool headerButton(HeaderButton button) const;
    void setHeaderButton(HeaderButton button, bool checked);
    // The review dialog's header line: the first checked button in the order above, if any.
    std::optional<HeaderButton> firstCheckedHeaderButton() const;

    // The two digits of a margin in hundredths of an inch ("05" by default; one stored digit gains a
    // leading "0"); "00" stands for a whole inch.
    std::string marginText(Margin margin) const;
    // Stores the two characters after "0." or "1." of a margin shown as "0.25" or "1.00". Text that is
    // not one or two digits is not stored.
    void setMarginText(Margin margin, const std::string& digits);
    // The margin in inches: n hundredths, or 1.0 for 0.
    double marginInches(Margin margin) const;

    // level 0..3; other levels read as the defaults and are not written.
    LevelFont levelFont(int level) const;
    // Writes colour, size, style and name of the level, the style as three "0"/"1" characters for
    // bold, italic, underline.
    void setLevelFont(int level, const LevelFont& font);
    // The options dialog's Default button: every level back to "Courier New", 8 points, black, regular.
    void resetLevelFonts();

    // The style text rule of the tree printout: exactly three characters, each "1" for on (bold,
    // italic, underline); any other length counts as "000".
    static void parseStyle(const std::string& text, LevelFont& font);

private:
    SettingsStore& m_store;
};

} // namespace lrl
