#include "common/CodePage.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(CodePage, TablesMapBothWays)
{
    struct Known {
        int page;
        uint8_t byte;
        char16_t codePoint;
    };
    for (Known k : { Known { 1252, 0x80, 0x20AC }, Known { 1252, 0xE4, 0x00E4 }, Known { 1250, 0x8A, 0x0160 },
             Known { 1250, 0xA3, 0x0141 }, Known { 1251, 0xC6, 0x0416 }, Known { 1251, 0xA8, 0x0401 },
             Known { 1253, 0xC1, 0x0391 }, Known { 1253, 0xA2, 0x0386 }, Known { 1254, 0xD0, 0x011E },
             Known { 1254, 0xFD, 0x0131 }, Known { 1257, 0xE0, 0x0105 }, Known { 1257, 0xFB, 0x016B } }) {
        const CodePage& page = CodePage::of(k.page);
        EXPECT_EQ(page.toUnicode(k.byte), k.codePoint) << k.page << " " << int(k.byte);
        EXPECT_EQ(page.byteOf(k.codePoint), k.byte) << k.page << " " << int(k.byte);
    }
    // Every defined byte of every page comes back as itself.
    for (int number : CodePage::kStoragePages) {
        const CodePage& page = CodePage::of(number);
        for (int b = 0; b < 256; ++b) {
            char16_t cp = page.toUnicode(static_cast<uint8_t>(b));
            if (cp != 0xFFFD) {
                EXPECT_EQ(page.byteOf(cp), b) << number << " " << b;
            }
        }
    }
    EXPECT_EQ(CodePage::of(1251).byteOf(0x00E4), -1);
    EXPECT_EQ(CodePage::of(1253).toUnicode(0xAA), 0xFFFD);
    EXPECT_EQ(CodePage::of(1253).byteOf(0xFFFD), -1);
    EXPECT_EQ(CodePage::find(437), nullptr);
    EXPECT_EQ(CodePage::of(437).number(), 1252);
}

TEST(CodePage, ConvertsToAndFromUtf8)
{
    EXPECT_EQ(CodePage::of(1251).toUtf8("\xC6 ok"), "\xD0\x96 ok");
    EXPECT_EQ(CodePage::of(1252).toUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(CodePage::of(1251).fromUtf8("\xD0\x96 ok"), std::optional<std::string>("\xC6 ok"));
    // A character the page lacks, or bytes that are no UTF-8, give no text at all.
    EXPECT_EQ(CodePage::of(1252).fromUtf8("\xD0\x96"), std::nullopt);
    EXPECT_EQ(CodePage::of(1252).fromUtf8("\xE4"), std::nullopt);
}
