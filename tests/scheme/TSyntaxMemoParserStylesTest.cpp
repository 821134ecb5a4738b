#include "SampleScheme.h"

#include "common/Exception.h"
#include "common/MemorySettingsStore.h"
#include "scheme/StyleString.h"
#include "scheme/TSyntaxMemoParser.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lrl;

namespace {

constexpr const char* kKey = "\\Software\\Corvane\\Listrel Delphi\\FormOps";
constexpr const char* kStyleName = "Highlighting - Object Pascal";
constexpr const char* kKeyName = "Key Assignments - Object Pascal";

class CountingViewer : public ParserClient {
public:
    void parserActivated(TSyntaxMemoParser&) override { ++activations; }
    void parserDetached(TSyntaxMemoParser&) override { }
    int activations = 0;
};

std::unique_ptr<TSyntaxMemoParser> configuredParser()
{
    auto p = std::make_unique<TSyntaxMemoParser>("SyntaxMemoParser1");
    p->table() = test::richSchemeTable();
    p->UseRegistry = true;
    p->RegistryKey = kKey;
    return p;
}

template <typename F> std::string errorOf(F&& f)
{
    try {
        f();
    } catch (const ESyntaxMemo& e) {
        return e.message();
    }
    return "no error";
}

} // namespace

TEST(TSyntaxMemoParserStyles, StylesAndKeysSurviveSaveAndLoad)
{
    auto source = configuredParser();
    // Each field's own round trip is the style string's business; here the way through the store, with
    // the key map and a negative colour.
    TSM_Settings& s = source->settings();
    s.gutterWidth = 40;
    s.font = { "DejaVu Sans Mono", 11, 238 };
    s.effects[7] = { TSM_Effect::Bold, 0x800000, TSM_Settings::clBtnFace, false, false, false, true };
    s.keys.clearBindings();
    s.keys.addBinding(scCtrl | 'Y', 0, 17);

    MemorySettingsStore store;
    source->SaveStyles(store);
    EXPECT_TRUE(store.readString("FormOps", kStyleName).has_value());
    EXPECT_TRUE(store.readBinary("FormOps", kKeyName).has_value());

    auto target = configuredParser();
    CountingViewer viewer;
    target->attachViewer(viewer);
    viewer.activations = 0; // attaching activates once
    EXPECT_TRUE(target->LoadStyles(store));
    EXPECT_TRUE(target->settings() == source->settings());
    EXPECT_EQ(viewer.activations, 1);
    target->detachViewer(viewer);
}

TEST(TSyntaxMemoParserStyles, MissingValueChangesNothingAndSaysNothing)
{
    auto p = configuredParser();
    CountingViewer viewer;
    p->attachViewer(viewer);
    viewer.activations = 0; // attaching activates once
    const TSM_Settings before = p->settings();
    MemorySettingsStore store;
    EXPECT_FALSE(p->LoadStyles(store));
    // Key assignments alone are not enough: the style value decides.
    store.writeBinary("FormOps", kKeyName, writeKeyAssignments(TSM_Settings {}));
    EXPECT_FALSE(p->LoadStyles(store));
    EXPECT_TRUE(p->settings() == before);
    EXPECT_EQ(viewer.activations, 0);
    EXPECT_TRUE(store.valueNames("FormOps") == std::vector<std::string> { kKeyName });
    p->detachViewer(viewer);
}

TEST(TSyntaxMemoParserStyles, RegistryInterfaceMustBeEnabled)
{
    MemorySettingsStore store;
    store.writeString("FormOps", kStyleName, "Farvel6:GWD#2#50#END#");
    auto p = configuredParser();
    p->UseRegistry = false;
    const std::string message = "Registry interface disabled in: SyntaxMemoParser1";
    EXPECT_EQ(errorOf([&] { p->SaveStyles(store); }), message);
    EXPECT_EQ(errorOf([&] { p->LoadStyles(store); }), message);
    p->UseRegistry = true;
    p->RegistryKey.clear();
    EXPECT_EQ(errorOf([&] { p->SaveStyles(store); }), message);
    EXPECT_EQ(errorOf([&] { p->LoadStyles(store); }), message);
    EXPECT_EQ(store.readString("FormOps", kStyleName), "Farvel6:GWD#2#50#END#");

    // An explicit key needs no registry set-up.
    EXPECT_TRUE(p->LoadStylesFromKey(store, "Software\\Corvane\\Listrel Delphi\\FormOps"));
    EXPECT_EQ(p->settings().gutterWidth, 50);
}

TEST(TSyntaxMemoParserStyles, DamagedValuesNameTheRegistryEntry)
{
    const std::string message = "Invalid data in registry entry \"\\Software\\Corvane\\Listrel "
                                "Delphi\\FormOps\\Highlighting - Object Pascal\"";
    auto good = configuredParser();
    std::vector<uint8_t> keys = writeKeyAssignments(good->settings());
    std::vector<uint8_t> cutKeys(keys.begin(), keys.end() - 2);

    struct Case {
        std::string style;
        std::vector<uint8_t> keys;
    };
    const Case cases[] = {
        { "Farvel0:GWD#2#50", keys },
        { "Farvel6:GWD#2#50FOS#1#x#END#", keys },
        { "Farvel6:GWD#2#50#END#", cutKeys },
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        store.writeString("FormOps", kStyleName, c.style);
        store.writeBinary("FormOps", kKeyName, c.keys);
        auto p = configuredParser();
        CountingViewer viewer;
        p->attachViewer(viewer);
        viewer.activations = 0; // attaching activates once
        EXPECT_EQ(errorOf([&] { p->LoadStyles(store); }), message) << c.style;
        // What was read before the fault stays, and the viewers show it.
        if (c.style.starts_with("Farvel6")) {
            EXPECT_EQ(p->settings().gutterWidth, 50);
        }
        EXPECT_EQ(viewer.activations, 1);
        p->detachViewer(viewer);
    }
}

TEST(TSyntaxMemoParserStyles, AppliedStyleStringReachesTheViewers)
{
    auto p = configuredParser();
    CountingViewer viewer;
    p->attachViewer(viewer);
    viewer.activations = 0; // attaching activates once
    p->applyStyles("Farvel6:GWD#2#44#END#");
    EXPECT_EQ(p->settings().gutterWidth, 44);
    EXPECT_EQ(errorOf([&] { p->applyStyles("Farvel"); }), kInvalidStyleString);
    EXPECT_EQ(viewer.activations, 2);
    p->detachViewer(viewer);
}

TEST(TSyntaxMemoParserStyles, AcceptedOptionsReachTheViewersAndAreSavedWhenTheRegistryIsSet)
{
    auto p = configuredParser();
    CountingViewer viewer;
    p->attachViewer(viewer);
    viewer.activations = 0; // attaching activates once
    p->settings().gutterWidth = 61;
    MemorySettingsStore store;
    p->UseRegistry = false;
    p->optionsAccepted(store);
    EXPECT_EQ(viewer.activations, 1);
    EXPECT_TRUE(store.valueNames("FormOps").empty());
    p->UseRegistry = true;
    p->optionsAccepted(store);
    EXPECT_EQ(viewer.activations, 2);
    EXPECT_NE(store.readString("FormOps", kStyleName).value_or("").find("GWD#2#61"), std::string::npos);
    p->detachViewer(viewer);
}
