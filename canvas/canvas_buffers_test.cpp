#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "canvas/testing/canvas_fixture.h"
#include "platform/memory/large_buffer.h"

namespace {

using canvas_testing::CanvasTest;

constexpr COLORREF white = 0xFFFFFF;

TEST(CanvasGeometryTest, RowsAndStridesForTheUsualSizes) {
    EXPECT_EQ(Canvas::allocatedRowsFor(240, 320), 329);
    EXPECT_EQ(Canvas::rowStrideFor(240), 720);
    EXPECT_EQ(Canvas::rowStrideFor(241), 724);
    EXPECT_EQ(Canvas::allocatedRowsFor(600, 600), 612);
    EXPECT_EQ(Canvas::rowStrideFor(600), 1800);
    EXPECT_EQ(Canvas::allocatedRowsFor(1, 1), 23);
    EXPECT_EQ(Canvas::rowStrideFor(1), 4);
    EXPECT_EQ(Canvas::allocatedRowsFor(1024, 1024), 1043);
}

TEST_F(CanvasTest, CreateAllocatesBothPicturesAndTheViewBuffers) {
    ASSERT_TRUE(make(240, 320));
    EXPECT_EQ(canvas.allocatedRows(), 329);
    EXPECT_EQ(canvas.livePicture()->byteCount(), 236880u);
    EXPECT_EQ(canvas.committedPicture()->byteCount(), 236880u);
    EXPECT_EQ(canvas.viewWidth(), 240);
    EXPECT_EQ(canvas.viewHeight(), 320);
    EXPECT_EQ(canvas.zoomBufferBytes(), 230400u);
    EXPECT_EQ(canvas.scratchCapacity(), 8000);
    EXPECT_NE(canvas.scratchPoints(), nullptr);
    const auto& header = canvas.pictureHeader();
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 240);
    EXPECT_EQ(header.biHeight, 329);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(canvas.renderState(), RenderState::Idle);
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(CanvasTest, CanvasRowsLieAtTheTopOfTheAllocation) {
    ASSERT_TRUE(make(600, 600));
    EXPECT_EQ(canvas.allocatedRows(), 612);
    // (0, 0) is the first pixel of the last memory row; (0, H - 1) of row R - H.
    EXPECT_EQ(canvas.pixelOffset(0, 0), 611 * 1800);
    EXPECT_EQ(canvas.pixelOffset(0, 599), 12 * 1800);
    EXPECT_EQ(canvas.pixelOffset(5, 0) - canvas.pixelOffset(4, 0), 3);
    EXPECT_EQ(canvas.liveBits() + canvas.pixelOffset(7, 3), canvas.livePicture()->row(3) + 21);
}

TEST_F(CanvasTest, EveryCanvasPixelIsWhiteAfterCreate) {
    for (auto [w, h] : {std::pair{240, 320}, {1, 1}, {241, 7}}) {
        ASSERT_TRUE(make(std::uint16_t(w), std::uint16_t(h)));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                ASSERT_EQ(live(x, y), white) << w << "x" << h << " at " << x << "," << y;
                ASSERT_EQ(committed(x, y), white);
            }
    }
}

TEST_F(CanvasTest, ClearWhitensTheSpareRowsToo) {
    ASSERT_TRUE(make(30, 20));
    paintLivePattern();
    canvas.clear();
    for (int y = 0; y < canvas.allocatedRows(); ++y)
        for (int x = 0; x < 30; ++x) {
            ASSERT_EQ(live(x, y), white) << x << "," << y;
            ASSERT_EQ(committed(x, y), white);
        }
}

TEST_F(CanvasTest, CommitThenRevertRestoresExactlyTheArea) {
    ASSERT_TRUE(make(40, 30));
    paintLivePattern();
    const RECT area{5, 6, 17, 19};
    ASSERT_TRUE(canvas.copyPictureRect(area, true));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            setLive(x, y, 0x123456);
    ASSERT_TRUE(canvas.copyPictureRect(area, false));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 5 && x < 17 && y >= 6 && y < 19;
            ASSERT_EQ(live(x, y), inside ? canvas_testing::uniqueColour(x, y) : 0x123456u)
                << x << "," << y;
        }
}

TEST_F(CanvasTest, PixelAtReadsTheLivePicture) {
    ASSERT_TRUE(make(10, 10));
    setLive(3, 4, 0x00AA11);
    EXPECT_EQ(canvas.pixelAt(POINT{3, 4}), 0x00AA11u);
    EXPECT_EQ(canvas.pixelAt(POINT{0, 0}), white);
    EXPECT_EQ(canvas.pixelAt(POINT{-1, 0}), 0u);
}

TEST_F(CanvasTest, NothingHappensBeforeCreate) {
    EXPECT_EQ(canvas.renderState(), RenderState::Idle);
    canvas.release();
    canvas.clear();
    EXPECT_FALSE(canvas.copyPictureRect(RECT{0, 0, 1, 1}, true));
    EXPECT_EQ(canvas.pixelAt(POINT{0, 0}), 0u);
    RasterImage image;
    RECT area{0, 0, 1, 1};
    EXPECT_FALSE(canvas.copyRegionToImage(area, image));
}

TEST_F(CanvasTest, ReleaseKeepsOnlyTheCompressorFlag) {
    ASSERT_TRUE(make(10, 10));
    canvas.setCompressorReady(true);
    canvas.release();
    EXPECT_EQ(canvas.liveBits(), nullptr);
    EXPECT_EQ(canvas.width(), 0);
    EXPECT_EQ(canvas.viewWindow(), nullptr);
    EXPECT_EQ(canvas.scratchPoints(), nullptr);
    EXPECT_TRUE(canvas.compressorReady());
}

TEST_F(CanvasTest, CreateWithoutMemoryShowsTheMemoryError) {
    {
        platform::AllocationLimit limit(1000);
        EXPECT_FALSE(make(240, 320));
    }
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].caption, u"Memory Error");
    EXPECT_EQ(dialogs.records()[0].text,
              u"A memory allocation has failed - main memory may be full.");
    EXPECT_EQ(canvas.scratchPoints(), nullptr);
    // The next create starts afresh.
    EXPECT_TRUE(make(240, 320));
}

TEST_F(CanvasTest, ViewBuffersThatCannotBeHadFailTheCreate) {
    // Both pictures fit; the view buffers are refused.
    platform::AllocationLimit limit(platform::AllocationLimit::unlimited, 2);
    EXPECT_FALSE(make(20, 20));
    EXPECT_EQ(dialogs.records().size(), 1u);
}

TEST_F(CanvasTest, ScratchArrayFallsBackInStepsOfAThousand) {
    {
        // Room for 2000 entries but not 3000: pictures and view buffers of
        // an 8 x 8 view are far smaller.
        platform::AllocationLimit limit(2999 * sizeof(ScratchPoint));
        ASSERT_TRUE(canvas.create(&window, 20, 20, 8, 8));
    }
    EXPECT_EQ(canvas.scratchCapacity(), 2000);
    EXPECT_NE(canvas.scratchPoints(), nullptr);
    {
        platform::AllocationLimit limit(1999 * sizeof(ScratchPoint));
        ASSERT_TRUE(canvas.create(&window, 20, 20, 8, 8));
    }
    EXPECT_EQ(canvas.scratchCapacity(), 1000);
    EXPECT_EQ(canvas.scratchPoints(), nullptr);
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(CanvasTest, SizesOutsideThePictureRangeAreRefused) {
    EXPECT_FALSE(make(0, 10));
    EXPECT_FALSE(make(10, 0));
    EXPECT_EQ(dialogs.records().size(), 2u);
    EXPECT_TRUE(make(1024, 1024));
}

TEST_F(CanvasTest, WithoutAWindowSurfaceTheLivePictureIsStillWhite) {
    window.setSurfaceAvailable(false);
    ASSERT_TRUE(make(8, 8));
    EXPECT_EQ(live(0, 0), white);
    EXPECT_EQ(live(7, 7), white);
}

TEST_F(CanvasTest, ViewBuffersGrowWithTheWindowAndKeepThePictures) {
    ASSERT_TRUE(make(100, 100));
    paintLivePattern();
    EXPECT_TRUE(canvas.ensureViewBuffers(200, 300));
    EXPECT_EQ(canvas.viewWidth(), 240);
    EXPECT_TRUE(canvas.ensureViewBuffers(1280, 800));
    EXPECT_EQ(canvas.viewWidth(), 1280);
    EXPECT_EQ(canvas.viewHeight(), 800);
    EXPECT_EQ(live(99, 99), canvas_testing::uniqueColour(99, 99));
    // Shrinking the window keeps the larger buffers.
    EXPECT_TRUE(canvas.ensureViewBuffers(240, 320));
    EXPECT_EQ(canvas.viewWidth(), 1280);
}

}  // namespace
