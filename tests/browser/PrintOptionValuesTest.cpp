#include "browser/PrintOptionValues.h"
#include "common/MemorySettingsStore.h"

#include <gtest/gtest.h>

using namespace lrl;
using Margin = PrintOptionValues::Margin;
using HeaderButton = PrintOptionValues::HeaderButton;
using HeaderSource = PrintOptionValues::HeaderSource;

TEST(PrintOptionValues, DefaultsWhenNothingIsStored)
{
    MemorySettingsStore store;
    PrintOptionValues v(store);
    EXPECT_EQ(v.headerSource(), HeaderSource::Path);
    EXPECT_EQ(v.firstCheckedHeaderButton(), HeaderButton::FileNameWithPath);
    EXPECT_FALSE(v.headerButton(HeaderButton::CustomText));
    EXPECT_EQ(v.marginText(Margin::Left), "05");
    EXPECT_DOUBLE_EQ(v.marginInches(Margin::Bottom), 0.05);
    for (int level = 0; level < PrintOptionValues::kLevels; ++level)
        EXPECT_EQ(v.levelFont(level), PrintOptionValues::LevelFont());
    EXPECT_TRUE(store.valueNames("PrtOps").empty());
}

TEST(PrintOptionValues, MarginsInHundredthsWithZeroAsOneInch)
{
    MemorySettingsStore store;
    PrintOptionValues v(store);
    v.setMarginText(Margin::Left, "00");
    v.setMarginText(Margin::Top, "25");
    v.setMarginText(Margin::Right, "1.0"); // not digits: ignored
    store.writeString("PrtOps", "bmr", "5");
    EXPECT_EQ(store.readString("PrtOps", "lmr"), "00");
    EXPECT_DOUBLE_EQ(v.marginInches(Margin::Left), 1.0);
    EXPECT_DOUBLE_EQ(v.marginInches(Margin::Top), 0.25);
    EXPECT_FALSE(store.readString("PrtOps", "rmr"));
    EXPECT_EQ(v.marginText(Margin::Bottom), "05");

    for (const char* damaged : { "", "-5", "999", "ab", "\xff" }) {
        store.writeString("PrtOps", "tmr", damaged);
        EXPECT_EQ(v.marginText(Margin::Top), "05") << damaged;
    }
}

TEST(PrintOptionValues, HeaderSourceAndButtons)
{
    MemorySettingsStore store;
    PrintOptionValues v(store);
    v.setHeaderSource(HeaderSource::CustomText);
    EXPECT_EQ(store.readString("PrtOps", "hdr"), "3");
    EXPECT_EQ(v.headerSource(), HeaderSource::CustomText);
    store.writeString("PrtOps", "hdr", "7");
    EXPECT_EQ(v.headerSource(), HeaderSource::Path);

    v.setHeaderButton(HeaderButton::FileNameWithPath, false);
    v.setHeaderButton(HeaderButton::NodeText, true);
    EXPECT_EQ(store.readString("PrtOps", "rbFnw"), "0");
    EXPECT_EQ(v.firstCheckedHeaderButton(), HeaderButton::NodeText);
    v.setHeaderButton(HeaderButton::NodeText, false);
    EXPECT_FALSE(v.firstCheckedHeaderButton());
}

TEST(PrintOptionValues, LevelFontsRoundTripAndResetAsTheDefaultButtonDoes)
{
    MemorySettingsStore store;
    PrintOptionValues v(store);
    PrintOptionValues::LevelFont f { "Arial", 12, true, false, true, 0x0000FF };
    v.setLevelFont(2, f);
    EXPECT_EQ(store.readString("PrtOps", "rbFst2"), "101");
    EXPECT_EQ(store.readString("PrtOps", "rbFn2"), "Arial");
    EXPECT_EQ(v.levelFont(2), f);
    EXPECT_EQ(v.levelFont(1), PrintOptionValues::LevelFont());

    v.setLevelFont(7, f); // no such level
    EXPECT_FALSE(store.readString("PrtOps", "rbFn7"));

    v.resetLevelFonts();
    EXPECT_EQ(store.readString("PrtOps", "rbFst2"), "0");
    EXPECT_EQ(store.readString("PrtOps", "rbFs3"), "8");
    EXPECT_EQ(v.levelFont(2), PrintOptionValues::LevelFont());
}

TEST(PrintOptionValues, DamagedLevelFontsReadAsDefaults)
{
    MemorySettingsStore store;
    PrintOptionValues v(store);
    store.writeString("PrtOps", "rbFn0", "");
    store.writeString("PrtOps", "rbFs0", "100000");
    store.writeString("PrtOps", "rbFst0", "1111");
    store.writeString("PrtOps", "rbFc0", "0x80000008");
    store.writeString("PrtOps", "rbFn1", "Bad\nName");
    store.writeString("PrtOps", "rbFs1", "-8");
    store.writeString("PrtOps", "rbFst1", "1x1");
    store.writeString("PrtOps", "rbFn2", std::string(300, 'A'));
    PrintOptionValues::LevelFont f0 = v.levelFont(0);
    EXPECT_EQ(f0.name, "Courier New");
    EXPECT_EQ(f0.size, 8);
    EXPECT_FALSE(f0.bold || f0.italic || f0.underline);
    EXPECT_EQ(f0.color, static_cast<int32_t>(0x80000008u));
    PrintOptionValues::LevelFont f1 = v.levelFont(1);
    EXPECT_EQ(f1.name, "Courier New");
    EXPECT_EQ(f1.size, 8);
    EXPECT_TRUE(f1.bold && !f1.italic && f1.underline);
    EXPECT_EQ(v.levelFont(2).name, "Courier New");
}
