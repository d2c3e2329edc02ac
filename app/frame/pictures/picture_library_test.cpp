#include "app/frame/pictures/picture_library.h"

#include <gtest/gtest.h>

#include <set>

#include "app/frame/testing/bitmap_pixels.h"
#include "app/frame/tool_button_table.h"
#include "platform/desktop_integration/icon_image.h"
#include "platform/gdi/bitmap.h"
#include "platform/memory/large_buffer.h"

namespace {

struct Expected {
    std::int32_t width;
    std::int32_t height;
    int bits;
};

void expectPicture(std::int32_t id, Expected want) {
    auto picture = loadPicture(id);
    ASSERT_TRUE(picture) << id;
    EXPECT_EQ(picture->width(), want.width) << id;
    EXPECT_EQ(picture->height(), want.height) << id;
    EXPECT_EQ(picture->bitCount(), want.bits) << id;
}

// A masked image only looks right when the picture is black wherever its
// mask lets the background through, and the mask has the picture's size.
void expectMaskFits(std::int32_t pictureId, std::int32_t maskId) {
    auto picture = loadPicture(pictureId);
    auto mask = loadPicture(maskId);
    ASSERT_TRUE(picture && mask) << pictureId << "/" << maskId;
    ASSERT_EQ(mask->bitCount(), 1);
    ASSERT_EQ(mask->width(), picture->width());
    ASSERT_EQ(mask->height(), picture->height());
    int opaque = 0;
    for (std::int32_t y = 0; y < picture->height(); ++y) {
        for (std::int32_t x = 0; x < picture->width(); ++x) {
            if (bitAt(*mask, x, y))
                EXPECT_EQ(colourAt(*picture, x, y), 0u) << pictureId << " at " << x << "," << y;
            else
                ++opaque;
        }
    }
    EXPECT_GT(opaque, 0) << pictureId << " shows nothing";
}

TEST(PictureLibraryTest, EveryButtonPictureLoadsAtButtonSizeWithAFittingMask) {
    for (const ToolButtonRow& row : initialToolButtonTable()) {
        if (row.command == -1) break;
        expectPicture(row.bitmap, {18, 17, 24});
        expectPicture(row.selectedBitmap, {18, 17, 24});
        expectMaskFits(row.bitmap, row.mask);
        expectMaskFits(row.selectedBitmap, row.selectedMask);
    }
    for (const ToolButtonRow& row : initialOptionButtonTable()) {
        if (row.command == -1) break;
        expectPicture(row.bitmap, {18, 17, 24});
        expectMaskFits(row.bitmap, row.mask);
    }
}

TEST(PictureLibraryTest, TheOtherPicturesLoadAtTheirSizes) {
    expectPicture(PictureId::OptionBarToggle, {16, 16, 24});
    expectPicture(PictureId::ToolBarToggle, {16, 16, 24});
    expectPicture(PictureId::OpacityKnob, {11, 6, 24});
    expectPicture(PictureId::ProductPicture, {200, 68, 24});
    expectPicture(PictureId::SwatchFrame, {18, 17, 24});
    expectMaskFits(PictureId::SwatchFrame, PictureId::SwatchMask);
    for (std::int32_t id :
         {PictureId::ShapeEllipse, PictureId::ShapeFilledEllipse, PictureId::ShapeRectangle,
          PictureId::ShapeFilledRectangle, PictureId::ShapeLine})
        expectPicture(id, {32, 20, 24});
    for (std::int32_t i = 0; i < 8; ++i) {
        expectPicture(PictureId::FirstWidth + i, {48, 14, 24});
        expectPicture(PictureId::FirstSelectedWidth + i, {48, 14, 24});
    }
    for (std::int32_t i = 0; i < 6; ++i) {
        expectPicture(PictureId::FirstCircle + i, {48, 20, 24});
        expectPicture(PictureId::FirstSelectedCircle + i, {48, 20, 24});
    }
}

TEST(PictureLibraryTest, TheSwatchMaskShowsTheWholeColourArea) {
    // The colour button fills (2, 3)-(16, 8) with the colour; all of it must show.
    auto mask = loadPicture(PictureId::SwatchMask);
    ASSERT_TRUE(mask);
    for (std::int32_t y = 3; y < 8; ++y)
        for (std::int32_t x = 2; x < 16; ++x)
            EXPECT_FALSE(bitAt(*mask, x, y)) << x << "," << y;
    // The colour button's own picture has the same outline, so one mask serves both.
    auto swatch = loadPictureMask(PictureId::SwatchFrame);
    auto button = loadPictureMask(195);
    ASSERT_TRUE(swatch && button);
    for (std::int32_t y = 0; y < 17; ++y)
        for (std::int32_t x = 0; x < 18; ++x)
            EXPECT_EQ(bitAt(*swatch, x, y), bitAt(*button, x, y)) << x << "," << y;
}

TEST(PictureLibraryTest, TheWidthListsGrowByOne) {
    // Each square width shows a bar exactly as thick as the width.
    for (std::int32_t width = 1; width <= 8; ++width) {
        auto item = loadPicture(PictureId::FirstWidth + width - 1);
        ASSERT_TRUE(item);
        int rows = 0;
        for (std::int32_t y = 0; y < item->height(); ++y)
            rows += colourAt(*item, item->width() / 2, y) == 0 ? 1 : 0;
        EXPECT_EQ(rows, width);
    }
}

TEST(PictureLibraryTest, UnknownIdsAndSizesGiveNothing) {
    EXPECT_FALSE(loadPicture(0));
    EXPECT_FALSE(loadPicture(-1));
    EXPECT_FALSE(loadPicture(100000));
    EXPECT_FALSE(loadPictureMask(235));  // a mask has no mask of its own
    EXPECT_FALSE(loadIcon(PictureId::ProgramIcon, 20).picture);
    EXPECT_FALSE(loadIcon(184, 16).picture);
}

TEST(PictureLibraryTest, IdsAreListedOnceInOrder) {
    const std::vector<std::int32_t> ids = pictureIds();
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(std::set<std::int32_t>(ids.begin(), ids.end()).size(), ids.size());
    for (std::int32_t id : ids)
        EXPECT_TRUE(loadPicture(id)) << id;
}

TEST(PictureLibraryTest, MenuBarPicturesHaveMasksMadeFromTheirTransparency) {
    for (std::int32_t id : {PictureId::OptionBarToggle, PictureId::ToolBarToggle}) {
        auto mask = loadPictureMask(id);
        ASSERT_TRUE(mask) << id;
        EXPECT_EQ(mask->bitCount(), 1);
        EXPECT_TRUE(bitAt(*mask, 0, 0)) << id;  // the corner is background
    }
}

TEST(PictureLibraryTest, BothIconsLoadAtEverySize) {
    ASSERT_FALSE(iconSizes().empty());
    EXPECT_EQ(iconSizes().front(), 16);
    EXPECT_EQ(iconSizes().back(), 256);
    for (std::int32_t id : {PictureId::ProgramIcon, PictureId::DocumentIcon}) {
        for (std::int32_t size : iconSizes()) {
            IconPicture icon = loadIcon(id, size);
            ASSERT_TRUE(icon.picture && icon.mask) << id << " at " << size;
            EXPECT_EQ(icon.picture->width(), size);
            EXPECT_EQ(icon.picture->height(), size);
            EXPECT_EQ(icon.mask->bitCount(), 1);
            // Some of it shows, some of it lets the desktop through.
            int transparent = 0;
            for (std::int32_t y = 0; y < size; ++y)
                for (std::int32_t x = 0; x < size; ++x)
                    transparent += bitAt(*icon.mask, x, y);
            EXPECT_GT(transparent, 0) << id << " at " << size;
            EXPECT_LT(transparent, size * size / 2) << id << " at " << size;
        }
    }
}

TEST(PictureLibraryTest, IconsBecomeDesktopImagesTransparentWhereMasked) {
    for (std::int32_t id : {PictureId::ProgramIcon, PictureId::DocumentIcon}) {
        for (std::int32_t size : iconSizes()) {
            IconPicture icon = loadIcon(id, size);
            ASSERT_TRUE(icon.picture) << id << " at " << size;
            const platform::IconImage image =
                platform::IconImage::fromBitmap(*icon.picture, icon.mask.get());
            ASSERT_TRUE(image.valid()) << id << " at " << size;
            ASSERT_EQ(image.size, size);
            for (std::int32_t y = 0; y < size; ++y) {
                for (std::int32_t x = 0; x < size; ++x) {
                    const std::uint8_t* rgba =
                        &image.rgba[(std::size_t(y) * std::size_t(size) + std::size_t(x)) * 4];
                    const COLORREF colour = colourAt(*icon.picture, x, y);
                    if (bitAt(*icon.mask, x, y)) {
                        ASSERT_EQ(rgba[3], 0) << id << " at " << x << "," << y;
                    } else {
                        ASSERT_EQ(rgba[3], 0xFF) << id << " at " << x << "," << y;
                        ASSERT_EQ(rgb(rgba[0], rgba[1], rgba[2]), colour) << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST(PictureLibraryTest, RunningOutOfMemoryGivesNothing) {
    platform::AllocationLimit limit(0);
    EXPECT_FALSE(loadPicture(PictureId::ProductPicture));
    EXPECT_FALSE(loadIcon(PictureId::ProgramIcon, 32).picture);
}

}  // namespace
