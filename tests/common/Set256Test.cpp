#include "common/Set256.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(Set256, MemberBitLayoutMatchesStoredForm)
{
    Set256 s = Set256::of({ 0, 9, 255 });
    EXPECT_EQ(s.bytes()[0], 0x01);
    EXPECT_EQ(s.bytes()[1], 0x02);
    EXPECT_EQ(s.bytes()[31], 0x80);
    EXPECT_TRUE(s.contains(9));
    EXPECT_FALSE(s.contains(8));
    EXPECT_FALSE(s.contains(256));
    EXPECT_FALSE(s.contains(-1));
}

TEST(Set256, SetAlgebra)
{
    Set256 a = Set256::of({ 0, 1 });
    Set256 b = Set256::of({ 1, 2 });
    EXPECT_TRUE(a.intersects(b));
    EXPECT_EQ((a | b), Set256::of({ 0, 1, 2 }));
    EXPECT_EQ((a - b), Set256::of({ 0 }));
    EXPECT_EQ((a & b).first(), 1);
    EXPECT_EQ(Set256().first(), -1);
    EXPECT_TRUE((~Set256::all()).empty());
}
