#include "platform/memory/large_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/memory/huge_page_mapping.h"

namespace platform {
namespace {

constexpr std::size_t MiB = std::size_t(1) << 20;

// Large buffers taken one way or the other for one test.
class HugePagesForTest {
  public:
    explicit HugePagesForTest(bool use) : before_(largeBuffersUseHugePages()) {
        setLargeBuffersUseHugePages(use);
    }
    ~HugePagesForTest() { setLargeBuffersUseHugePages(before_); }

  private:
    bool before_;
};

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

TEST(LargeBufferTest, LargeBuffersAreZeroedWholeAndPlacedForHugePagesEitherWay) {
    for (const bool huge : {true, false}) {
        HugePagesForTest use(huge);
        // A 1024 x 1024 picture, and one just above the smallest size mapped.
        for (const std::size_t bytes : {3 * MiB + 12, MiB}) {
            LargeBuffer buffer(bytes, LargeBuffer::Contents::Zeroed);
            ASSERT_FALSE(buffer.empty());
            EXPECT_EQ(buffer.size(), bytes);
            if (huge) {
                EXPECT_EQ(std::uintptr_t(buffer.data()) % (2 * MiB), 0u);
            }
            for (std::size_t i = 0; i < bytes; i += 4096)
                ASSERT_EQ(buffer.data()[i], 0) << i;
            EXPECT_EQ(buffer.data()[bytes - 1], 0);
            buffer.data()[bytes - 1] = 9;
            LargeBuffer moved;
            moved = std::move(buffer);
            EXPECT_EQ(moved.data()[bytes - 1], 9);
            moved.reset();
            EXPECT_TRUE(moved.empty());
        }
        // Contents that do not matter come from the allocator.
        LargeBuffer plain(2 * MiB);
        ASSERT_FALSE(plain.empty());
        plain.data()[2 * MiB - 1] = 1;
    }
}

TEST(LargeBufferTest, APictureMadeAgainReusesTheMemoryCleared) {
    HugePagesForTest use(true);
    releaseKeptMappings();
    std::uint8_t* first = nullptr;
    {
        LargeBuffer picture(3 * MiB, LargeBuffer::Contents::Zeroed);
        ASSERT_FALSE(picture.empty());
        first = picture.data();
        std::memset(picture.data(), 0xAB, picture.size());
    }
    LargeBuffer again(3 * MiB, LargeBuffer::Contents::Zeroed);
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(again.data(), first);
    for (std::size_t i = 0; i < again.size(); i += 997)
        ASSERT_EQ(again.data()[i], 0) << i;
    // Another size gets other memory.
    LargeBuffer other(5 * MiB, LargeBuffer::Contents::Zeroed);
    EXPECT_NE(other.data(), first);
    again.reset();
    other.reset();
    releaseKeptMappings();
}

TEST(LargeBufferTest, MappingsWasteAtMostHalfAHugePage) {
    EXPECT_FALSE(worthHugePages(MiB - 1));
    EXPECT_TRUE(worthHugePages(MiB));
    // A last part of half a huge page or more is mapped whole...
    EXPECT_EQ(hugePageMappingSize(MiB), 2 * MiB);
    EXPECT_EQ(hugePageMappingSize(3 * MiB), 4 * MiB);
    EXPECT_EQ(hugePageMappingSize(4 * MiB), 4 * MiB);
    // ...a smaller one in small pages.
    EXPECT_EQ(hugePageMappingSize(2 * MiB + 1), 2 * MiB + 4096);
    EXPECT_EQ(hugePageMappingSize(2 * MiB + MiB - 4096), 3 * MiB - 4096);
    for (std::size_t bytes = MiB; bytes < 16 * MiB; bytes += 4093) {
        const std::size_t mapped = hugePageMappingSize(bytes);
        ASSERT_GE(mapped, bytes);
        ASSERT_LE(mapped - bytes, MiB) << bytes;
    }
}

TEST(AllocationLimitTest, LimitsHoldForMappedBuffersToo) {
    HugePagesForTest use(true);
    AllocationLimit limit(2 * MiB, 1);
    EXPECT_TRUE(LargeBuffer(3 * MiB).empty());
    EXPECT_FALSE(LargeBuffer(2 * MiB).empty());
    EXPECT_TRUE(LargeBuffer(MiB).empty());
    EXPECT_EQ(limit.refusedCount(), 2u);
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
