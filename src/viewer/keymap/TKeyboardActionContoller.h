#pragma once

#include "common/Persistent.h"
#include "viewer/keymap/TKeyStore.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lrl {

class Stream;

// What the key filter did with one keystroke.
struct TKeyFilterResult {
    bool consumed = false; // the key started, continued or ended a bound sequence
    int32_t command = TKeyStore::kNoCommand; // the recognised command to run (after OnCommandRecognised)
    bool extend = false; // Shift was taken off an extendable key: the command extends the selection
};

// A keyboard map: the names of the editor commands and the key bindings that trigger them, with the
// stream format in which a compiled scheme and the stored key assignments keep them:
//   32-bit name count; per name: 32-bit command number, short string name;
//   32-bit binding count; per binding: 16-bit first key, 16-bit second key (0 if none), 32-bit command,
//   the bindings in the key store's stored order.
//
// The key filter and the command dispatcher of the viewer build on this class.
class TKeyboardActionContoller : public Persistent {
public:
    // Called with the command number of a recognised key sequence before the command runs; the handler
    // may change the number.
    using CommandRecognisedEvent = std::function<void(TKeyboardActionContoller& sender, int32_t& actionCode)>;

    TKeyboardActionContoller();
    TKeyboardActionContoller(const TKeyboardActionContoller& other);
    TKeyboardActionContoller& operator=(const TKeyboardActionContoller& other);

    const char* className() const override { return "TKeyboardActionContoller"; }

    // Binds first (and second, when not 0) to command. A clash raises EAmbigiousKeyPair naming the new
    // command and the one already bound; the bindings made before stay.
    void addBinding(TShortCut first, TShortCut second, int32_t command);

    // Replaces any name of that number (keeping its place in the list), or adds it at the end.
    void setCommandName(int32_t command, const std::string& name);
    // The command's name, or empty.
    std::string commandName(int32_t command) const;
    const std::vector<std::pair<int32_t, std::string>>& commandNames() const { return m_names; }

    // Drops the bindings (and resets the typing state) but keeps the names.
    void clearBindings();
    // Drops the bindings and the names.
    void clear();

    // Takes over the names and bindings of source by writing it to a memory stream and reading it back;
    // a source that is no keyboard map raises ESyntaxMemo "Cannot assign a %s to a %s".
    void assign(const Persistent& source);

    void saveToStream(Stream& stream) const;
    // Clears the map, then reads the stream format; a clash between bindings raises EAmbigiousKeyPair,
    // a short or corrupt stream EReadError.
    void loadFromStream(Stream& stream);

    // The key filter, called for every key press with the virtual key code and the modifier bits. Shift
    // on a Shift-extendable key is taken off and asks the command to extend the selection. Inside a
    // two-key sequence the key is matched without modifiers. A key that is not bound is not consumed; one
    // that does not continue a started sequence ends it and is consumed without a command; a key that starts a sequence is consumed and waits
    // for the next; a key that ends one is consumed and answers its command, OnCommandRecognised having
    // seen (and possibly changed) it. The caller runs the command.
    TKeyFilterResult keyFilter(TShortCut key);

    // Backspace, PgUp, PgDn, End, Home and the four arrow keys: with Shift they run their command with
    // the selection extended instead of being looked up with Shift.
    static bool isShiftExtendable(TShortCut key);

    TKeyStore& keyStore() { return m_store; }
    const TKeyStore& keyStore() const { return m_store; }

    CommandRecognisedEvent OnCommandRecognised;

    bool operator==(const TKeyboardActionContoller& other) const;

private:
    void addLoadedBinding(TShortCut first, TShortCut second, int32_t command);
    [[noreturn]] void raiseClash(int32_t newCommand, int32_t oldCommand) const;

    TKeyStore m_store;
    std::vector<std::pair<int32_t, std::string>> m_names;
};

} // namespace lrl
