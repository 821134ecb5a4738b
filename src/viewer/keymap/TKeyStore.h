#pragma once

#include "viewer/keymap/ShortCut.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lrl {

class TKeyboardActionContoller;

// The bindings of a keyboard map: a tree of one- and two-keystroke sequences, each ending in a command
// number. The top-level list holds first keys; a first key that starts two-key sequences has the list
// of its second keys as children and carries no command itself.
//
// Nodes live in one array and refer to each other by index (kNoNode for none), so the store copies as a
// value, frees without recursion, and the key filter walks it without allocating.
class TKeyStore {
public:
    static constexpr int32_t kNoNode = -1;
    static constexpr int32_t kNoCommand = -1;

    struct KeyNode {
        TShortCut key = 0;
        int32_t next = kNoNode; // next alternative in the same list
        int32_t parent = kNoNode; // for a second key: the node of the first key
        int32_t children = kNoNode; // head of the list of second keys
        bool defined = false; // a binding ends here
        int32_t command = kNoCommand;
        int32_t lastChild = kNoNode; // tail of the children list, so that appending is cheap
    };

    // Where a first key created for a two-key sequence goes in the top-level list.
    enum class PrefixPlacement { Append, Front };

    // The outcome of add(): on a conflict, the command that already holds the sequence (or, for a first
    // key that starts sequences, the command of its first second key).
    struct AddResult {
        bool added = true;
        int32_t conflictingCommand = kNoCommand;
    };

    explicit TKeyStore(TKeyboardActionContoller* owner = nullptr)
        : m_owner(owner)
    {
    }

    // Binds first (then second, when not 0; its modifiers are dropped, and a second key of modifiers
    // alone counts as none) to command. Adds nothing and
    // reports the conflict when the sequence, or a prefix of it, or a longer sequence starting with it,
    // is already bound.
    AddResult add(TShortCut first, TShortCut second, int32_t command,
        PrefixPlacement placement = PrefixPlacement::Append);

    void clear();

    int32_t topLevel() const { return m_head; }
    const KeyNode& node(int32_t index) const { return m_nodes[static_cast<size_t>(index)]; }
    size_t nodeCount() const { return m_nodes.size(); }
    size_t bindingCount() const;

    // The node for key in the list whose parent is parent (kNoNode: the top-level list), or kNoNode.
    int32_t find(int32_t parent, TShortCut key) const;

    // The bound sequences in the stored order: the defined nodes of a list in list order, then, for
    // each of its nodes from the last to the first, the same for that node's children.
    std::vector<int32_t> definedNodesInStoredOrder() const;

    // Typing state of the key filter: the list being matched (kNoNode while idle) and the command of
    // the last recognised sequence.
    int32_t currentList() const { return m_current; }
    void setCurrentList(int32_t parent) { m_current = parent; }
    int32_t lastCommand() const { return m_lastCommand; }
    void setLastCommand(int32_t command) { m_lastCommand = command; }
    void resetTyping() { m_current = kNoNode; }

    TKeyboardActionContoller* owner() const { return m_owner; }
    void setOwner(TKeyboardActionContoller* owner) { m_owner = owner; }

private:
    static uint32_t indexKey(int32_t parent, TShortCut key)
    {
        return (static_cast<uint32_t>(parent + 1) << 16) | key;
    }
    int32_t appendNode(int32_t parent, TShortCut key, PrefixPlacement placement);
    void collectDefined(int32_t head, std::vector<int32_t>& out) const;

    std::vector<KeyNode> m_nodes;
    std::unordered_map<uint32_t, int32_t> m_index; // (parent, key) -> node
    int32_t m_head = kNoNode;
    int32_t m_tail = kNoNode;
    int32_t m_current = kNoNode;
    int32_t m_lastCommand = kNoCommand;
    TKeyboardActionContoller* m_owner = nullptr;
};

} // namespace lrl
