#pragma once

#include "common/Set256.h"
#include "scheme/TSM_CharGroup.h"
#include "scheme/TSyntaxKeywords.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lrl {

// A keyword table: words with their token values, valid in a set of states, each ending where the next
// character belongs to the terminator class.
//
// words() keeps the words as they were added (the stored order); index() holds the same words as a
// trie for scanning, walked like the keyword store's, except that each definition counts in every state
// (the scanner picks the table by state) and the terminator class stands for the follow class.
class TKeywordDefinitions {
public:
    TKeywordDefinitions() = default;

    const Set256& states() const { return m_states; }
    void setStates(const Set256& states) { m_states = states; }

    // The terminator as written ("[^_A-Za-z0-9]"): the union of its character specifiers; an empty
    // text sets no condition. A malformed text raises the specifier reader's ESyntaxMemo.
    const std::string& terminatorText() const { return m_terminatorText; }
    void setTerminatorText(const std::string& text);
    const TSM_CharGroup& terminator() const { return m_terminator; }

    bool caseSensitive() const { return m_index.caseSensitive(); }
    void setCaseSensitive(bool on) { m_index.setCaseSensitive(on); }

    void addWord(const std::string& word, uint8_t token);
    const std::vector<std::pair<std::string, uint8_t>>& words() const { return m_words; }
    const TSyntaxKeywords& index() const { return m_index; }

    bool operator==(const TKeywordDefinitions& o) const
    {
        return m_states == o.m_states && m_terminatorText == o.m_terminatorText && m_words == o.m_words
            && caseSensitive() == o.caseSensitive();
    }

private:
    Set256 m_states;
    std::string m_terminatorText;
    TSM_CharGroup m_terminator = TSM_CharGroup::any();
    std::vector<std::pair<std::string, uint8_t>> m_words;
    TSyntaxKeywords m_index;
};

} // namespace lrl
