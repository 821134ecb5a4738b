#include "browser/StringList.h"
#include "browser/TextCompare.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(TextCompare, IgnoresCaseAndPutsPunctuationBeforeDigitsBeforeLetters)
{
    EXPECT_EQ(compareText("Unit1.PAS", "unit1.pas"), 0);
    EXPECT_LT(compareText("max", "Min"), 0);
    EXPECT_LT(compareText("A_B", "A1"), 0);
    EXPECT_LT(compareText("A1", "AB"), 0);
    EXPECT_LT(compareText("..\\Lib\\U.pas", "Alpha.pas"), 0);
    EXPECT_LT(compareText("Proc", "Proc/Func"), 0);
    EXPECT_TRUE(sameText("TForm1", "tform1"));
    EXPECT_FALSE(sameText("TForm1", "TForm"));
    EXPECT_EQ(lowerCase("P.DPR"), "p.dpr");
}

TEST(StringList, SortedListGroupsRoutineKindsAndFindsCaseInsensitively)
{
    StringList<int> list(true);
    for (const char* entry : { "65Zap", "64count", "62Create", "65add", "63Destroy", "64Alpha" })
        list.add(entry, 1);
    std::vector<std::string> order;
    for (const auto& e : list)
        order.push_back(e.text);
    EXPECT_EQ(order,
        (std::vector<std::string> { "62Create", "63Destroy", "64Alpha", "64count", "65add", "65Zap" }));
    EXPECT_EQ(list.indexOf("64COUNT"), 3);
    EXPECT_EQ(list.indexOf("64coun"), -1);
}

TEST(StringList, UnsortedListKeepsOrderAndFindOrAddAddsOnce)
{
    StringList<StringList<int>> list;
    list.findOrAdd("TForm1", StringList<int>(true));
    list.findOrAdd("Proc/Func");
    EXPECT_EQ(list.findOrAdd("tform1"), 0u);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].text, "Proc/Func");
    EXPECT_TRUE(list[0].object.sorted());
    EXPECT_FALSE(list[1].object.sorted());
}
