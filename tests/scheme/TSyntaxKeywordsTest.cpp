#include "scheme/TKeywordDefinitions.h"
#include "scheme/TSyntaxKeywords.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

TSM_KeywordDefinition def(uint8_t token, Set256 states = Set256::of({ 0 }), uint16_t follow = 0)
{
    return { states, follow, token };
}

// The longest word end on the path of text, as a scanner walks the trie; -1 for none.
int longestMatch(const TSyntaxKeywords& k, const std::string& text)
{
    int best = -1;
    int32_t node = TSyntaxKeywords::kNoNode;
    for (size_t i = 0; i < text.size(); ++i) {
        uint8_t c = static_cast<uint8_t>(text[i]);
        if (!k.caseSensitive())
            c = TSyntaxKeywords::fold(c);
        node = i == 0 ? k.rootChild(c) : k.child(node, c);
        if (node == TSyntaxKeywords::kNoNode)
            break;
        if (!k.node(node).definitions.empty())
            best = k.node(node).definitions.front().token;
    }
    return best;
}

std::vector<std::string> wordsInStoredOrder(const TSyntaxKeywords& k)
{
    std::vector<std::string> out;
    k.forEachDefinition([&](std::string_view w, const TSM_KeywordDefinition&) { out.emplace_back(w); });
    return out;
}

} // namespace

TEST(TSyntaxKeywords, WalkFindsTheLongestWord)
{
    TSyntaxKeywords k;
    k.add("<", def(10));
    k.add("<=", def(11));
    k.add("<>", def(12));
    k.add("(*", def(9));
    EXPECT_EQ(longestMatch(k, "<= 3"), 11);
    EXPECT_EQ(longestMatch(k, "<3"), 10);
    EXPECT_EQ(longestMatch(k, "(x"), -1);
    EXPECT_EQ(k.maxWordLength(), 2u);
}

TEST(TSyntaxKeywords, StoredOrderIsCharacterOrderWithDefinitionsAsAdded)
{
    TSyntaxKeywords k;
    k.add("b", def(1));
    k.add("ab", def(2));
    k.add("a", def(3));
    k.add("a", def(4, Set256::of({ 1 })));
    k.add("ac", def(5));
    std::vector<std::string> expected { "a", "a", "ab", "ac", "b" };
    EXPECT_EQ(wordsInStoredOrder(k), expected);
    std::vector<int> tokens;
    k.forEachDefinition([&](std::string_view, const TSM_KeywordDefinition& d) { tokens.push_back(d.token); });
    EXPECT_EQ(tokens, (std::vector<int> { 3, 4, 2, 5, 1 }));
    EXPECT_EQ(k.definitionCount(), 5u);
}

TEST(TSyntaxKeywords, CaseInsensitiveStoreFoldsWordsAndLookups)
{
    TSyntaxKeywords k(true);
    k.add("Begin", def(30));
    k.add("\xC4nd", def(31)); // A with diaeresis
    EXPECT_EQ(k.find("begin"), nullptr);
    k.setCaseSensitive(false);
    EXPECT_EQ(wordsInStoredOrder(k), (std::vector<std::string> { "begin", "\xE4nd" }));
    ASSERT_NE(k.find("BEGIN"), nullptr);
    EXPECT_EQ(longestMatch(k, "BeGiN"), 30);
    EXPECT_EQ(longestMatch(k, "\xC4ND"), 31);
}

TEST(TSyntaxKeywords, DuplicateCheckLooksAtSharedStates)
{
    TSyntaxKeywords k;
    k.add(";", def(20, Set256::of({ 0, 1 })));
    EXPECT_TRUE(k.hasDefinitionFor(";", Set256::of({ 1, 5 })));
    EXPECT_FALSE(k.hasDefinitionFor(";", Set256::of({ 2 })));
    EXPECT_FALSE(k.hasDefinitionFor(":", Set256::of({ 0 })));
}

TEST(TKeywordDefinitions, TerminatorTextBecomesTheFollowClass)
{
    TKeywordDefinitions t;
    EXPECT_TRUE(t.terminator().isAll());
    t.setTerminatorText("[^_A-Za-z0-9]");
    EXPECT_TRUE(t.terminator().matches(' '));
    EXPECT_FALSE(t.terminator().matches('x'));
    t.setTerminatorText(" ;");
    EXPECT_TRUE(t.terminator().matches(';'));
    EXPECT_FALSE(t.terminator().matches(','));
    EXPECT_EQ(t.terminatorText(), " ;");
}

TEST(TKeywordDefinitions, WordsKeepTheirOrderAndTheIndexFollowsTheCaseFlag)
{
    TKeywordDefinitions t;
    t.addWord("while", 7);
    t.addWord("Begin", 30);
    EXPECT_EQ(t.words().front().first, "while");
    EXPECT_EQ(t.words().back().first, "Begin");
    ASSERT_NE(t.index().find("BEGIN"), nullptr);
    EXPECT_TRUE(t.index().find("begin")->front().states.contains(200));
    t.setCaseSensitive(true);
    EXPECT_TRUE(t.caseSensitive());
}
