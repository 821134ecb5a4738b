#include "common/SourceDecoder.h"

#include "common/CodePage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace lrl;

namespace {

std::string fixture(const std::string& name)
{
    std::ifstream in(LRL_TEST_DATA_DIR "/encoding/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Golden {
    const char* file;
    SourceEncoding encoding;
    int codePage;
    size_t replaced;
    const char* expected; // the fixture holding the stored text
    const char* name;
};

class SourceDecoderGolden : public testing::TestWithParam<Golden> { };

} // namespace

TEST_P(SourceDecoderGolden, StoresTheTextInTheCodePageThatHoldsIt)
{
    const Golden& g = GetParam();
    DecodedSource decoded = SourceDecoder::decode(fixture(g.file));
    EXPECT_EQ(decoded.info.encoding, g.encoding);
    EXPECT_EQ(decoded.info.codePage, g.codePage);
    EXPECT_EQ(decoded.info.replaced, g.replaced);
    EXPECT_EQ(decoded.info.name(), g.name);
    EXPECT_EQ(decoded.text, fixture(g.expected));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SourceDecoderGolden,
    testing::Values(Golden { "cp1252.pas", SourceEncoding::Legacy, 1252, 0, "cp1252.pas", "Windows-1252" },
        Golden { "utf8-bom.pas", SourceEncoding::Utf8Bom, 1252, 0, "cp1252.pas", "UTF-8 BOM" },
        Golden { "utf8.pas", SourceEncoding::Utf8, 1252, 0, "cp1252.pas", "UTF-8" },
        Golden { "utf16le-bom.pas", SourceEncoding::Utf16Le, 1252, 0, "cp1252.pas", "UTF-16 LE" },
        Golden { "utf8-cyrillic.pas", SourceEncoding::Utf8, 1251, 0, "cp1251.expected", "UTF-8" },
        Golden { "utf8-greek-cyrillic.pas", SourceEncoding::Utf8, 1253, 3, "cp1253.expected", "UTF-8" },
        Golden { "ascii.pas", SourceEncoding::Legacy, 1252, 0, "ascii.pas", "Windows-1252" },
        Golden { "invalid-utf8.pas", SourceEncoding::Legacy, 1252, 0, "invalid-utf8.pas", "Windows-1252" }));

TEST(SourceDecoder, LegacyBytesKeepTheChosenLegacyPage)
{
    DecodedSource decoded = SourceDecoder::decode("\xC6\xF3\xEA", 1251);
    EXPECT_EQ(decoded.info.encoding, SourceEncoding::Legacy);
    EXPECT_EQ(decoded.info.codePage, 1251);
    EXPECT_EQ(decoded.text, "\xC6\xF3\xEA");
    EXPECT_EQ(decoded.info.name(), "Windows-1251");
    // Pure ASCII is legacy text too; a page the store cannot use reads as Windows-1252.
    EXPECT_EQ(SourceDecoder::decode("begin", 1251).info.codePage, 1251);
    EXPECT_EQ(SourceDecoder::decode("begin", 437).info.codePage, 1252);
}

TEST(SourceDecoder, ByteOrderMarksWinOverTheContent)
{
    EXPECT_EQ(SourceDecoder::detect("\xEF\xBB\xBF"), SourceEncoding::Utf8Bom);
    EXPECT_EQ(SourceDecoder::detect("\xFF\xFE" "a\0"), SourceEncoding::Utf16Le);
    EXPECT_EQ(SourceDecoder::detect("\xFE\xFF"), SourceEncoding::Utf16Be);
    EXPECT_EQ(SourceDecoder::detect("\xEF\xBB"), SourceEncoding::Legacy); // a cut mark is no mark
    EXPECT_EQ(SourceDecoder::detect(""), SourceEncoding::Legacy);
    // A mark alone leaves an empty text.
    EXPECT_EQ(SourceDecoder::decode("\xEF\xBB\xBF").text, "");
    EXPECT_EQ(SourceDecoder::decode("\xFF\xFE").text, "");
}

TEST(SourceDecoder, OnlyWellFormedUtf8IsUtf8)
{
    EXPECT_EQ(SourceDecoder::detect("a\xC3\xA4"), SourceEncoding::Utf8);
    EXPECT_EQ(SourceDecoder::detect("12345678abcdefgh\xF0\x9F\x98\x80"), SourceEncoding::Utf8);
    EXPECT_EQ(SourceDecoder::detect("\xC0\xAF"), SourceEncoding::Legacy); // overlong
    EXPECT_EQ(SourceDecoder::detect("\xED\xA0\x80"), SourceEncoding::Legacy); // surrogate
    EXPECT_EQ(SourceDecoder::detect("\xF4\x90\x80\x80"), SourceEncoding::Legacy); // above U+10FFFF
    EXPECT_EQ(SourceDecoder::detect("ab\xE2\x82"), SourceEncoding::Legacy); // cut at the end
    EXPECT_EQ(SourceDecoder::detect("\xE4 is 1252"), SourceEncoding::Legacy);
}

TEST(SourceDecoder, PiecesThatAreNoCharacterBecomeCountedQuestionMarks)
{
    // After a UTF-8 mark a stray byte is one replaced character.
    DecodedSource utf8 = SourceDecoder::decode("\xEF\xBB\xBF" "a\xFF" "b\xC3\xA4");
    EXPECT_EQ(utf8.text, "a?b\xE4");
    EXPECT_EQ(utf8.info.replaced, 1u);
    // UTF-16 BE: a lone low surrogate, a pair (no page holds it) and a final odd byte.
    DecodedSource utf16 = SourceDecoder::decode(std::string("\xFE\xFF\x00" "A\xDC\x00\xD8\x3D\xDE\x00\x04\x16" "x", 13));
    EXPECT_EQ(utf16.info.encoding, SourceEncoding::Utf16Be);
    EXPECT_EQ(utf16.info.codePage, 1251);
    EXPECT_EQ(utf16.text, "A??\xC6?");
    EXPECT_EQ(utf16.info.replaced, 3u);
}

TEST(SourceDecoder, MostCharactersDecideThePageWhenNoneHoldsAll)
{
    // Two Cyrillic letters and one Greek: Windows-1251 keeps the two.
    DecodedSource decoded = SourceDecoder::decode("\xD0\x96\xD0\xB6\xCE\xB1");
    EXPECT_EQ(decoded.info.codePage, 1251);
    EXPECT_EQ(decoded.text, "\xC6\xE6?");
    EXPECT_EQ(decoded.info.replaced, 1u);
    // Characters of Windows-1250 alone (Ł, ő) pass over 1252.
    EXPECT_EQ(SourceDecoder::decode("\xC5\x81\xC5\x91").info.codePage, 1250);
    // Turkish ğ is in 1254 only; Lithuanian ą is in 1250 and 1257, and 1250 comes first.
    EXPECT_EQ(SourceDecoder::decode("\xC4\x9F").info.codePage, 1254);
    EXPECT_EQ(SourceDecoder::decode("\xC4\x85").info.codePage, 1250);
    EXPECT_EQ(SourceDecoder::decode("\xC4\x85\xC5\xAB").info.codePage, 1257); // ą ū
}
