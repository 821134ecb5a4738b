#include "common/Exception.h"
#include "common/MemoryStream.h"
#include "common/StreamIO.h"
#include "viewer/keymap/EAmbigiousKeyPair.h"
#include "viewer/keymap/TKeyboardActionContoller.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

constexpr TShortCut kCtrlK = scCtrl | 'K';
constexpr TShortCut kCtrlQ = scCtrl | 'Q';
constexpr TShortCut kLeft = 37;

// A map in the shape of the viewer's default one: single keys around two groups of two-key sequences.
TKeyboardActionContoller sampleMap()
{
    TKeyboardActionContoller map;
    map.setCommandName(0, "Cursor left");
    map.setCommandName(17, "Indent selected block");
    map.setCommandName(18, "Un-indent selected block");
    map.setCommandName(30, "Goto Bookmark 0");
    map.setCommandName(43, "Delete previous word");
    map.addBinding(scCtrl | 8, 0, 43);
    map.addBinding(kLeft, 0, 0);
    map.addBinding(kCtrlK, 'I', 17);
    map.addBinding(kCtrlK, 'U', 18);
    map.addBinding(kCtrlQ, '0', 30);
    map.addBinding(scShift | scCtrl | 'Z', 0, 42);
    return map;
}

std::vector<uint8_t> saved(const TKeyboardActionContoller& map)
{
    MemoryStream s;
    map.saveToStream(s);
    return s.bytes();
}

struct Binding {
    uint16_t first;
    uint16_t second;
    int32_t command;
    bool operator==(const Binding&) const = default;
};

std::vector<Binding> storedBindings(const std::vector<uint8_t>& bytes)
{
    MemoryStream s(bytes);
    int32_t names = readLE<int32_t>(s);
    for (int32_t i = 0; i < names; ++i) {
        readLE<int32_t>(s);
        readShortString(s);
    }
    std::vector<Binding> out(static_cast<size_t>(readLE<int32_t>(s)));
    for (Binding& b : out) {
        b.first = readLE<uint16_t>(s);
        b.second = readLE<uint16_t>(s);
        b.command = readLE<int32_t>(s);
    }
    return out;
}

std::string clashMessage(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EAmbigiousKeyPair& e) {
        return e.message();
    }
    return "no clash";
}

} // namespace

TEST(TKeyboardActionContoller, StoresSingleKeysThenSecondKeyGroupsFromTheLastFirstKey)
{
    std::vector<Binding> expected {
        { scCtrl | 8, 0, 43 },
        { kLeft, 0, 0 },
        { scShift | scCtrl | 'Z', 0, 42 },
        { kCtrlQ, '0', 30 },
        { kCtrlK, 'I', 17 },
        { kCtrlK, 'U', 18 },
    };
    EXPECT_EQ(storedBindings(saved(sampleMap())), expected);
}

TEST(TKeyboardActionContoller, SaveLoadSaveIsByteIdentical)
{
    std::vector<uint8_t> first = saved(sampleMap());
    TKeyboardActionContoller loaded;
    MemoryStream in(first);
    loaded.loadFromStream(in);
    EXPECT_EQ(saved(loaded), first);
    EXPECT_EQ(loaded.commandName(17), "Indent selected block");

    TKeyboardActionContoller again;
    MemoryStream in2(saved(loaded));
    again.loadFromStream(in2);
    EXPECT_EQ(saved(again), first);
}

TEST(TKeyboardActionContoller, ClashesNameTheNewCommandFirst)
{
    TKeyboardActionContoller map = sampleMap();
    EXPECT_EQ(clashMessage([&] { map.addBinding(kCtrlK, 0, 0); }),
        "Duplicate key sequence definition for\r\n\"Cursor left\" and \"Indent selected block\"");
    EXPECT_EQ(clashMessage([&] { map.addBinding(kLeft, 0, 17); }),
        "Duplicate key sequence definition for\r\n\"Indent selected block\" and \"Cursor left\"");
    EXPECT_EQ(clashMessage([&] { map.addBinding(kLeft, 'X', 30); }),
        "Duplicate key sequence definition for\r\n\"Goto Bookmark 0\" and \"Cursor left\"");
    EXPECT_EQ(clashMessage([&] { map.addBinding(kCtrlK, scShift | 'I', 43); }),
        "Duplicate key sequence definition for\r\n\"Delete previous word\" and \"Indent selected block\"");
    // The failed attempts left the map as it was.
    EXPECT_EQ(saved(map), saved(sampleMap()));
}

TEST(TKeyboardActionContoller, SecondKeyIsStoredWithoutModifiers)
{
    TKeyboardActionContoller map;
    map.addBinding(kCtrlK, scShift | '3', 23);
    int32_t first = map.keyStore().find(TKeyStore::kNoNode, kCtrlK);
    ASSERT_NE(first, TKeyStore::kNoNode);
    int32_t second = map.keyStore().find(first, '3');
    ASSERT_NE(second, TKeyStore::kNoNode);
    EXPECT_EQ(map.keyStore().node(second).command, 23);
    EXPECT_EQ(map.keyStore().node(first).command, TKeyStore::kNoCommand);

    // A second key of modifiers alone is no key: the binding is a one-key binding and stays so when
    // stored and read back.
    map.addBinding(kLeft, scShift, 0);
    EXPECT_EQ(storedBindings(saved(map)).front(), (Binding { kLeft, 0, 0 }));
}

TEST(TKeyboardActionContoller, SetCommandNameReplacesInPlace)
{
    TKeyboardActionContoller map;
    map.setCommandName(5, "a");
    map.setCommandName(6, "b");
    map.setCommandName(5, "c");
    ASSERT_EQ(map.commandNames().size(), 2u);
    EXPECT_EQ(map.commandNames()[0].second, "c");
    EXPECT_EQ(map.commandName(7), "");
}

TEST(TKeyboardActionContoller, AssignCopiesThroughTheStreamAndRejectsOtherClasses)
{
    TKeyboardActionContoller copy;
    copy.addBinding(1, 0, 1);
    copy.assign(sampleMap());
    EXPECT_EQ(saved(copy), saved(sampleMap()));

    struct Other : Persistent {
        const char* className() const override { return "TOther"; }
    } other;
    try {
        copy.assign(other);
        FAIL();
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.message(), "Cannot assign a TOther to a TKeyboardActionContoller");
    }
}

TEST(TKeyboardActionContoller, CorruptStreamsFailWithReadErrors)
{
    std::vector<uint8_t> good = saved(sampleMap());
    for (size_t cut = 0; cut < good.size(); ++cut) {
        TKeyboardActionContoller map;
        MemoryStream in(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(cut)));
        EXPECT_THROW(map.loadFromStream(in), EReadError) << "cut at " << cut;
    }
    // Counts that the rest of the stream cannot hold fail before anything is read.
    for (int32_t count : { -1, 0x7FFFFFFF }) {
        MemoryStream in;
        writeLE<int32_t>(in, count);
        in.setPosition(0);
        TKeyboardActionContoller map;
        EXPECT_THROW(map.loadFromStream(in), EReadError);
    }
}

TEST(TKeyboardActionContoller, LoadedClashRaisesAmbiguity)
{
    MemoryStream in;
    writeLE<int32_t>(in, 0);
    writeLE<int32_t>(in, 2);
    for (int i = 0; i < 2; ++i) {
        writeLE<uint16_t>(in, kLeft);
        writeLE<uint16_t>(in, 0);
        writeLE<int32_t>(in, i);
    }
    in.setPosition(0);
    TKeyboardActionContoller map;
    EXPECT_THROW(map.loadFromStream(in), EAmbigiousKeyPair);
}

// --- The key filter

namespace {

struct Filtered {
    bool consumed;
    int32_t command;
    bool extend;
    bool operator==(const Filtered&) const = default;
};

Filtered filter(TKeyboardActionContoller& map, TShortCut key)
{
    TKeyFilterResult r = map.keyFilter(key);
    return { r.consumed, r.command, r.extend };
}

constexpr Filtered kIgnored { false, -1, false };
constexpr Filtered kWaiting { true, -1, false };

} // namespace

TEST(TKeyboardActionContoller, KeyFilterRunsOneAndTwoKeySequences)
{
    TKeyboardActionContoller map = sampleMap();
    map.addBinding(kCtrlK, '3', 23);
    EXPECT_EQ(filter(map, kLeft), (Filtered { true, 0, false }));
    EXPECT_EQ(filter(map, kCtrlK), kWaiting);
    EXPECT_EQ(filter(map, 'I'), (Filtered { true, 17, false }));
    // The second key matches without its modifiers.
    EXPECT_EQ(filter(map, kCtrlK), kWaiting);
    EXPECT_EQ(filter(map, scShift | '3'), (Filtered { true, 23, false }));
    EXPECT_EQ(filter(map, kCtrlK), kWaiting);
    EXPECT_EQ(filter(map, scCtrl | 'U'), (Filtered { true, 18, false }));
    EXPECT_EQ(map.keyStore().lastCommand(), 18);
}

// A key that does not continue a started sequence ends it and does nothing: it is consumed, so that the
// window does not act on it either (an arrow or a page key would scroll).
TEST(TKeyboardActionContoller, KeyThatDoesNotContinueASequenceEndsItAndDoesNothing)
{
    constexpr Filtered kSwallowed { true, -1, false };
    TKeyboardActionContoller map = sampleMap();
    EXPECT_EQ(filter(map, kCtrlK), kWaiting);
    EXPECT_EQ(filter(map, 'X'), kSwallowed);
    // Idle again: I alone is no binding, and Left works as a first key.
    EXPECT_EQ(filter(map, 'I'), kIgnored);
    EXPECT_EQ(filter(map, kCtrlK), kWaiting);
    EXPECT_EQ(filter(map, kLeft), kSwallowed);
    EXPECT_EQ(filter(map, kLeft), (Filtered { true, 0, false }));
    EXPECT_EQ(filter(map, kCtrlK), kWaiting);
    EXPECT_EQ(filter(map, scShift | kLeft), kSwallowed);
    EXPECT_EQ(filter(map, 0), kIgnored);
}

TEST(TKeyboardActionContoller, ShiftOnExtendableKeysExtendsAndIsPartOfOtherBindings)
{
    TKeyboardActionContoller map = sampleMap();
    map.addBinding(scCtrl | kLeft, 0, 8);
    EXPECT_EQ(filter(map, scShift | kLeft), (Filtered { true, 0, true }));
    EXPECT_EQ(filter(map, scShift | scCtrl | kLeft), (Filtered { true, 8, true }));
    EXPECT_EQ(filter(map, scShift | scCtrl | 8), (Filtered { true, 43, true }));
    // Z is not extendable: Shift+Ctrl+Z is a binding of its own.
    EXPECT_EQ(filter(map, scShift | scCtrl | 'Z'), (Filtered { true, 42, false }));
    EXPECT_EQ(filter(map, scCtrl | 'Z'), kIgnored);
    for (TShortCut key = 1; key < 256; ++key) {
        bool extendable = key == 8 || (key >= 33 && key <= 40);
        EXPECT_EQ(TKeyboardActionContoller::isShiftExtendable(key), extendable) << key;
    }
}

TEST(TKeyboardActionContoller, CommandRecognisedMayChangeTheCommand)
{
    TKeyboardActionContoller map = sampleMap();
    std::vector<int32_t> seen;
    map.OnCommandRecognised = [&](TKeyboardActionContoller&, int32_t& code) {
        seen.push_back(code);
        code = 99;
    };
    EXPECT_EQ(filter(map, kCtrlK), kWaiting);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(filter(map, 'U'), (Filtered { true, 99, false }));
    EXPECT_EQ(seen, std::vector<int32_t> { 18 });
}

TEST(TKeyboardActionContoller, LoadingResetsAHalfTypedSequence)
{
    TKeyboardActionContoller map = sampleMap();
    EXPECT_EQ(filter(map, kCtrlK), kWaiting);
    MemoryStream in(saved(sampleMap()));
    map.loadFromStream(in);
    EXPECT_EQ(filter(map, 'I'), kIgnored);
}
