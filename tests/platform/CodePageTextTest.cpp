#include "platform/CodePageText.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(CodePageText, ConvertsThroughTheGivenPage)
{
    EXPECT_EQ(CodePageText::decode(1251, "\xC6\xF3\xEA"), QString::fromUtf8("\xD0\x96\xD1\x83\xD0\xBA"));
    EXPECT_EQ(CodePageText::decode(1250, std::string("\x8A\0", 2)).size(), 2);
    EXPECT_EQ(CodePageText::encode(1251, QString::fromUtf8("\xD0\x96 \xC3\xA4")), "\xC6 ?");
    EXPECT_EQ(CodePageText::encodeExact(1251, QString::fromUtf8("\xD0\x96")), std::optional<std::string>("\xC6"));
    // One missing character (also one beyond the 16-bit range) and there is no text at all.
    EXPECT_EQ(CodePageText::encodeExact(1251, QString::fromUtf8("\xD0\x96\xC3\xA4")), std::nullopt);
    EXPECT_EQ(CodePageText::encodeExact(1252, QString::fromUtf8("\xF0\x9F\x98\x80")), std::nullopt);
    EXPECT_EQ(CodePageText::encodeExact(1252, QString()), std::optional<std::string>(""));
}
