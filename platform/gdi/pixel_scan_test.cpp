#include "platform/gdi/pixel_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace platform {
namespace {

constexpr std::uint32_t keyOf(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    return (red & 0xF8u) | (green & 0xF8u) << 8 | (blue & 0xF8u) << 16;
}

bool matchesAt(const std::vector<std::uint8_t>& row, int i, std::uint32_t key) {
    return keyOf(row[3 * i], row[3 * i + 1], row[3 * i + 2]) == key;
}

// Rows of mostly the key's colour (with random low bits), sprinkled with
// other colours, so every search finds something somewhere.
std::vector<std::uint8_t> randomRow(std::mt19937& random, int pixels, std::uint32_t key,
                                    int otherEvery) {
    std::vector<std::uint8_t> row(std::size_t(pixels) * 3);
    for (int i = 0; i < pixels; ++i) {
        const bool other = otherEvery > 0 && random() % otherEvery == 0;
        const std::uint8_t low = std::uint8_t(random() & 7);
        row[3 * i] = std::uint8_t((key >> 16) | (other ? 0 : low));
        row[3 * i + 1] = std::uint8_t(((key >> 8) & 0xF8) | low);
        row[3 * i + 2] = std::uint8_t((key & 0xF8) | (random() & 7));
        if (other) row[3 * i + int(random() % 3)] ^= 0x40;
    }
    return row;
}

// Every search runs twice: with the wide comparisons and with the plain loops
// that processors without them use.
class PixelScanTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override { useWidePixelScans(GetParam()); }
    void TearDown() override { useWidePixelScans(true); }
};

INSTANTIATE_TEST_SUITE_P(WideAndPlain, PixelScanTest, ::testing::Bool());

TEST_P(PixelScanTest, AgreesWithAPixelByPixelSearch) {
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        const int pixels = int(random() % 300);
        const std::uint32_t key =
            keyOf(std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random()));
        const int density = int(random() % 4) * 40;  // 0: no other colours at all
        const auto a = randomRow(random, pixels, key, density);
        const auto b = randomRow(random, pixels, key, density);

        int firstMatch = pixels, firstOther = pixels, lastOther = -1, either = pixels;
        for (int i = 0; i < pixels; ++i) {
            if (firstMatch == pixels && matchesAt(a, i, key)) firstMatch = i;
            if (firstOther == pixels && !matchesAt(a, i, key)) firstOther = i;
            if (!matchesAt(a, i, key)) lastOther = i;
        }
        // "Either" is searched among the other colours' complement: flip the
        // roles by searching for a key nothing has but the other pixels.
        const std::uint32_t otherKey = key ^ 0x400000;
        for (int i = 0; i < pixels && either == pixels; ++i)
            if (matchesAt(a, i, otherKey) || matchesAt(b, i, otherKey)) either = i;

        ASSERT_EQ(findMatchingPixel(a.data(), pixels, key), firstMatch) << round;
        ASSERT_EQ(findDifferentPixel(a.data(), pixels, key), firstOther) << round;
        ASSERT_EQ(findLastDifferentPixel(a.data(), pixels, key), lastOther) << round;
        ASSERT_EQ(findMatchingPixelInEither(a.data(), b.data(), pixels, otherKey), either) << round;
    }
}

TEST_P(PixelScanTest, FindsPixelsAtEveryPositionOfALongRun) {
    const std::uint32_t white = keyOf(0xFF, 0xFF, 0xFF);
    for (int pixels : {1, 31, 32, 33, 64, 95, 200}) {
        for (int at = 0; at < pixels; ++at) {
            std::vector<std::uint8_t> row(std::size_t(pixels) * 3, 0xFF);
            row[3 * at + 1] = 0x00;
            EXPECT_EQ(findDifferentPixel(row.data(), pixels, white), at);
            EXPECT_EQ(findLastDifferentPixel(row.data(), pixels, white), at);
            EXPECT_EQ(findMatchingPixel(row.data(), pixels, keyOf(0xFF, 0x00, 0xFF)), at);
            EXPECT_EQ(
                findMatchingPixelInEither(nullptr, row.data(), pixels, keyOf(0xFF, 0x00, 0xFF)),
                at);
        }
    }
}

TEST_P(PixelScanTest, EmptyRunsAndMissingRowsFindNothing) {
    const std::uint8_t pixel[3] = {1, 2, 3};
    EXPECT_EQ(findMatchingPixel(pixel, 0, 0), 0);
    EXPECT_EQ(findLastDifferentPixel(pixel, 0, 0), -1);
    EXPECT_EQ(findMatchingPixelInEither(nullptr, nullptr, 5, 0), 5);
    // The low three bits of every channel do not count.
    EXPECT_EQ(findMatchingPixel(pixel, 1, 0), 0);
}

}  // namespace
}  // namespace platform
