#include "viewer/TTabStops.h"

#include "common/Exception.h"
#include "viewer/TTextStore.h"

#include "ViewerTestUtil.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

std::string tabColumnsError(const std::string& text)
{
    TTabStops tabs;
    return lrl::test::errorOf<ESyntaxMemo>([&] { tabs.setTabColumns(text); });
}

} // namespace

TEST(TTabStops, DefaultWidthRunsToTheNextMultiple)
{
    TTabStops tabs;
    EXPECT_EQ(tabs.nextTabColumn(0), 4);
    EXPECT_EQ(tabs.nextTabColumn(3), 4);
    EXPECT_EQ(tabs.nextTabColumn(4), 8);
    EXPECT_EQ(tabs.nextTabColumn(5), 8);
    tabs.setTabDefault(3);
    EXPECT_EQ(tabs.nextTabColumn(5), 6);
}

TEST(TTabStops, ExplicitColumnsComeFirstThenTheDefault)
{
    TTabStops tabs;
    tabs.setTabColumns("5 9");
    EXPECT_EQ(tabs.nextTabColumn(0), 4);
    EXPECT_EQ(tabs.nextTabColumn(4), 8);
    EXPECT_EQ(tabs.nextTabColumn(8), 12);
    EXPECT_EQ(tabs.tabColumns(), "5 9");
    tabs.setTabColumns(" 3;;7 ; 20 ");
    EXPECT_EQ(tabs.tabColumns(), "3 7 20");
    EXPECT_EQ(tabs.columnCount(), 3);
    EXPECT_EQ(tabs.columns()[3], -1);
    tabs.setTabColumns("");
    EXPECT_EQ(tabs.tabColumns(), "");
}

TEST(TTabStops, BadSettingsRaiseTheirMessagesAndKeepTheOldValue)
{
    EXPECT_EQ(tabColumnsError("9 5"), "Tab columns must be in order and unique");
    EXPECT_EQ(tabColumnsError("5 5"), "Tab columns must be in order and unique");
    EXPECT_EQ(tabColumnsError("1"), "Tab column must be > 1");
    EXPECT_EQ(tabColumnsError("0"), "Tab column must be > 1");
    EXPECT_EQ(tabColumnsError("5 x"), "Tab stop column value expected");
    EXPECT_EQ(tabColumnsError("5,9"), "Tab stop column value expected");
    EXPECT_EQ(tabColumnsError("-5"), "Tab stop column value expected");
    std::string many;
    for (int i = 2; i <= 34; ++i)
        many += std::to_string(i) + " ";
    EXPECT_EQ(tabColumnsError(many), "Too many tab stops - maximum of 32");
    many.resize(many.rfind("34"));
    EXPECT_EQ(tabColumnsError(many), "(none)");

    TTabStops tabs;
    tabs.setTabColumns("5");
    EXPECT_THROW(tabs.setTabColumns("7 6"), ESyntaxMemo);
    EXPECT_EQ(tabs.tabColumns(), "5");
    EXPECT_EQ(lrl::test::errorOf<ESyntaxMemo>([&] { tabs.setTabDefault(0); }),
        "=Illegal default tab stop value, must be > 0");
    EXPECT_THROW(tabs.setTabDefault(-4), ESyntaxMemo);
    EXPECT_EQ(tabs.tabDefault(), 4);
}

TEST(TTabStops, MapsCharactersToColumnsAndBack)
{
    TTextStore store;
    store.replace(0, 0, "\tab\tc\rxyz\r");
    const TLineNode& line = *store.first();
    TTabStops tabs;
    // Characters: TAB (0-3), a (4), b (5), TAB (6-7), c (8), CR.
    const int columns[] = { 0, 4, 5, 6, 8, 9, 9, 9 };
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(tabs.columnOfChar(line, k), columns[k]) << k;
    EXPECT_EQ(tabs.charAtColumn(line, 0), 0);
    EXPECT_EQ(tabs.charAtColumn(line, 2), 1); // inside the first TAB: after it
    EXPECT_EQ(tabs.charAtColumn(line, 4), 1);
    EXPECT_EQ(tabs.charAtColumn(line, 5), 2);
    EXPECT_EQ(tabs.charAtColumn(line, 7), 4);
    EXPECT_EQ(tabs.charAtColumn(line, 100), 5); // never past the CR

    // Without TABs the index is the column, stopping at the CR except on the last node.
    const TLineNode& last = *store.last();
    EXPECT_EQ(tabs.columnOfChar(last, 10), 4);
    EXPECT_EQ(tabs.charAtColumn(last, 10), 3);
    store.replace(store.charCount(), store.charCount(), "more");
    EXPECT_EQ(tabs.columnOfChar(*store.first()->next, 10), 3);
}
