#include "viewer/TNodePool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>

using namespace lrl;

TEST(TNodePool, ReusesFreedBlocksOfTheSameSize)
{
    TNodePool pool;
    void* a = pool.allocate(60);
    void* b = pool.allocate(61); // same 8-byte class
    EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % 8, 0u);
    EXPECT_NE(a, b);
    pool.deallocate(a, 60);
    EXPECT_EQ(pool.allocate(64), a);
    EXPECT_NE(pool.allocate(72), a);
}

TEST(TNodePool, HandsOutDisjointBlocksAcrossSlabs)
{
    TNodePool pool;
    std::set<uintptr_t> seen;
    for (int i = 0; i < 20000; ++i) {
        size_t bytes = 48 + size_t(i % 300);
        auto* p = static_cast<uint8_t*>(pool.allocate(bytes));
        std::memset(p, 0xAB, bytes);
        EXPECT_TRUE(seen.insert(reinterpret_cast<uintptr_t>(p)).second);
    }
    EXPECT_GT(pool.reservedBytes(), 20000u * 48);
    pool.release();
    EXPECT_EQ(pool.reservedBytes(), 0u);
    void* big = pool.allocate(TNodePool::kMaxPooled + 1); // from the heap, not a slab
    EXPECT_EQ(pool.reservedBytes(), 0u);
    pool.deallocate(big, TNodePool::kMaxPooled + 1);
}
