#pragma once

#include "common/Set256.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lrl {

// One meaning of a word: the states in which it counts, the class its next character must belong to
// (an index into the scheme's class pool), and its token value.
struct TSM_KeywordDefinition {
    Set256 states;
    uint16_t follow = 0;
    uint8_t token = 0;

    bool operator==(const TSM_KeywordDefinition&) const = default;
};

// The keyword store: a character trie of words, each word end holding one or more definitions.
//
// Words of a store that is not case-sensitive are kept lower-cased (Windows-1252 letters), and a
// scanner folds the text with fold() before walking. Walking: start with rootChild(c) for the first
// character, then child(node, c) for each further one, until kNoNode; every node on the way whose
// definitions() are not empty is a word end, and the longest one whose definition fits the current
// states and the next character wins.
class TSyntaxKeywords {
public:
    static constexpr int32_t kNoNode = -1;

    struct Node {
        uint8_t ch = 0;
        int32_t child = kNoNode; // first child; the children form a list ordered by character
        int32_t sibling = kNoNode;
        std::vector<TSM_KeywordDefinition> definitions;
    };

    explicit TSyntaxKeywords(bool caseSensitive = false);

    bool caseSensitive() const { return m_caseSensitive; }
    // Turning case sensitivity off lower-cases the words already in the store.
    void setCaseSensitive(bool on);

    static uint8_t fold(uint8_t c) { return foldTable()[c]; }
    // Lower case of each Windows-1252 character.
    static const std::array<uint8_t, 256>& foldTable();

    // Adds a definition for word (lower-cased first when the store is not case-sensitive). An empty
    // word is ignored.
    void add(std::string_view word, const TSM_KeywordDefinition& definition);
    // The definitions of exactly this word, or nullptr.
    const std::vector<TSM_KeywordDefinition>* find(std::string_view word) const;
    // Whether word has a definition whose states share a state with states.
    bool hasDefinitionFor(std::string_view word, const Set256& states) const;

    int32_t rootChild(uint8_t c) const { return m_root[c]; }
    int32_t child(int32_t node, uint8_t c) const
    {
        for (int32_t n = m_nodes[static_cast<size_t>(node)].child; n != kNoNode;) {
            const Node& k = m_nodes[static_cast<size_t>(n)];
            if (k.ch == c)
                return n;
            if (k.ch > c)
                break;
            n = k.sibling;
        }
        return kNoNode;
    }
    const Node& node(int32_t index) const { return m_nodes[static_cast<size_t>(index)]; }
    size_t nodeCount() const { return m_nodes.size(); }
    // The number of definitions, which is the number of (word, definition) pairs the store holds.
    size_t definitionCount() const { return m_definitionCount; }
    size_t maxWordLength() const { return m_maxLength; }

    // Calls visit for each word and definition, words in character order (a word before its
    // extensions), a word's definitions in the order they were added.
    void forEachDefinition(const std::function<void(std::string_view, const TSM_KeywordDefinition&)>& visit) const;

    void clear();

    bool operator==(const TSyntaxKeywords& o) const;

private:
    std::string folded(std::string_view word) const;
    int32_t findNode(std::string_view word) const;
    int32_t findOrAddChild(int32_t parent, uint8_t c);

    std::vector<Node> m_nodes;
    std::array<int32_t, 256> m_root;
    bool m_caseSensitive;
    size_t m_definitionCount = 0;
    size_t m_maxLength = 0;
};

} // namespace lrl
