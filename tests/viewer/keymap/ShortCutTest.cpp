#include "viewer/keymap/ShortCut.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(ShortCut, MenuTextForms)
{
    EXPECT_EQ(shortCutToText(scCtrl | 'J'), "Ctrl+J");
    EXPECT_EQ(shortCutToText(scShift | scCtrl | 'Z'), "Shift+Ctrl+Z");
    EXPECT_EQ(shortCutToText(scAlt | 113), "Alt+F2");
    EXPECT_EQ(shortCutToText(33), "PgUp");
    EXPECT_EQ(shortCutToText(0), "");
    EXPECT_EQ(textToShortCut("ctrl+j"), scCtrl | 'J');
    EXPECT_EQ(textToShortCut("Ctrl+"), 0);
    EXPECT_EQ(textToShortCut("Ctrl+Nothing"), 0);
    EXPECT_EQ(textToShortCut("F25"), 0);
}

TEST(ShortCut, EveryKeyWithEveryModifierSurvivesTheTextForm)
{
    for (int mods = 0; mods < 8; ++mods)
        for (int key = 1; key < 256; ++key) {
            auto sc = static_cast<TShortCut>((mods << 13) | key);
            EXPECT_EQ(textToShortCut(shortCutToText(sc)), sc) << shortCutToText(sc);
        }
}
