#include "platform/StoredColor.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(StoredColor, PlainColoursAreBlueGreenRed)
{
    QPalette palette;
    EXPECT_EQ(StoredColor::toQColor(0x000000FF, palette), QColor(255, 0, 0));
    EXPECT_EQ(StoredColor::toQColor(0x00FF0000, palette), QColor(0, 0, 255));
    EXPECT_EQ(StoredColor::toQColor(0x00123456, palette), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(StoredColor::toQColor(0x02008000, palette), QColor(0, 0x80, 0)); // palette-relative bit ignored
    EXPECT_EQ(StoredColor::fromQColor(QColor(0x56, 0x34, 0x12, 10)), 0x00123456);
    EXPECT_EQ(StoredColor::fromQColor(QColor(Qt::white)), 0x00FFFFFF);
}

TEST(StoredColor, SystemColoursComeFromThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Text, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(7, 8, 9));
    palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(10, 11, 12));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(13, 14, 15));
    EXPECT_EQ(StoredColor::toQColor(StoredColor::kWindowText, palette), QColor(1, 2, 3));
    EXPECT_EQ(StoredColor::toQColor(StoredColor::kWindow, palette), QColor(4, 5, 6));
    EXPECT_EQ(StoredColor::toQColor(StoredColor::kHighlight, palette), QColor(7, 8, 9));
    EXPECT_EQ(StoredColor::toQColor(StoredColor::kHighlightText, palette), QColor(10, 11, 12));
    EXPECT_EQ(StoredColor::toQColor(StoredColor::kButtonFace, palette), QColor(13, 14, 15));
    EXPECT_EQ(StoredColor::toQColor(-16777208, palette), QColor(1, 2, 3)); // -16777208 = 0xFF000008
}

TEST(StoredColor, UnknownSystemColoursAreBlack)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Text, QColor(1, 2, 3));
    for (uint32_t bits : { 0x80000019u, 0x8000001Fu, 0x800000FFu, 0xFFFFFFFFu, 0x80000000u + 200 })
        EXPECT_EQ(StoredColor::toQColor(static_cast<int32_t>(bits), palette), QColor(Qt::black)) << std::hex << bits;
    EXPECT_TRUE(StoredColor::toQColor(static_cast<int32_t>(0x80000000u), palette).isValid());
}
