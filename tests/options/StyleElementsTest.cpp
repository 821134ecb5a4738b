#include "options/StyleElements.h"
#include "options/MarginText.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"

#include <gtest/gtest.h>

using namespace lrl;
namespace SE = StyleElements;

TEST(StyleElements, ListsTheNamedStylesThenTheThreeViewerElements)
{
    TSM_Settings s;
    s.editableStyles[0] = { "Reserved word", 7 };
    s.editableStyles[1] = { "Comment", 5 };
    s.editableStyles[3] = { "After a gap", 9 }; // the list ends at the first slot without a name
    std::vector<SE::Element> expected { { "Reserved word", 7 }, { "Comment", 5 }, { "Selected text", 16384 },
        { "Left margin", 16385 }, { "Gutter", 16386 } };
    EXPECT_EQ(SE::list(s), expected);

    auto shipped = createShippedParser();
    std::vector<SE::Element> styles = SE::list(shipped->settings());
    ASSERT_EQ(styles.size(), 10u);
    EXPECT_EQ(styles.front(), (SE::Element { "Reserved word", 7 }));
    EXPECT_EQ(styles[6], (SE::Element { "Default", 0 }));
}

TEST(StyleElements, WhatEachElementLetsTheUserChange)
{
    TSM_Settings s;
    s.effects[7].style = TSM_Effect::Bold | TSM_Effect::StrikeOut;
    s.effects[7].foreground = 0x0000FF;
    s.effects[7].foregroundDefault = false;
    s.effects[7].backgroundDefault = true;

    SE::View style = SE::view(s, 7);
    EXPECT_TRUE(style.attributesEnabled);
    EXPECT_EQ(style.style, TSM_Effect::Bold) << "strike-out has no box";
    EXPECT_TRUE(style.foreDefaultEnabled && style.backDefaultEnabled);
    EXPECT_TRUE(style.foregroundEnabled);
    EXPECT_FALSE(style.backgroundEnabled) << "a default background is not chosen";
    EXPECT_EQ(style.foreground, 0x0000FF);

    s.selTextColorDefault = true;
    SE::View selected = SE::view(s, SE::kSelectedText);
    EXPECT_FALSE(selected.attributesEnabled);
    EXPECT_TRUE(selected.foreDefaultEnabled && selected.foreDefault);
    EXPECT_FALSE(selected.foregroundEnabled);
    EXPECT_TRUE(selected.backgroundEnabled);
    EXPECT_EQ(selected.background, s.selTextBack);

    for (int fixed : { SE::kLeftMargin, SE::kGutter }) {
        SE::View v = SE::view(s, fixed);
        EXPECT_FALSE(v.foreDefaultEnabled) << fixed;
        EXPECT_FALSE(v.foregroundEnabled) << fixed;
        EXPECT_TRUE(v.backDefaultEnabled) << fixed;
        EXPECT_TRUE(v.backgroundEnabled) << fixed;
    }
    EXPECT_EQ(SE::view(s, SE::kGutter).background, s.gutterColor);
    EXPECT_EQ(SE::view(s, SE::kLeftMargin).background, s.marginColor);
}

TEST(StyleElements, EditsChangeOnlyWhatTheDefaultsLeaveFree)
{
    TSM_Settings s;
    TSM_Settings before = s;
    s.effects[3].foregroundDefault = false;
    SE::setColors(s, 3, 0x112233, 0x445566);
    EXPECT_EQ(s.effects[3].foreground, 0x112233);
    EXPECT_EQ(s.effects[3].background, before.effects[3].background) << "background uses the default";
    EXPECT_TRUE(s.effects[3].defined);

    SE::setColors(s, SE::kGutter, 0x112233, 0x445566);
    EXPECT_EQ(s.gutterColor, 0x445566);
    s.marginColorDefault = true;
    SE::setColors(s, SE::kLeftMargin, 0x112233, 0x445566);
    EXPECT_EQ(s.marginColor, before.marginColor);
    SE::setColors(s, SE::kSelectedText, 0x010203, 0x040506);
    EXPECT_EQ(s.selTextColor, 0x010203);
    EXPECT_EQ(s.selTextBack, 0x040506);

    SE::setAttribute(s, 3, TSM_Effect::Italic, true);
    SE::setAttribute(s, 3, TSM_Effect::Underline, true);
    SE::setAttribute(s, 3, TSM_Effect::Italic, false);
    EXPECT_EQ(s.effects[3].style, TSM_Effect::Underline);
    TSM_Settings unchanged = s;
    SE::setAttribute(s, SE::kGutter, TSM_Effect::Bold, true);
    EXPECT_EQ(s, unchanged) << "the viewer's elements have no attributes";

    SE::setUseDefault(s, 3, false, false);
    EXPECT_FALSE(s.effects[3].backgroundDefault);
    SE::setUseDefault(s, SE::kGutter, true, true);
    EXPECT_FALSE(s.gutterColorDefault) << "the gutter has no foreground default";
    SE::setUseDefault(s, SE::kGutter, false, true);
    EXPECT_TRUE(s.gutterColorDefault);
    SE::setUseDefault(s, SE::kSelectedText, true, true);
    EXPECT_TRUE(s.selTextColorDefault);
    EXPECT_FALSE(s.selTextBackDefault);
}

TEST(StyleElements, TokenValuesMapToTheirStyles)
{
    TSM_Settings s;
    s.map[8] = 5;
    s.map[53] = 10;
    s.map[22] = 99;
    EXPECT_EQ(SE::styleOfToken(s, 8), 5);
    EXPECT_EQ(SE::styleOfToken(s, 22), 10) << "22 is taken as 53";
    EXPECT_EQ(SE::styleOfToken(s, 0), -1) << "no token";
    EXPECT_EQ(SE::styleOfToken(s, 200), 0) << "an unmapped token shows the default style";
}

TEST(MarginText, OneInchIsStoredAsDoubleZero)
{
    struct Case {
        std::string digits;
        std::string shown;
        double inches;
    };
    for (const Case& c : { Case { "00", "1.00", 1.0 }, Case { "05", "0.05", 0.05 },
             Case { "25", "0.25", 0.25 }, Case { "95", "0.95", 0.95 } }) {
        EXPECT_EQ(MarginText::shown(c.digits), c.shown);
        EXPECT_EQ(MarginText::stored(c.inches), c.digits) << c.inches;
    }
    EXPECT_EQ(MarginText::stored(0.30000000001), "30");
    EXPECT_EQ(MarginText::stored(0.0), "05") << "below the range: its lower end";
    EXPECT_EQ(MarginText::stored(3.0), "00") << "above the range: one inch";
}
