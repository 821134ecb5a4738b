// Stored colours as screen colours, on a light and on a dark desktop palette.

#include "viewer/ui/ViewerColors.h"

#include "support/qt/DarkPalette.h"
#include "viewer/TStyleColors.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

constexpr int32_t kSystemHighlight = colors::clHighlight;
constexpr int32_t kSystemHighlightText = colors::clHighlightText;
constexpr int32_t kSystemButtonFace = colors::clBtnFace;
constexpr int32_t kYellow = colors::clYellow;
constexpr int32_t kNavy = 0x800000;

QPalette lightPalette()
{
    QPalette p;
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    return p;
}

} // namespace

TEST(ViewerColors, TellsADarkPaletteByItsBaseAndText)
{
    EXPECT_TRUE(isDarkPalette(test::darkPalette()));
    EXPECT_FALSE(isDarkPalette(lightPalette()));
}

// On a dark palette a pair never mixes a palette colour with a fixed one: the fixed one gives way to the
// palette partner of the other. Two fixed or two system colours, and any pair on a light palette, stay.
TEST(ViewerColors, OnADarkPaletteAPairTakesBothOrNoneFromIt)
{
    const QPalette dark = test::darkPalette();
    const QColor text = dark.color(QPalette::Text);
    const QColor base = dark.color(QPalette::Base);
    struct Case {
        int32_t text, back;
        QColor shownText, shownBack;
    };
    const Case cases[] = {
        { colors::clWindowText, kYellow, text, base }, // system text on a fixed background
        { kNavy, colors::clWindow, text, base }, // a fixed colour on the system background
        { colors::clBlack, colors::clSilver, Qt::black, QColor(0xC0, 0xC0, 0xC0) }, // both fixed
        { colors::clWindowText, colors::clWindow, text, base }, // both system
        { colors::clWhite, kSystemHighlight, dark.color(QPalette::HighlightedText), dark.color(QPalette::Highlight) },
        { kSystemHighlightText, colors::clBlue, dark.color(QPalette::HighlightedText), dark.color(QPalette::Highlight) },
        { colors::clBlack, kSystemButtonFace, dark.color(QPalette::ButtonText), dark.color(QPalette::Button) },
    };
    for (const Case& c : cases) {
        ViewerColorPair shown = viewerColors(c.text, c.back, dark);
        EXPECT_EQ(shown.text, c.shownText) << std::hex << c.text << " on " << c.back;
        EXPECT_EQ(shown.back, c.shownBack) << std::hex << c.text << " on " << c.back;
    }

    const QPalette light = lightPalette();
    ViewerColorPair mixed = viewerColors(colors::clWindowText, kYellow, light);
    EXPECT_EQ(mixed.text, QColor(Qt::black));
    EXPECT_EQ(mixed.back, QColor(255, 255, 0));
    mixed = viewerColors(kNavy, colors::clWindow, light);
    EXPECT_EQ(mixed.text, QColor(0, 0, 0x80));
    EXPECT_EQ(mixed.back, QColor(Qt::white));
}
