#include "viewer/keymap/DefaultKeyMap.h"

#include "common/MemoryStream.h"
#include "viewer/keymap/EAmbigiousKeyPair.h"
#include "viewer/keymap/TEditorCommand.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

// The command a one- or two-key sequence runs in a fresh copy of the map, -1 when none.
int32_t commandOf(TShortCut first, TShortCut second = 0)
{
    TKeyboardActionContoller map = defaultKeyMap();
    TKeyFilterResult r = map.keyFilter(first);
    if (second != 0)
        r = map.keyFilter(second);
    return r.command;
}

} // namespace

TEST(DefaultKeyMap, BindsTheFortyEightCommands)
{
    const TKeyboardActionContoller& map = defaultKeyMap();
    ASSERT_EQ(map.commandNames().size(), 48u);
    EXPECT_EQ(map.commandName(caCOPY), "Copy to clipboard");
    EXPECT_EQ(map.commandName(caSETBOOKMARK0 + 7), "Set Bookmark 7");
    EXPECT_EQ(map.commandName(caSCROLLDOWN), "Scroll display down one line");
    EXPECT_EQ(map.keyStore().bindingCount(), 48u);

    EXPECT_EQ(commandOf(vk::Left), caLEFT);
    EXPECT_EQ(commandOf(vk::Next), caPAGEDOWN);
    EXPECT_EQ(commandOf(scCtrl | vk::End), caDOCEND);
    EXPECT_EQ(commandOf(scCtrl | 'C'), caCOPY);
    EXPECT_EQ(commandOf(vk::Insert), caINSTOGGLE);
    EXPECT_EQ(commandOf(scCtrl | 'K', '3'), caSETBOOKMARK0 + 3);
    EXPECT_EQ(commandOf(scCtrl | 'Q', '9'), caGOTOBOOKMARK0 + 9);
    EXPECT_EQ(commandOf(scCtrl | 'K', 'P'), caPRINTSEL);
    EXPECT_EQ(commandOf(scShift | scCtrl | 'Z'), caREDO);
    EXPECT_EQ(commandOf(scCtrl | vk::Back), caDELPREVWORD);
    EXPECT_EQ(commandOf(scCtrl | vk::Delete), caDELNEXTWORD);
    EXPECT_EQ(commandOf(scCtrl | vk::Up), caSCROLLUP);
    EXPECT_EQ(commandOf(scCtrl | vk::Down), caSCROLLDOWN);
    // Every command has exactly one binding.
    std::vector<int> count(48);
    for (int32_t node : map.keyStore().definedNodesInStoredOrder())
        ++count.at(static_cast<size_t>(map.keyStore().node(node).command));
    EXPECT_EQ(count, std::vector<int>(48, 1));
}

TEST(DefaultKeyMap, CtrlBackspaceAndCtrlDelComeFirst)
{
    auto bound = defaultKeyMap().keyStore().definedNodesInStoredOrder();
    ASSERT_GE(bound.size(), 3u);
    EXPECT_EQ(defaultKeyMap().keyStore().node(bound[0]).command, caDELPREVWORD);
    EXPECT_EQ(defaultKeyMap().keyStore().node(bound[1]).command, caDELNEXTWORD);
    EXPECT_EQ(defaultKeyMap().keyStore().node(bound[2]).command, caLEFT);
}

TEST(DefaultKeyMap, SurvivesItsStreamAndRefusesCtrlKAlone)
{
    MemoryStream s;
    defaultKeyMap().saveToStream(s);
    s.setPosition(0);
    TKeyboardActionContoller loaded;
    loaded.loadFromStream(s);
    EXPECT_TRUE(loaded == defaultKeyMap());

    TKeyboardActionContoller map = defaultKeyMap();
    try {
        map.addBinding(scCtrl | 'K', 0, caCOPY);
        FAIL();
    } catch (const EAmbigiousKeyPair& e) {
        EXPECT_EQ(e.message(), "Duplicate key sequence definition for\r\n\"Copy to clipboard\" and \"Indent selected block\"");
    }
}
