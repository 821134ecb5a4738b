#include "viewer/keymap/TKeyboardActionContoller.h"

#include "common/Exception.h"
#include "common/Format.h"
#include "common/MemoryStream.h"
#include "common/StreamIO.h"
#include "viewer/keymap/EAmbigiousKeyPair.h"

namespace lrl {

namespace {
    constexpr size_t kMinNameBytes = 4 + 1;
    constexpr size_t kBindingBytes = 2 + 2 + 4;
}

TKeyboardActionContoller::TKeyboardActionContoller()
    : m_store(this)
{
}

TKeyboardActionContoller::TKeyboardActionContoller(const TKeyboardActionContoller& other)
    : Persistent(other)
    , OnCommandRecognised(other.OnCommandRecognised)
    , m_store(other.m_store)
    , m_names(other.m_names)
{
    m_store.setOwner(this);
}

TKeyboardActionContoller& TKeyboardActionContoller::operator=(const TKeyboardActionContoller& other)
{
    if (this != &other) {
        OnCommandRecognised = other.OnCommandRecognised;
        m_store = other.m_store;
        m_store.setOwner(this);
        m_names = other.m_names;
    }
    return *this;
}

void TKeyboardActionContoller::addBinding(TShortCut first, TShortCut second, int32_t command)
{
    TKeyStore::AddResult r = m_store.add(first, second, command);
    if (!r.added)
        raiseClash(command, r.conflictingCommand);
}

void TKeyboardActionContoller::addLoadedBinding(TShortCut first, TShortCut second, int32_t command)
{
    // The stored order lists the second-key groups from the last first key to the first; putting each
    // new first key at the front rebuilds the list so that saving again reproduces the same bytes.
    TKeyStore::AddResult r = m_store.add(first, second, command, TKeyStore::PrefixPlacement::Front);
    if (!r.added)
        raiseClash(command, r.conflictingCommand);
}

void TKeyboardActionContoller::raiseClash(int32_t newCommand, int32_t oldCommand) const
{
    throw EAmbigiousKeyPair(format("Duplicate key sequence definition for\r\n\"%s\" and \"%s\"",
        commandName(newCommand).c_str(), commandName(oldCommand).c_str()));
}

void TKeyboardActionContoller::setCommandName(int32_t command, const std::string& name)
{
    for (auto& [number, text] : m_names)
        if (number == command) {
            text = name;
            return;
        }
    m_names.emplace_back(command, name);
}

std::string TKeyboardActionContoller::commandName(int32_t command) const
{
    for (const auto& [number, text] : m_names)
        if (number == command)
            return text;
    return {};
}

void TKeyboardActionContoller::clearBindings()
{
    m_store.clear();
}

void TKeyboardActionContoller::clear()
{
    m_store.clear();
    m_names.clear();
}

void TKeyboardActionContoller::assign(const Persistent& source)
{
    auto* other = dynamic_cast<const TKeyboardActionContoller*>(&source);
    if (!other)
        throw ESyntaxMemo(format("Cannot assign a %s to a %s", source.className(), className()));
    if (other == this)
        return;
    MemoryStream buffer;
    other->saveToStream(buffer);
    buffer.setPosition(0);
    loadFromStream(buffer);
}

void TKeyboardActionContoller::saveToStream(Stream& stream) const
{
    writeLE<int32_t>(stream, static_cast<int32_t>(m_names.size()));
    for (const auto& [number, text] : m_names) {
        writeLE<int32_t>(stream, number);
        writeShortString(stream, text);
    }
    std::vector<int32_t> bound = m_store.definedNodesInStoredOrder();
    writeLE<int32_t>(stream, static_cast<int32_t>(bound.size()));
    for (int32_t index : bound) {
        const TKeyStore::KeyNode& n = m_store.node(index);
        bool second = n.parent != TKeyStore::kNoNode;
        writeLE<uint16_t>(stream, second ? m_store.node(n.parent).key : n.key);
        writeLE<uint16_t>(stream, second ? n.key : 0);
        writeLE<int32_t>(stream, n.command);
    }
}

void TKeyboardActionContoller::loadFromStream(Stream& stream)
{
    clear();
    int32_t names = readCount(stream, kMinNameBytes);
    for (int32_t i = 0; i < names; ++i) {
        int32_t number = readLE<int32_t>(stream);
        setCommandName(number, readShortString(stream));
    }
    int32_t bindings = readCount(stream, kBindingBytes);
    for (int32_t i = 0; i < bindings; ++i) {
        TShortCut first = readLE<uint16_t>(stream);
        TShortCut second = readLE<uint16_t>(stream);
        addLoadedBinding(first, second, readLE<int32_t>(stream));
    }
}

bool TKeyboardActionContoller::isShiftExtendable(TShortCut key)
{
    switch (key & 0xFF) {
    case 8: // Backspace
    case 33: // PgUp
    case 34: // PgDn
    case 35: // End
    case 36: // Home
    case 37: // Left
    case 38: // Up
    case 39: // Right
    case 40: // Down
        return true;
    default:
        return false;
    }
}

TKeyFilterResult TKeyboardActionContoller::keyFilter(TShortCut key)
{
    TKeyFilterResult result;
    if ((key & scShift) && isShiftExtendable(key)) {
        key = static_cast<TShortCut>(key & ~scShift);
        result.extend = true;
    }
    int32_t list = m_store.currentList();
    if (list != TKeyStore::kNoNode)
        key = static_cast<TShortCut>(key & ~scModifiers);
    int32_t node = (key & 0xFF) != 0 ? m_store.find(list, key) : TKeyStore::kNoNode;
    if (node == TKeyStore::kNoNode) {
        m_store.resetTyping();
        // A key that does not continue a started sequence ends it and does nothing else; it must not
        // reach the window, which would scroll on an arrow or a page key.
        TKeyFilterResult ended;
        ended.consumed = list != TKeyStore::kNoNode;
        return ended;
    }
    result.consumed = true;
    const TKeyStore::KeyNode& found = m_store.node(node);
    if (found.children != TKeyStore::kNoNode) {
        m_store.setCurrentList(node);
        result.extend = false;
        return result;
    }
    m_store.resetTyping();
    int32_t command = found.command;
    m_store.setLastCommand(command);
    if (OnCommandRecognised)
        OnCommandRecognised(*this, command);
    result.command = command;
    return result;
}

bool TKeyboardActionContoller::operator==(const TKeyboardActionContoller& other) const
{
    MemoryStream a;
    MemoryStream b;
    saveToStream(a);
    other.saveToStream(b);
    return a.bytes() == b.bytes();
}

} // namespace lrl
