#include "platform/window/headless_window.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/brush.h"
#include "platform/gdi/surface.h"
#include "platform/memory/large_buffer.h"

namespace platform {
namespace {

COLORREF storePixel(const HeadlessWindow& window, std::int32_t x, std::int32_t y) {
    const std::uint8_t* p = window.backingStore().row(y) + 3 * x;
    return rgb(p[2], p[1], p[0]);
}

bool allWhite(const HeadlessWindow& window) {
    const Bitmap& store = window.backingStore();
    for (std::int32_t y = 0; y < store.height(); ++y)
        for (std::int32_t x = 0; x < store.width(); ++x)
            if (storePixel(window, x, y) != 0xFFFFFF) return false;
    return true;
}

TEST(HeadlessWindowTest, StartsWhiteWithItsClientSizeAndNothingToRepaint) {
    HeadlessWindow window(7, 5);
    EXPECT_EQ(window.clientRect(), (RECT{0, 0, 7, 5}));
    ASSERT_TRUE(window.hasBackingStore());
    EXPECT_EQ(window.backingStore().width(), 7);
    EXPECT_EQ(window.backingStore().height(), 5);
    EXPECT_EQ(window.backingStore().bitCount(), 24);
    EXPECT_TRUE(allWhite(window));
    EXPECT_FALSE(window.invalidation().pending());
    EXPECT_EQ(window.presentCount(), 0);
    EXPECT_FALSE(window.hasCapture());
    EXPECT_TRUE(window.runningTimers().empty());
}

TEST(HeadlessWindowTest, ASurfaceDrawsIntoTheStoreAndPresentsOnceWhenReleased) {
    HeadlessWindow window(6, 4);
    {
        std::unique_ptr<Surface> surface = window.getSurface();
        ASSERT_TRUE(surface);
        EXPECT_EQ(surface->bitmap(), &window.backingStore());
        surface->fillRect(RECT{1, 1, 3, 2}, Brush::solid(rgb(10, 20, 30)));
        EXPECT_EQ(window.presentCount(), 0);
    }
    EXPECT_EQ(window.presentCount(), 1);
    EXPECT_EQ(storePixel(window, 1, 1), rgb(10, 20, 30));
    EXPECT_EQ(storePixel(window, 2, 1), rgb(10, 20, 30));
    EXPECT_EQ(storePixel(window, 3, 1), 0xFFFFFFu);
    EXPECT_EQ(storePixel(window, 1, 2), 0xFFFFFFu);

    window.getSurface();
    window.getSurface();
    EXPECT_EQ(window.presentCount(), 3);
}

TEST(HeadlessWindowTest, AMemorySurfaceOnTheStoreDoesNotPresent) {
    HeadlessWindow window(4, 4);
    { Surface surface(&window.backingStore()); }
    EXPECT_EQ(window.presentCount(), 0);
}

TEST(HeadlessWindowTest, NoSurfaceWhileUnavailable) {
    HeadlessWindow window(4, 4);
    window.setSurfaceAvailable(false);
    EXPECT_EQ(window.getSurface(), nullptr);
    EXPECT_EQ(window.presentCount(), 0);
    window.setSurfaceAvailable(true);
    EXPECT_NE(window.getSurface(), nullptr);
    EXPECT_EQ(window.presentCount(), 1);
}

TEST(HeadlessWindowTest, ResizeGivesAWhiteStoreOfTheNewSizeAndAsksForARepaint) {
    HeadlessWindow window(4, 4);
    window.getSurface()->fillRect(RECT{0, 0, 4, 4}, Brush::solid(0));
    ASSERT_TRUE(window.resize(9, 3));
    EXPECT_EQ(window.clientRect(), (RECT{0, 0, 9, 3}));
    EXPECT_EQ(window.backingStore().width(), 9);
    EXPECT_EQ(window.backingStore().height(), 3);
    EXPECT_TRUE(allWhite(window));
    const HeadlessWindow::Invalidation due = window.takeInvalidation();
    EXPECT_TRUE(due.pending());
    EXPECT_EQ(due.area, (RECT{0, 0, 9, 3}));
}

TEST(HeadlessWindowTest, ARefusedResizeLeavesTheWindowAsItWas) {
    HeadlessWindow window(4, 4);
    window.getSurface()->fillRect(RECT{0, 0, 1, 1}, Brush::solid(0));
    const Bitmap* store = &window.backingStore();
    EXPECT_FALSE(window.resize(0, 5));
    EXPECT_FALSE(window.resize(5, -1));
    {
        AllocationLimit noMemory(0);
        EXPECT_FALSE(window.resize(50, 50));
    }
    EXPECT_EQ(window.clientRect(), (RECT{0, 0, 4, 4}));
    EXPECT_EQ(&window.backingStore(), store);
    EXPECT_EQ(storePixel(window, 0, 0), 0u);
    EXPECT_FALSE(window.invalidation().pending());
}

TEST(HeadlessWindowTest, AWindowWithoutMemoryHasNoClientAreaAndNoSurface) {
    AllocationLimit noMemory(0);
    HeadlessWindow window(10, 10);
    EXPECT_FALSE(window.hasBackingStore());
    EXPECT_EQ(window.clientRect(), (RECT{0, 0, 0, 0}));
    EXPECT_EQ(window.getSurface(), nullptr);
    window.invalidate(nullptr);
    EXPECT_FALSE(window.invalidation().pending());
}

TEST(HeadlessWindowTest, InvalidationGathersTheUnionClippedToTheClientArea) {
    HeadlessWindow window(100, 50);
    const RECT a{10, 10, 20, 20};
    const RECT b{60, 5, 200, 15};  // reaches past the right edge
    window.invalidate(&a);
    window.invalidate(&b);
    HeadlessWindow::Invalidation due = window.takeInvalidation();
    EXPECT_EQ(due.count, 2);
    EXPECT_EQ(due.area, (RECT{10, 5, 100, 20}));

    // Taking it clears it.
    EXPECT_FALSE(window.takeInvalidation().pending());

    // Areas that miss the client, or are empty, ask for nothing.
    const RECT outside{120, 0, 130, 10};
    const RECT empty{5, 5, 5, 9};
    const RECT inverted{20, 20, 10, 10};
    window.invalidate(&outside);
    window.invalidate(&empty);
    window.invalidate(&inverted);
    EXPECT_FALSE(window.invalidation().pending());

    window.invalidate(nullptr);
    due = window.takeInvalidation();
    EXPECT_EQ(due.count, 1);
    EXPECT_EQ(due.area, (RECT{0, 0, 100, 50}));
}

TEST(HeadlessWindowTest, CaptureFollowsTheRequests) {
    HeadlessWindow window(4, 4);
    window.setCapture(true);
    EXPECT_TRUE(window.hasCapture());
    window.setCapture(true);
    window.setCapture(false);
    EXPECT_FALSE(window.hasCapture());
}

TEST(HeadlessWindowTest, TimersRunUntilKilledAndRestartWithANewPeriod) {
    HeadlessWindow window(4, 4);
    EXPECT_TRUE(window.setTimer(7, 250));
    EXPECT_TRUE(window.setTimer(2, 40));
    EXPECT_EQ(window.timerPeriod(7), 250u);
    EXPECT_EQ(window.timerPeriod(2), 40u);
    EXPECT_EQ(window.timerPeriod(3), 0u);
    EXPECT_EQ(window.runningTimers(), (std::vector<std::uint32_t>{2, 7}));

    EXPECT_TRUE(window.setTimer(7, 100));
    EXPECT_EQ(window.timerPeriod(7), 100u);
    EXPECT_EQ(window.runningTimers().size(), 2u);

    window.killTimer(7);
    window.killTimer(99);  // never set: nothing happens
    EXPECT_EQ(window.timerPeriod(7), 0u);
    EXPECT_EQ(window.runningTimers(), (std::vector<std::uint32_t>{2}));
}

TEST(HeadlessWindowTest, AZeroPeriodTimerStillRuns) {
    HeadlessWindow window(4, 4);
    EXPECT_TRUE(window.setTimer(1, 0));
    EXPECT_GT(window.timerPeriod(1), 0u);
}

}  // namespace
}  // namespace platform
