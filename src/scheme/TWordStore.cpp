#include "scheme/TWordStore.h"

namespace lrl {

TWordStore::TWordStore() { m_index.fill(-1); }

int32_t TWordStore::childOf(int32_t node, uint8_t ch) const
{
    for (int32_t n = m_nodes[static_cast<size_t>(node)].child; n >= 0;
         n = m_nodes[static_cast<size_t>(n)].sibling)
        if (m_nodes[static_cast<size_t>(n)].ch == ch)
            return n;
    return -1;
}

int32_t TWordStore::nodeOf(std::string_view word) const
{
    if (word.empty())
        return -1;
    int32_t n = m_index[fold(static_cast<uint8_t>(word[0]))];
    for (size_t i = 1; n >= 0 && i < word.size(); ++i)
        n = childOf(n, fold(static_cast<uint8_t>(word[i])));
    return n;
}

void TWordStore::add(std::string_view word, int value, std::optional<std::string> text)
{
    if (word.empty())
        return;
    uint8_t first = fold(static_cast<uint8_t>(word[0]));
    int32_t n = m_index[first];
    if (n < 0) {
        n = static_cast<int32_t>(m_nodes.size());
        m_nodes.push_back({ first, -1, -1, std::nullopt });
        m_index[first] = n;
    }
    for (size_t i = 1; i < word.size(); ++i) {
        uint8_t ch = fold(static_cast<uint8_t>(word[i]));
        int32_t c = childOf(n, ch);
        if (c < 0) {
            c = static_cast<int32_t>(m_nodes.size());
            m_nodes.push_back({ ch, -1, m_nodes[static_cast<size_t>(n)].child, std::nullopt });
            m_nodes[static_cast<size_t>(n)].child = c;
        }
        n = c;
    }
    auto& slot = m_nodes[static_cast<size_t>(n)].word;
    if (!slot)
        ++m_count;
    slot = Word { value, std::move(text) };
}

const TWordStore::Word* TWordStore::find(std::string_view word) const
{
    int32_t n = nodeOf(word);
    if (n < 0 || !m_nodes[static_cast<size_t>(n)].word)
        return nullptr;
    return &*m_nodes[static_cast<size_t>(n)].word;
}

std::vector<TWordStore::Match> TWordStore::prefixesOf(std::string_view text) const
{
    std::vector<Match> out;
    if (text.empty())
        return out;
    int32_t n = m_index[fold(static_cast<uint8_t>(text[0]))];
    for (size_t i = 1; n >= 0; ++i) {
        if (const auto& w = m_nodes[static_cast<size_t>(n)].word)
            out.push_back({ i, &*w });
        if (i >= text.size())
            break;
        n = childOf(n, fold(static_cast<uint8_t>(text[i])));
    }
    return out;
}

} // namespace lrl
