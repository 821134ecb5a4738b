#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lrl {

// A case-insensitive character trie of words, each carrying an integer value (-1 unless given) and
// optionally a text. The script lexer keeps two of them: the macro store (name to replacement text) and
// the keyword store (keyword to token number). Characters are lower-cased (ASCII letters only) before they
// are stored or compared; words are found through a 256-entry index by first character.
class TWordStore {
public:
    struct Word {
        int value = -1;
        std::optional<std::string> text;
    };
    // One word that begins a text: its length and what it carries.
    struct Match {
        size_t length;
        const Word* word;
    };

    TWordStore();

    // Adds the word or replaces what it carries. An empty word is ignored.
    void add(std::string_view word, int value, std::optional<std::string> text = std::nullopt);
    const Word* find(std::string_view word) const;
    bool contains(std::string_view word) const { return find(word) != nullptr; }
    size_t count() const { return m_count; }

    // Every stored word that the text begins with, shortest first.
    std::vector<Match> prefixesOf(std::string_view text) const;

private:
    struct Node {
        uint8_t ch = 0;
        int32_t child = -1;
        int32_t sibling = -1;
        std::optional<Word> word;
    };
    static uint8_t fold(uint8_t c) { return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c + 32) : c; }
    int32_t childOf(int32_t node, uint8_t ch) const;
    int32_t nodeOf(std::string_view word) const;

    std::vector<Node> m_nodes;
    std::array<int32_t, 256> m_index;
    size_t m_count = 0;
};

} // namespace lrl
