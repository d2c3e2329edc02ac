#include "platform/memory/large_buffer.h"

#include <gtest/gtest.h>

#include <utility>

namespace platform {
namespace {

TEST(LargeBufferTest, AllocatesAndMoves) {
    LargeBuffer buffer(1000);
    ASSERT_FALSE(buffer.empty());
    EXPECT_EQ(buffer.size(), 1000u);
    buffer.data()[999] = 7;
    LargeBuffer moved(std::move(buffer));
    EXPECT_TRUE(buffer.empty());
    EXPECT_EQ(moved.data()[999], 7);
    moved.reset();
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(moved.size(), 0u);
}

TEST(LargeBufferTest, ZeroBytesIsStillASuccess) {
    LargeBuffer buffer(0);
    EXPECT_FALSE(buffer.empty());
    EXPECT_EQ(buffer.size(), 0u);
}

TEST(AllocationLimitTest, RefusesRequestsAboveTheSize) {
    AllocationLimit limit(4096);
    EXPECT_FALSE(LargeBuffer(4096).empty());
    EXPECT_TRUE(LargeBuffer(4097).empty());
    EXPECT_EQ(limit.refusedCount(), 1u);
}

TEST(AllocationLimitTest, RefusesRequestsAfterTheCount) {
    AllocationLimit limit(AllocationLimit::unlimited, 2);
    LargeBuffer a(10), b(10), c(10);
    EXPECT_FALSE(a.empty());
    EXPECT_FALSE(b.empty());
    EXPECT_TRUE(c.empty());
}

TEST(AllocationLimitTest, InnermostLimitWinsAndOuterReturns) {
    AllocationLimit outer(100);
    {
        AllocationLimit inner(10);
        EXPECT_TRUE(LargeBuffer(50).empty());
    }
    EXPECT_FALSE(LargeBuffer(50).empty());
    EXPECT_TRUE(LargeBuffer(200).empty());
}

TEST(AllocationLimitTest, NoLimitOnceItEnds) {
    { AllocationLimit limit(0); }
    EXPECT_FALSE(LargeBuffer(1 << 20).empty());
}

}  // namespace
}  // namespace platform
