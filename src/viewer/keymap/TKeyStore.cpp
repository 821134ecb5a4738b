#include "viewer/keymap/TKeyStore.h"

namespace lrl {

TKeyStore::AddResult TKeyStore::add(TShortCut first, TShortCut second, int32_t command, PrefixPlacement placement)
{
    // A second key is matched without modifiers; one that is nothing but modifiers is no key at all.
    second = static_cast<TShortCut>(second & ~scModifiers);
    int32_t node = find(kNoNode, first);
    if (node == kNoNode) {
        node = appendNode(kNoNode, first, second != 0 ? placement : PrefixPlacement::Append);
    } else if (m_nodes[node].children != kNoNode && second == 0) {
        return { false, m_nodes[m_nodes[node].children].command };
    }
    if (second != 0 && m_nodes[node].command == kNoCommand) {
        int32_t child = find(node, second);
        node = child != kNoNode ? child : appendNode(node, second, PrefixPlacement::Append);
    }
    KeyNode& target = m_nodes[node];
    if (target.command != kNoCommand)
        return { false, target.command };
    target.command = command;
    target.defined = true;
    return {};
}

int32_t TKeyStore::appendNode(int32_t parent, TShortCut key, PrefixPlacement placement)
{
    int32_t index = static_cast<int32_t>(m_nodes.size());
    KeyNode n;
    n.key = key;
    n.parent = parent;
    m_nodes.push_back(n);
    int32_t& head = parent == kNoNode ? m_head : m_nodes[parent].children;
    int32_t& tail = parent == kNoNode ? m_tail : m_nodes[parent].lastChild;
    if (head == kNoNode) {
        head = tail = index;
    } else if (placement == PrefixPlacement::Front) {
        m_nodes[index].next = head;
        head = index;
    } else {
        m_nodes[tail].next = index;
        tail = index;
    }
    m_index.emplace(indexKey(parent, key), index);
    return index;
}

void TKeyStore::clear()
{
    m_nodes.clear();
    m_index.clear();
    m_head = kNoNode;
    m_tail = kNoNode;
    m_current = kNoNode;
    m_lastCommand = kNoCommand;
}

size_t TKeyStore::bindingCount() const
{
    size_t n = 0;
    for (const KeyNode& k : m_nodes)
        n += k.defined ? 1 : 0;
    return n;
}

int32_t TKeyStore::find(int32_t parent, TShortCut key) const
{
    auto it = m_index.find(indexKey(parent, key));
    return it == m_index.end() ? kNoNode : it->second;
}

std::vector<int32_t> TKeyStore::definedNodesInStoredOrder() const
{
    std::vector<int32_t> out;
    out.reserve(m_nodes.size());
    collectDefined(m_head, out);
    return out;
}

void TKeyStore::collectDefined(int32_t head, std::vector<int32_t>& out) const
{
    std::vector<int32_t> list;
    for (int32_t n = head; n != kNoNode; n = m_nodes[n].next) {
        list.push_back(n);
        if (m_nodes[n].defined)
            out.push_back(n);
    }
    // Second keys have no children of their own, so this recursion is at most two levels deep.
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (m_nodes[*it].children != kNoNode)
            collectDefined(m_nodes[*it].children, out);
}

} // namespace lrl
