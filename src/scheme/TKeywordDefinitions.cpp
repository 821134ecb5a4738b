#include "scheme/TKeywordDefinitions.h"

#include "scheme/CharSpecifier.h"

namespace lrl {

void TKeywordDefinitions::setTerminatorText(const std::string& text)
{
    std::vector<TSM_CharGroup> parts = parseCharSpecifiers(text);
    if (parts.empty()) {
        m_terminator = TSM_CharGroup::any();
    } else if (parts.size() == 1) {
        m_terminator = parts.front();
    } else {
        Set256 members;
        for (const TSM_CharGroup& g : parts)
            members |= g.members();
        m_terminator = TSM_CharGroup(members);
    }
    m_terminatorText = text;
}

void TKeywordDefinitions::addWord(const std::string& word, uint8_t token)
{
    m_words.emplace_back(word, token);
    m_index.add(word, TSM_KeywordDefinition { Set256::all(), 0, token });
}

} // namespace lrl
