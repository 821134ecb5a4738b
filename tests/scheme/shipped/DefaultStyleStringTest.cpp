#include "scheme/shipped/DefaultStyleString.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace lrl;

namespace {

// WCAG contrast of a 0x00BBGGRR colour against white.
double contrastToWhite(int32_t colour)
{
    auto channel = [](int value) {
        double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    double l = 0.2126 * channel(colour & 0xFF) + 0.7152 * channel((colour >> 8) & 0xFF)
        + 0.0722 * channel((colour >> 16) & 0xFF);
    return 1.05 / (l + 0.05);
}

} // namespace

TEST(DefaultStyleString, HighlightsTheShippedSchemeLegiblyOnWhite)
{
    auto p = createShippedParser();
    p->applyStyles(kDefaultStyleString);
    // Token values of the shipped scheme: 7 and the declaration words reserved, 1/8/9 comments, 3 string,
    // 4 number, 10 symbol, 2 identifier.
    for (uint8_t v : { 7, 21, 35, 62, 63, 64, 65 })
        EXPECT_EQ(p->effectOf(v).style, TSM_Effect::Bold) << int(v);
    for (uint8_t v : { 1, 8, 9 })
        EXPECT_EQ(p->effectOf(v).style, TSM_Effect::Italic) << int(v);
    std::set<int32_t> colours;
    for (uint8_t v : { 1, 3, 4, 7, 10 }) {
        const TSM_Effect& e = p->effectOf(v);
        EXPECT_FALSE(e.foregroundDefault || e.backgroundDefault) << int(v);
        EXPECT_EQ(e.background, 0xFFFFFF) << int(v);
        EXPECT_GE(contrastToWhite(e.foreground), 4.5) << int(v);
        colours.insert(e.foreground);
    }
    EXPECT_EQ(colours.size(), 5u)
        << "comments, strings, numbers, reserved words and symbols each their own colour";
    EXPECT_EQ(p->effectOf(2).foreground, 0x000000);
    EXPECT_EQ(p->effectOf(2).style, 0);
    EXPECT_EQ(p->effectOf(61).background, 0xFFFFFF);
    // The default sets the effects alone.
    EXPECT_EQ(p->settings().font, createShippedParser()->settings().font);
}
