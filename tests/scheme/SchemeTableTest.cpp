#include "common/Exception.h"
#include "scheme/SchemeTable.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(TSM_CharGroupManager, EqualClassesAreStoredOnce)
{
    TSM_CharGroupManager pool;
    EXPECT_EQ(pool.size(), 1u);
    EXPECT_TRUE(pool[TSM_CharGroupManager::kEmptyClass].members().empty());
    uint16_t digits = pool.findOrAdd(TSM_CharGroup(Set256::of({ '0', '1' })));
    EXPECT_EQ(pool.findOrAdd(TSM_CharGroup(Set256::of({ '1', '0' }))), digits);
    uint16_t notDigits = pool.findOrAdd(TSM_CharGroup(Set256::of({ '0', '1' }), true));
    EXPECT_NE(notDigits, digits);
    EXPECT_EQ(pool.find(TSM_CharGroup(Set256::of({ '2' }))), -1);
    pool.clear();
    EXPECT_EQ(pool.size(), 1u);
}

TEST(TSM_CharGroupManager, PoolIsLimitedToSixteenBitIndexes)
{
    TSM_CharGroupManager pool;
    for (int i = 1; i < 65536; ++i) {
        Set256 s;
        for (int b = 0; b < 16; ++b)
            if ((i >> b) & 1)
                s.insert(b);
        pool.findOrAdd(TSM_CharGroup(s));
    }
    EXPECT_EQ(pool.size(), 65536u);
    EXPECT_EQ(pool.findOrAdd(TSM_CharGroup(Set256::of({ 3 }))), 8);
    try {
        pool.findOrAdd(TSM_CharGroup(Set256::of({ 200 })));
        FAIL();
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.message(), "Too many character classes");
    }
}

TEST(SchemeTable, ClearedTableHasDefaultsAndNoEntries)
{
    SchemeTable t;
    EXPECT_EQ(t.startStates(), Set256::of({ 0 }));
    EXPECT_EQ(t.anchorSet(), Set256::of({ 0 }));
    EXPECT_TRUE(t.boundStates().empty());
    EXPECT_FALSE(t.hasStateTables());
    EXPECT_EQ(t.handler(1), nullptr);
    EXPECT_EQ(t.tokenValue(1), nullptr);
    EXPECT_EQ(t.settings().tabColumn(0), -1);
    EXPECT_EQ(t.settings().tabColumn(31), -1);
    EXPECT_EQ(t.settings().wrapOverride, ">|:");
}

TEST(SchemeTable, CopiesAreDeep)
{
    SchemeTable a;
    TSM_TokenRecord r;
    r.token = 4;
    a.stateTableOrAdd(3).set('x', r);
    SchemeTable b(a);
    EXPECT_TRUE(b == a);
    b.stateTable(3)->remove('x');
    ASSERT_NE(a.stateTable(3)->entry('x'), nullptr);
    EXPECT_FALSE(b == a);
    a = b;
    EXPECT_EQ(a.stateTable(3)->entry('x'), nullptr);
    EXPECT_EQ(a.statesWithTables(), Set256::of({ 3 }));
}

TEST(SchemeTable, TokenValueRecordsAndContextStates)
{
    SchemeTable t;
    TSM_TokenValueRecord& r = t.tokenValueOrAdd(20, Set256::of({ 0 }));
    r.valid.insert(1);
    EXPECT_EQ(t.tokenValueOrAdd(20, Set256::of({ 7 })).valid, Set256::of({ 0, 1 }));
    r.exit.insert(1);
    r.updateUnchanged();
    EXPECT_FALSE(t.tokenValue(20)->unchanged);

    t.startStates() = Set256::of({ 0, 3 });
    t.setContextStates(8, Set256::of({ 2 }));
    t.fillEmptyContextStates();
    EXPECT_EQ(t.contextStates(8), Set256::of({ 2 }));
    EXPECT_EQ(t.contextStates(9), Set256::of({ 0, 3 }));
}

TEST(TSM_Settings, TabColumnsAreLittleEndianSlots)
{
    TSM_Settings s;
    s.setTabColumn(1, 0x01020304);
    EXPECT_EQ(s.tabColumns[4], 0x04);
    EXPECT_EQ(s.tabColumns[7], 0x01);
    EXPECT_EQ(s.tabColumn(1), 0x01020304);
    EXPECT_EQ(s.editableStyleCount(), 0);
    s.editableStyles[2].name = "Comment";
    EXPECT_EQ(s.editableStyleCount(), 3);
    EXPECT_EQ(s.firstFreeEditableStyle(), 0);
}
