#include "common/Exception.h"
#include "scheme/CharSpecifier.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

std::string membersOf(const TSM_CharGroup& g)
{
    std::string out;
    for (int c = 0; c < 256; ++c)
        if (g.matches(static_cast<uint8_t>(c)))
            out.push_back(static_cast<char>(c));
    return out;
}

} // namespace

TEST(CharSpecifier, SingleCharactersClassesAndRanges)
{
    auto parts = parseCharSpecifiers("*)");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(membersOf(parts[0]), "*");
    EXPECT_EQ(membersOf(parts[1]), ")");

    parts = parseCharSpecifiers("[0-9a-fA-F]");
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(membersOf(parts[0]), "0123456789ABCDEFabcdef");
    EXPECT_FALSE(parts[0].negated());

    EXPECT_TRUE(parseCharSpecifiers("").empty());
}

TEST(CharSpecifier, NegationKeepsTheWrittenSetAndFlag)
{
    auto parts = parseCharSpecifiers("[^_A-Za-z0-9]");
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_TRUE(parts[0].negated());
    EXPECT_TRUE(parts[0].chars().contains('_'));
    EXPECT_FALSE(parts[0].matches('_'));
    EXPECT_FALSE(parts[0].matches('q'));
    EXPECT_TRUE(parts[0].matches(' '));
    EXPECT_TRUE(parts[0].matches(0));
    EXPECT_TRUE(parts[0].matches(255));
}

TEST(CharSpecifier, LiteralBracketsDashesAndEscapes)
{
    EXPECT_EQ(membersOf(parseCharSpecifiers("[]a]")[0]), "]a");
    EXPECT_EQ(membersOf(parseCharSpecifiers("[-+]")[0]), "+-");
    EXPECT_EQ(membersOf(parseCharSpecifiers("[a-]")[0]), "-a");
    EXPECT_EQ(membersOf(parseCharSpecifiers("[\\]\\-]")[0]), "-]");
    auto parts = parseCharSpecifiers("\\[x");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(membersOf(parts[0]), "[");
    // An unclosed "[" is the character itself.
    parts = parseCharSpecifiers("[a");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(membersOf(parts[0]), "[");
}

TEST(CharSpecifier, ReversedRangeIsRefused)
{
    try {
        parseCharSpecifiers("[z-a]");
        FAIL();
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.message(), "Characters not in correct order for range specifier");
    }
}
