#include "scheme/TSyntaxKeywords.h"

#include <utility>

namespace lrl {

namespace {

    std::array<uint8_t, 256> makeFoldTable()
    {
        std::array<uint8_t, 256> t {};
        for (int c = 0; c < 256; ++c)
            t[c] = static_cast<uint8_t>(c);
        for (int c = 'A'; c <= 'Z'; ++c)
            t[c] = static_cast<uint8_t>(c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7)
                t[c] = static_cast<uint8_t>(c + 32);
        t[0x8A] = 0x9A;
        t[0x8C] = 0x9C;
        t[0x8E] = 0x9E;
        t[0x9F] = 0xFF;
        return t;
    }

} // namespace

TSyntaxKeywords::TSyntaxKeywords(bool caseSensitive)
    : m_caseSensitive(caseSensitive)
{
    m_root.fill(kNoNode);
}

const std::array<uint8_t, 256>& TSyntaxKeywords::foldTable()
{
    static const std::array<uint8_t, 256> table = makeFoldTable();
    return table;
}

void TSyntaxKeywords::setCaseSensitive(bool on)
{
    if (on == m_caseSensitive)
        return;
    m_caseSensitive = on;
    if (on)
        return;
    std::vector<std::pair<std::string, TSM_KeywordDefinition>> all;
    forEachDefinition([&](std::string_view w, const TSM_KeywordDefinition& d) { all.emplace_back(w, d); });
    clear();
    for (const auto& [w, d] : all)
        add(w, d);
}

std::string TSyntaxKeywords::folded(std::string_view word) const
{
    std::string w(word);
    if (!m_caseSensitive)
        for (char& c : w)
            c = static_cast<char>(fold(static_cast<uint8_t>(c)));
    return w;
}

int32_t TSyntaxKeywords::findOrAddChild(int32_t parent, uint8_t c)
{
    int32_t* link = parent == kNoNode ? &m_root[c] : &m_nodes[static_cast<size_t>(parent)].child;
    if (parent != kNoNode)
        while (*link != kNoNode && m_nodes[static_cast<size_t>(*link)].ch < c)
            link = &m_nodes[static_cast<size_t>(*link)].sibling;
    if (*link != kNoNode && m_nodes[static_cast<size_t>(*link)].ch == c)
        return *link;
    Node n;
    n.ch = c;
    n.sibling = parent == kNoNode ? kNoNode : *link;
    auto index = static_cast<int32_t>(m_nodes.size());
    // Linking first: push_back may move the node that link points into.
    *link = index;
    m_nodes.push_back(std::move(n));
    return index;
}

void TSyntaxKeywords::add(std::string_view word, const TSM_KeywordDefinition& definition)
{
    if (word.empty())
        return;
    std::string w = folded(word);
    int32_t node = kNoNode;
    for (char c : w)
        node = findOrAddChild(node, static_cast<uint8_t>(c));
    m_nodes[static_cast<size_t>(node)].definitions.push_back(definition);
    ++m_definitionCount;
    m_maxLength = std::max(m_maxLength, w.size());
}

int32_t TSyntaxKeywords::findNode(std::string_view word) const
{
    if (word.empty())
        return kNoNode;
    std::string w = folded(word);
    int32_t node = m_root[static_cast<uint8_t>(w[0])];
    for (size_t i = 1; i < w.size() && node != kNoNode; ++i)
        node = child(node, static_cast<uint8_t>(w[i]));
    return node;
}

const std::vector<TSM_KeywordDefinition>* TSyntaxKeywords::find(std::string_view word) const
{
    int32_t node = findNode(word);
    if (node == kNoNode || m_nodes[static_cast<size_t>(node)].definitions.empty())
        return nullptr;
    return &m_nodes[static_cast<size_t>(node)].definitions;
}

bool TSyntaxKeywords::hasDefinitionFor(std::string_view word, const Set256& states) const
{
    if (const auto* defs = find(word))
        for (const TSM_KeywordDefinition& d : *defs)
            if (d.states.intersects(states))
                return true;
    return false;
}

void TSyntaxKeywords::forEachDefinition(
    const std::function<void(std::string_view, const TSM_KeywordDefinition&)>& visit) const
{
    // Depth-first with an explicit stack of sibling cursors; words are at most a few hundred bytes.
    std::string word;
    std::vector<int32_t> stack;
    for (int c = 0; c < 256; ++c) {
        if (m_root[c] == kNoNode)
            continue;
        stack.assign(1, m_root[c]);
        word.clear();
        while (!stack.empty()) {
            int32_t n = stack.back();
            if (n == kNoNode) {
                stack.pop_back();
                if (!stack.empty()) {
                    word.pop_back();
                    stack.back() = m_nodes[static_cast<size_t>(stack.back())].sibling;
                }
                continue;
            }
            const Node& k = m_nodes[static_cast<size_t>(n)];
            word.push_back(static_cast<char>(k.ch));
            for (const TSM_KeywordDefinition& d : k.definitions)
                visit(word, d);
            stack.push_back(k.child);
        }
    }
}

void TSyntaxKeywords::clear()
{
    m_nodes.clear();
    m_root.fill(kNoNode);
    m_definitionCount = 0;
    m_maxLength = 0;
}

bool TSyntaxKeywords::operator==(const TSyntaxKeywords& o) const
{
    if (m_caseSensitive != o.m_caseSensitive || m_definitionCount != o.m_definitionCount)
        return false;
    std::vector<std::pair<std::string, TSM_KeywordDefinition>> a;
    std::vector<std::pair<std::string, TSM_KeywordDefinition>> b;
    forEachDefinition([&](std::string_view w, const TSM_KeywordDefinition& d) { a.emplace_back(w, d); });
    o.forEachDefinition([&](std::string_view w, const TSM_KeywordDefinition& d) { b.emplace_back(w, d); });
    return a == b;
}

} // namespace lrl
