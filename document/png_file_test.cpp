#include "document/png_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "canvas/raster_image.h"
#include "document/file_format_pictures.h"
#include "document/file_format_test_support.h"
#include "document/testing/png_files.h"

namespace {

using file_format_testing::colourAt;
using file_format_testing::FileFormatTest;
using png_files::PngOptions;

bool readBytes(const std::string& file, RasterImage& image, ReadProblem* problem = nullptr) {
    return readPngData(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), image,
                       problem);
}

// Every variant decodes to the colours it holds, in a 24-bit bitmap of its
// size.
TEST(PngReadTest, EveryDepthAndColourTypeReadsAsItsColours) {
    const std::vector<PngOptions> variants = {
        {.colourType = PNG_COLOR_TYPE_RGB, .bitDepth = 8},
        {.colourType = PNG_COLOR_TYPE_RGB, .bitDepth = 16},
        {.colourType = PNG_COLOR_TYPE_GRAY, .bitDepth = 1},
        {.colourType = PNG_COLOR_TYPE_GRAY, .bitDepth = 2},
        {.colourType = PNG_COLOR_TYPE_GRAY, .bitDepth = 4},
        {.colourType = PNG_COLOR_TYPE_GRAY, .bitDepth = 8},
        {.colourType = PNG_COLOR_TYPE_GRAY, .bitDepth = 16},
        {.colourType = PNG_COLOR_TYPE_PALETTE, .bitDepth = 1},
        {.colourType = PNG_COLOR_TYPE_PALETTE, .bitDepth = 4},
        {.colourType = PNG_COLOR_TYPE_PALETTE, .bitDepth = 8},
        {.colourType = PNG_COLOR_TYPE_RGB_ALPHA, .bitDepth = 8},
        {.colourType = PNG_COLOR_TYPE_GRAY_ALPHA, .bitDepth = 16},
        {.width = 37, .height = 29, .interlaced = true},
        {.width = 3,
         .height = 2,
         .colourType = PNG_COLOR_TYPE_PALETTE,
         .bitDepth = 2,
         .interlaced = true},
        {.width = 1, .height = 1, .colourType = PNG_COLOR_TYPE_GRAY, .interlaced = true},
    };
    for (const PngOptions& o : variants) {
        SCOPED_TRACE(testing::Message() << "type " << o.colourType << ", " << o.bitDepth << " bits"
                                        << (o.interlaced ? ", interlaced" : ""));
        RasterImage image;
        ReadProblem problem;
        ASSERT_TRUE(readBytes(png_files::makePng(o), image, &problem)) << problem.detail;
        ASSERT_EQ(image.bitmap->bitCount(), 24);
        ASSERT_EQ(image.bitmap->width(), o.width);
        ASSERT_EQ(image.bitmap->height(), o.height);
        EXPECT_FALSE(image.palette);
        for (int y = 0; y < o.height; ++y)
            for (int x = 0; x < o.width; ++x) {
                int want[3];
                png_files::colourAt(o, x, y, want);
                ASSERT_EQ(colourAt(*image.bitmap, x, y), rgb(want[0], want[1], want[2]))
                    << x << ", " << y;
            }
    }
}

// Transparency is laid over white: clear pixels are white, half-clear ones
// halfway to white.
TEST(PngReadTest, AlphaIsComposedOverWhite) {
    struct Case {
        int colourType, bitDepth, alpha;
    };
    for (const Case& c :
         {Case{PNG_COLOR_TYPE_RGB_ALPHA, 8, 0}, Case{PNG_COLOR_TYPE_RGB_ALPHA, 8, 128},
          Case{PNG_COLOR_TYPE_RGB_ALPHA, 16, 128}, Case{PNG_COLOR_TYPE_GRAY_ALPHA, 8, 0},
          Case{PNG_COLOR_TYPE_GRAY_ALPHA, 16, 64}}) {
        SCOPED_TRACE(testing::Message()
                     << c.colourType << "/" << c.bitDepth << " alpha " << c.alpha);
        const PngOptions o{.colourType = c.colourType, .bitDepth = c.bitDepth, .alpha = c.alpha};
        RasterImage image;
        ASSERT_TRUE(readBytes(png_files::makePng(o), image));
        for (int y = 0; y < o.height; ++y)
            for (int x = 0; x < o.width; ++x) {
                int want[3];
                png_files::colourAt(o, x, y, want);
                const COLORREF shown = colourAt(*image.bitmap, x, y);
                const int channels[3] = {redOf(shown), greenOf(shown), blueOf(shown)};
                for (int i = 0; i < 3; ++i) {
                    const int expected = (want[i] * c.alpha + 255 * (255 - c.alpha) + 127) / 255;
                    ASSERT_LE(std::abs(channels[i] - expected), 1) << x << ", " << y;
                }
            }
    }
}

class PngExportTest : public FileFormatTest {};

// The export is cropped to the ink like the bitmap export, reads back as the
// very pixels, and leaves the live picture as it was.
TEST_F(PngExportTest, WritesTheInkAndReadsBackExactly) {
    ASSERT_TRUE(make(240, 320));
    file_format_pictures::paintWhite(canvas, canvas.liveBits());
    for (std::int32_t y = 40; y < 90; ++y)
        for (std::int32_t x = 10; x < 77; ++x)
            setLive(x, y, rgb(std::uint8_t(x * 3), std::uint8_t(y), std::uint8_t(x ^ y)));
    const auto rows = file_format_pictures::canvasRows(canvas, canvas.liveBits());
    ASSERT_TRUE(writePngFile(canvas, path("out.png").c_str()));
    EXPECT_EQ(file_format_pictures::canvasRows(canvas, canvas.liveBits()), rows);
    EXPECT_EQ(names(), std::vector<std::string>{"out.png"});

    RasterImage image;
    ASSERT_TRUE(readPngFile(canvas, path("out.png").c_str(), image));
    ASSERT_EQ(image.bitmap->width(), 67);
    ASSERT_EQ(image.bitmap->height(), 50);
    for (std::int32_t y = 0; y < 50; ++y)
        for (std::int32_t x = 0; x < 67; ++x)
            ASSERT_EQ(colourAt(*image.bitmap, x, y), live(x + 10, y + 40)) << x << ", " << y;
    PngFileInfo info;
    ASSERT_TRUE(readPngFileInfo(path("out.png").c_str(), info));
    EXPECT_EQ(info.bitDepth, 8);
    EXPECT_STREQ(info.colours, "RGB");
    EXPECT_TRUE(info.readable);
}

TEST_F(PngExportTest, AnAllWhitePictureOrABadPathWritesNothing) {
    ASSERT_TRUE(make(32, 32));
    file_format_pictures::paintWhite(canvas, canvas.liveBits());
    EXPECT_FALSE(writePngFile(canvas, path("white.png").c_str()));
    setLive(3, 3, rgb(0, 0, 0));
    EXPECT_FALSE(writePngFile(canvas, path("no-such-folder/out.png").c_str()));
    EXPECT_TRUE(names().empty());
}

}  // namespace
