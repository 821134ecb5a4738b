#include "platform/Windows1252.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(Windows1252, DecodesTheCodePagesOwnCharacters)
{
    QString text = Windows1252::decode("A\x80\x81\x92\x9f\xa0\xe9\xff");
    ASSERT_EQ(text.size(), 8);
    EXPECT_EQ(text[0], QChar(u'A'));
    EXPECT_EQ(text[1], QChar(0x20AC));
    EXPECT_EQ(text[2], QChar(0x0081));
    EXPECT_EQ(text[3], QChar(0x2019));
    EXPECT_EQ(text[4], QChar(0x0178));
    EXPECT_EQ(text[5], QChar(0x00A0));
    EXPECT_EQ(text[6], QChar(0x00E9));
    EXPECT_EQ(text[7], QChar(0x00FF));
    EXPECT_EQ(Windows1252::decode(std::string("a\0b", 3)).size(), 3);
}

TEST(Windows1252, EveryByteRoundTrips)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    EXPECT_EQ(Windows1252::encode(Windows1252::decode(all)), all);
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(Windows1252::encode(QString::fromUtf8("\xe2\x82\xac \xd0\x96 \xf0\x9f\x98\x80!")), "\x80 ? ?!");
    EXPECT_EQ(Windows1252::byteOf(0x2122), 0x99);
    EXPECT_EQ(Windows1252::byteOf(0x0100), -1);
}
