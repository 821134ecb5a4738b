#include "common/Exception.h"
#include "scheme/TabColumns.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(TabColumns, ReadsOneBasedColumnsAndWritesThemBack)
{
    EXPECT_EQ(parseTabColumns(" 5;9  ;;13 "), (std::vector<int32_t> { 4, 8, 12 }));
    EXPECT_TRUE(parseTabColumns("").empty());
    EXPECT_EQ(tabColumnsText({ 4, 8, 12 }), "5 9 13");
    std::string many;
    for (int i = 2; i <= 33; ++i)
        many += std::to_string(i) + " ";
    EXPECT_EQ(parseTabColumns(many).size(), 32u);
    try {
        parseTabColumns(many + "34");
        FAIL();
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.message(), "Too many tab stops - maximum of 32");
    }
    EXPECT_THROW(parseTabColumns("99999999999"), ESyntaxMemo);
    EXPECT_THROW(parseTabColumns("5,6"), ESyntaxMemo);
}
