#include "document/bitmap_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "canvas/raster_image.h"
#include "document/file_format_failure.h"
#include "document/file_format_pictures.h"
#include "document/file_format_test_support.h"
#include "platform/memory/large_buffer.h"

namespace {

using file_format_testing::colourAt;
using file_format_testing::FileFormatTest;
using file_format_testing::ScopedFileSizeLimit;
using platform::BitmapInfoHeader;

template <typename T>
T valueAt(const std::string& bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

template <typename T>
std::string bytesOfValue(const T& value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// A bitmap file as other programs write them: headers, colour table, pixels.
std::string bitmapFile(const BitmapInfoHeader& info, const std::string& table,
                       const std::string& pixels) {
    const std::uint32_t offset = std::uint32_t(54 + table.size());
    std::string file = "BM" + bytesOfValue(std::uint32_t(offset + pixels.size())) +
                       bytesOfValue(std::uint32_t(0)) + bytesOfValue(offset);
    return file + bytesOfValue(info) + table + pixels;
}

BitmapInfoHeader header(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                        std::uint32_t colours = 0) {
    BitmapInfoHeader info;
    info.biWidth = width;
    info.biHeight = height;
    info.biBitCount = bitCount;
    info.biClrUsed = colours;
    return info;
}

std::string sequence(std::size_t bytes, unsigned seed) {
    std::mt19937 random(seed);
    std::string out(bytes, '\0');
    for (char& c : out)
        c = char(random());
    return out;
}

class BitmapFileTest : public FileFormatTest {
  protected:
    void SetUp() override {
        FileFormatTest::SetUp();
        ASSERT_TRUE(make(240, 320));
    }
    bool exportTo(const std::string& name) { return writeBitmapFile(canvas, path(name).c_str()); }
    bool importFrom(const std::string& name) {
        image.release();
        return readBitmapFile(canvas, path(name).c_str(), image);
    }

    RasterImage image;
};

// --- export ------------------------------------------------------------------------

TEST_F(BitmapFileTest, OneInkPixelExportsAOneByOneBitmap) {
    setLive(5, 7, 0x000000);
    ASSERT_TRUE(exportTo("dot.bmp"));
    const std::string file = bytesOf("dot.bmp");
    ASSERT_EQ(file.size(), 58u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(valueAt<std::uint32_t>(file, 2), 58u);
    EXPECT_EQ(valueAt<std::uint32_t>(file, 6), 0u);  // both reserved fields
    EXPECT_EQ(valueAt<std::uint32_t>(file, 10), 54u);
    EXPECT_EQ(valueAt<std::uint32_t>(file, 14), 40u);
    EXPECT_EQ(valueAt<std::int32_t>(file, 18), 1);
    EXPECT_EQ(valueAt<std::int32_t>(file, 22), 1);
    EXPECT_EQ(valueAt<std::uint16_t>(file, 26), 1);
    EXPECT_EQ(valueAt<std::uint16_t>(file, 28), 24);
    EXPECT_EQ(valueAt<std::uint32_t>(file, 30), 0u);
    EXPECT_EQ(valueAt<std::uint32_t>(file, 34), 4u);
    for (std::size_t offset = 38; offset < 54; offset += 4)
        EXPECT_EQ(valueAt<std::uint32_t>(file, offset), 0u) << offset;
    EXPECT_EQ(file.substr(54, 3), std::string(3, '\0'));
}

TEST_F(BitmapFileTest, TheExportIsCroppedToTheInkWithRowsBottomUp) {
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 10; x < 20; ++x)
            setLive(x, y, rgb(std::uint8_t(x), std::uint8_t(y), 7));
    ASSERT_TRUE(exportTo("ink.bmp"));
    const std::string file = bytesOf("ink.bmp");
    EXPECT_EQ(valueAt<std::int32_t>(file, 18), 10);
    EXPECT_EQ(valueAt<std::int32_t>(file, 22), 3);
    EXPECT_EQ(valueAt<std::uint32_t>(file, 34), 96u);
    ASSERT_EQ(file.size(), 54u + 3 * 32);
    // The first row stored is canvas row 2; each row is the ten pixels and
    // two bytes of padding.
    for (std::int32_t stored = 0; stored < 3; ++stored) {
        const std::string row = file.substr(54 + 32 * std::size_t(stored), 32);
        const std::int32_t y = 2 - stored;
        for (std::int32_t x = 0; x < 10; ++x) {
            EXPECT_EQ(std::uint8_t(row[std::size_t(3 * x)]), 7);
            EXPECT_EQ(std::uint8_t(row[std::size_t(3 * x + 1)]), y);
            EXPECT_EQ(std::uint8_t(row[std::size_t(3 * x + 2)]), 10 + x);
        }
    }
}

TEST_F(BitmapFileTest, NearWhiteIsInk) {
    canvas.liveBits()[canvas.pixelOffset(3, 4) + 1] = 0xFE;
    canvas.liveBits()[canvas.pixelOffset(200, 300) + 2] = 0xFE;
    ASSERT_TRUE(exportTo("faint.bmp"));
    const std::string file = bytesOf("faint.bmp");
    EXPECT_EQ(valueAt<std::int32_t>(file, 18), 198);
    EXPECT_EQ(valueAt<std::int32_t>(file, 22), 297);
}

TEST_F(BitmapFileTest, AnAllWhitePictureWritesNothing) {
    EXPECT_FALSE(exportTo("white.bmp"));
    // Ink in the rows below the canvas is no part of the picture.
    canvas.liveBits()[0] = 0;
    EXPECT_FALSE(exportTo("white.bmp"));
    EXPECT_TRUE(names().empty());
}

TEST_F(BitmapFileTest, InkAtTheEndOfTheLastRowInMemoryIsWrittenWithoutReadingPastIt) {
    // A width that is a multiple of four has rows without padding, and canvas
    // row 0 is the last row of the picture's memory: the cropped row's
    // padding must not come from beyond it.
    ASSERT_TRUE(make(4, 1));
    setLive(1, 0, 0x010203);
    setLive(3, 0, 0x040506);
    ASSERT_TRUE(exportTo("edge.bmp"));
    const std::string file = bytesOf("edge.bmp");
    ASSERT_EQ(file.size(), 54u + 12);
    EXPECT_EQ(file.substr(54), std::string("\x01\x02\x03\xFF\xFF\xFF\x04\x05\x06\x00\x00\x00", 12));
}

TEST_F(BitmapFileTest, TheUncroppedExportIsTheWholeCanvas) {
    ASSERT_TRUE(make(241, 5));
    file_format_pictures::paintPhoto(canvas, canvas.liveBits());
    setLive(0, 0, 0xFFFFFF);  // white margins stay in
    ASSERT_TRUE(writeBitmapFileUncropped(canvas, path("whole.bmp").c_str()));
    const std::string file = bytesOf("whole.bmp");
    ASSERT_EQ(file.size(), 54u + 5 * 724);
    EXPECT_EQ(valueAt<std::uint32_t>(file, 2), file.size());
    EXPECT_EQ(valueAt<std::int32_t>(file, 18), 241);
    EXPECT_EQ(valueAt<std::int32_t>(file, 22), 5);
    const std::vector<std::uint8_t> rows =
        file_format_pictures::canvasRows(canvas, canvas.liveBits());
    EXPECT_EQ(file.substr(54), std::string(rows.begin(), rows.end()));

    // It reads back as the same picture.
    ASSERT_TRUE(importFrom("whole.bmp"));
    ASSERT_TRUE(image.bitmap);
    for (std::int32_t y = 0; y < 5; ++y)
        EXPECT_EQ(0, std::memcmp(image.bitmap->row(y), canvas.liveBits() + canvas.pixelOffset(0, y),
                                 3 * 241))
            << "row " << y;
}

TEST_F(BitmapFileTest, AFailedExportLeavesThePreviousFileAndNoTemporary) {
    write("picture.bmp", "the previous export");
    file_format_pictures::paintPhoto(canvas, canvas.liveBits());
    {
        ScopedFileSizeLimit full(10000);
        ASSERT_TRUE(full.active());
        EXPECT_FALSE(exportTo("picture.bmp"));
        EXPECT_FALSE(writeBitmapFileUncropped(canvas, path("picture.bmp").c_str()));
    }
    EXPECT_EQ(bytesOf("picture.bmp"), "the previous export");
    EXPECT_EQ(names(), std::vector<std::string>{"picture.bmp"});
    EXPECT_FALSE(exportTo("missing/picture.bmp"));
    EXPECT_EQ(names(), std::vector<std::string>{"picture.bmp"});
    EXPECT_TRUE(exportTo("picture.bmp"));
    EXPECT_EQ(bytesOf("picture.bmp").size(), 54u + 320 * 720);
}

// --- import --------------------------------------------------------------------

TEST_F(BitmapFileTest, ATrueColourFileHasNoColourTableAndNoPalette) {
    const std::string pixels = sequence(2 * 12, 1);  // 3 x 2 pixels, rows of 12 bytes
    write("rgb.bmp", bitmapFile(header(3, 2, 24), "", pixels));
    ASSERT_TRUE(importFrom("rgb.bmp"));
    ASSERT_TRUE(image.bitmap && image.info());
    EXPECT_EQ(image.info()->biWidth, 3);
    EXPECT_EQ(image.info()->biHeight, 2);
    EXPECT_EQ(image.bitmap->bitCount(), 24);
    EXPECT_FALSE(image.palette);
    EXPECT_EQ(image.bits, nullptr);
    ASSERT_EQ(image.bitmap->byteCount(), pixels.size());
    EXPECT_EQ(0, std::memcmp(image.bitmap->bits(), pixels.data(), pixels.size()));
}

TEST_F(BitmapFileTest, AnEightBitFileReadsAllTwoHundredFiftySixColours) {
    std::string table;
    for (int i = 0; i < 256; ++i)
        table += std::string{char(i), char(255 - i), char(i / 2), '\0'};
    const std::string pixels = std::string("\x00\x01\xFE\x00\x10\x20\xFF\x00", 8);  // 3 x 2
    write("indexed.bmp", bitmapFile(header(3, 2, 8), table, pixels));
    ASSERT_TRUE(importFrom("indexed.bmp"));
    ASSERT_TRUE(image.bitmap && image.palette);
    EXPECT_EQ(image.bitmap->bitCount(), 8);
    // The header block carries the table after the information header.
    EXPECT_EQ(0, std::memcmp(image.header.get() + 40, table.data(), 1024));
    EXPECT_EQ(image.palette[200].rgbBlue, 200);
    EXPECT_EQ(image.palette[200].rgbGreen, 55);
    EXPECT_EQ(image.palette[200].rgbRed, 100);
    EXPECT_EQ(image.palette[200].rgbReserved, 0);
    // Pixels begin right after the 1,024 table bytes.
    EXPECT_EQ(0, std::memcmp(image.bitmap->bits(), pixels.data(), pixels.size()));
    // The bottom row comes first: the top-left pixel is index 0x10.
    EXPECT_EQ(colourAt(*image.bitmap, 0, 0), rgb(8, 255 - 0x10, 0x10));
    EXPECT_EQ(colourAt(*image.bitmap, 2, 1), rgb(127, 1, 254));
}

TEST_F(BitmapFileTest, TheColourCountInTheHeaderSizesTheTable) {
    const std::string table = std::string("\x00\x00\xFF\x00\x00\xFF\x00\x00\xFF\x00\x00\x00", 12);
    const std::string pixels = std::string("\x01\x20\x00\x00", 4);  // 3 x 1, four bits each
    write("few.bmp", bitmapFile(header(3, 1, 4, 3), table, pixels));
    ASSERT_TRUE(importFrom("few.bmp"));
    ASSERT_TRUE(image.bitmap && image.palette);
    EXPECT_EQ(colourAt(*image.bitmap, 0, 0), rgb(0xFF, 0, 0));
    EXPECT_EQ(colourAt(*image.bitmap, 1, 0), rgb(0, 0xFF, 0));
    EXPECT_EQ(colourAt(*image.bitmap, 2, 0), rgb(0, 0, 0xFF));
}

TEST_F(BitmapFileTest, PixelBytesNeverGoBeyondThePixelArray) {
    const std::string pixels = sequence(8, 2);
    write("long.bmp", bitmapFile(header(2, 2, 24), "", pixels + std::string(5000, 'x')));
    ASSERT_TRUE(importFrom("long.bmp"));
    ASSERT_EQ(image.bitmap->byteCount(), 16u);
    EXPECT_EQ(0, std::memcmp(image.bitmap->bits(), pixels.data(), 8));
}

TEST_F(BitmapFileTest, AFileWhosePixelsAreCutShortIsRefused) {
    // 2 x 2 pixels of 24 bits: rows of 6 bytes and 2 of padding. The last
    // row's padding may be missing; any pixel byte may not.
    const std::string pixels = sequence(16, 2);
    write("unpadded.bmp", bitmapFile(header(2, 2, 24), "", pixels.substr(0, 14)));
    ASSERT_TRUE(importFrom("unpadded.bmp"));
    EXPECT_EQ(0, std::memcmp(image.bitmap->bits(), pixels.data(), 14));
    ReadProblem problem;
    write("short.bmp", bitmapFile(header(2, 2, 24), "", pixels.substr(0, 13)));
    EXPECT_FALSE(readBitmapFile(canvas, path("short.bmp").c_str(), image, &problem));
    EXPECT_FALSE(image.bitmap);
    EXPECT_FALSE(image.header);
    EXPECT_EQ(problem.failure, ReadFailure::Damaged);
    EXPECT_NE(problem.detail.find("cut short"), std::string::npos) << problem.detail;
    EXPECT_FALSE(memoryErrorShown());
}

TEST_F(BitmapFileTest, ImplausibleHeadersAreRefused) {
    std::vector<BitmapInfoHeader> bad = {header(0, 4, 24),
                                         header(4, 0, 24),
                                         header(-4, 4, 24),
                                         header(4, INT32_MIN, 24),
                                         header(32769, 1, 24),
                                         header(1, 32769, 24),
                                         header(0x7FFFFFFF, 0x7FFFFFFF, 24),
                                         header(4, 4, 2),
                                         header(4, 4, 0),
                                         header(4, 4, 7)};
    BitmapInfoHeader compressed = header(4, 4, 24);
    compressed.biCompression = 1;
    bad.push_back(compressed);
    compressed.biCompression = 4;
    bad.push_back(compressed);
    for (const BitmapInfoHeader& info : bad) {
        write("bad.bmp", bitmapFile(info, std::string(1024, '\0'), std::string(64, '\x11')));
        EXPECT_FALSE(importFrom("bad.bmp"))
            << info.biWidth << " x " << info.biHeight << " x " << info.biBitCount;
        EXPECT_FALSE(image.bitmap);
    }
    EXPECT_FALSE(memoryErrorShown());
    write("text.bmp", "PK" + std::string(100, '\0'));
    EXPECT_FALSE(importFrom("text.bmp"));
    EXPECT_FALSE(importFrom("missing.bmp"));
    EXPECT_FALSE(readBitmapFile(canvas, nullptr, image));
}

TEST_F(BitmapFileTest, EveryTruncationOfAFileIsRefused) {
    std::string table;
    for (int i = 0; i < 4; ++i)
        table += std::string{char(i * 60), char(i), char(255 - i), '\0'};
    const std::string whole = bitmapFile(header(5, 3, 8, 4), table, sequence(3 * 8, 4));
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        write("cut.bmp", whole.substr(0, length));
        const bool read = importFrom("cut.bmp");
        // The last row's three bytes of padding may be missing, nothing more.
        EXPECT_EQ(read, length + 3 >= whole.size()) << "length " << length;
        EXPECT_EQ(read, image.bitmap != nullptr);
    }
    EXPECT_EQ(names(), std::vector<std::string>{"cut.bmp"});
}

TEST_F(BitmapFileTest, RandomBytesAreHandled) {
    for (unsigned round = 0; round < 300; ++round) {
        std::string bytes = sequence(round % 200, round);
        // Half start like a bitmap, so the headers are looked at.
        if (round % 2 && bytes.size() >= 2) bytes.replace(0, 2, "BM");
        write("noise.bmp", bytes);
        if (!importFrom("noise.bmp")) continue;
        // Whatever was taken is a sound picture.
        ASSERT_TRUE(image.bitmap);
        EXPECT_GE(image.info()->biWidth, 1);
        EXPECT_GE(image.info()->biHeight, 1);
    }
    EXPECT_EQ(names(), std::vector<std::string>{"noise.bmp"});
}

TEST_F(BitmapFileTest, OutOfMemoryShowsTheMemoryError) {
    write("rgb.bmp", bitmapFile(header(64, 64, 24), "", sequence(64 * 192, 5)));
    platform::AllocationLimit nothing(0, 0);
    EXPECT_FALSE(importFrom("rgb.bmp"));
    EXPECT_FALSE(image.bitmap);
    EXPECT_TRUE(memoryErrorShown());
}

// --- colour tables -----------------------------------------------------------------

TEST(BitmapPalette, TheEntryCountFollowsTheHeader) {
    EXPECT_EQ(paletteEntryCount(header(1, 1, 1)), 2);
    EXPECT_EQ(paletteEntryCount(header(1, 1, 4)), 16);
    EXPECT_EQ(paletteEntryCount(header(1, 1, 8)), 256);
    EXPECT_EQ(paletteEntryCount(header(1, 1, 24)), 0);
    EXPECT_EQ(paletteEntryCount(header(1, 1, 16)), 0);
    EXPECT_EQ(paletteEntryCount(header(1, 1, 8, 17)), 17);
    EXPECT_EQ(paletteEntryCount(header(1, 1, 24, 3)), 3);
    // Taken as a 16-bit number.
    EXPECT_EQ(paletteEntryCount(header(1, 1, 8, 0x10005)), 5);
    EXPECT_EQ(paletteEntryCount(header(1, 1, 8, 0x10000)), 256);
}

TEST_F(BitmapFileTest, InfoReportsTheHeaders) {
    write("indexed.bmp", bitmapFile(header(7, 3, 4, 5), std::string(20, '\0'), sequence(12, 6)));
    BitmapFileInfo info;
    ASSERT_TRUE(readBitmapFileInfo(path("indexed.bmp").c_str(), info));
    EXPECT_EQ(info.width, 7);
    EXPECT_EQ(info.height, 3);
    EXPECT_EQ(info.bitCount, 4);
    EXPECT_EQ(info.colourCount, 5);
    EXPECT_EQ(info.fileBytes, 54 + 20 + 12);
    EXPECT_TRUE(info.readable);
    write("rle.bmp", bitmapFile(
                         [] {
                             BitmapInfoHeader h = header(7, 3, 8);
                             h.biCompression = 1;
                             return h;
                         }(),
                         "", ""));
    ASSERT_TRUE(readBitmapFileInfo(path("rle.bmp").c_str(), info));
    EXPECT_EQ(info.compression, 1u);
    EXPECT_FALSE(info.readable);
    write("short.bmp", "BM1234");
    EXPECT_FALSE(readBitmapFileInfo(path("short.bmp").c_str(), info));
}

// --- files of other programs ---------------------------------------------------------

class BitmapInterchangeTest : public BitmapFileTest {
  protected:
    void SetUp() override {
        BitmapFileTest::SetUp();
        if (!file_format_testing::haveImageMagick()) GTEST_SKIP() << "no /usr/bin/convert";
    }
};

struct ForeignBitmap {
    int bitCount;
    int colours;  // distinct colours in the picture
};

class ForeignBitmapTest : public BitmapInterchangeTest,
                          public ::testing::WithParamInterface<ForeignBitmap> {};

TEST_P(ForeignBitmapTest, ImportsWithTheRightPixels) {
    const ForeignBitmap c = GetParam();
    const std::int32_t width = 19, height = 11;
    std::vector<std::uint8_t> rgbBytes;
    std::vector<COLORREF> expected;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const int k = (x * 7 + y * 3) % c.colours;
            const auto red = std::uint8_t(k * 37), green = std::uint8_t(255 - k * 11),
                       blue = std::uint8_t(k * k);
            rgbBytes.insert(rgbBytes.end(), {red, green, blue});
            expected.push_back(rgb(red, green, blue));
        }
    }
    file_format_testing::writeRgb(native("in.rgb"), rgbBytes);
    const std::string type = c.bitCount == 24 ? "TrueColor" : "Palette";
    ASSERT_TRUE(file_format_testing::runConvert(
        "-size 19x11 -depth 8 'rgb:" + native("in.rgb") + "' -type " + type +
        " -compress None 'BMP3:" + native("foreign.bmp") + "'"));
    BitmapFileInfo info;
    ASSERT_TRUE(readBitmapFileInfo(path("foreign.bmp").c_str(), info));
    ASSERT_EQ(info.bitCount, c.bitCount);

    ASSERT_TRUE(importFrom("foreign.bmp"));
    ASSERT_TRUE(image.bitmap);
    EXPECT_EQ(image.bitmap->width(), width);
    EXPECT_EQ(image.bitmap->height(), height);
    EXPECT_EQ(bool(image.palette), c.bitCount != 24);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            ASSERT_EQ(colourAt(*image.bitmap, x, y), expected[std::size_t(y * width + x)])
                << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Depths, ForeignBitmapTest,
                         ::testing::Values(ForeignBitmap{1, 2}, ForeignBitmap{4, 11},
                                           ForeignBitmap{8, 150}, ForeignBitmap{24, 150}),
                         [](const auto& param) {
                             return std::to_string(param.param.bitCount) + "bit";
                         });

TEST_F(BitmapInterchangeTest, AnExportOpensElsewhereWithTheRightPixels) {
    ASSERT_TRUE(make(37, 23));
    file_format_pictures::paintPhoto(canvas, canvas.liveBits());
    // White margins around the drawing are cropped away.
    for (std::int32_t x = 0; x < 37; ++x)
        setLive(x, 0, 0xFFFFFF);
    ASSERT_TRUE(exportTo("out.bmp"));
    const std::string decoded =
        file_format_testing::decodedByImageMagick(native("out.bmp"), native("out.rgb"));
    ASSERT_EQ(decoded.size(), 37u * 22 * 3);
    for (std::int32_t y = 1; y < 23; ++y) {
        for (std::int32_t x = 0; x < 37; ++x) {
            const std::size_t at = 3 * std::size_t((y - 1) * 37 + x);
            const COLORREF seen = rgb(std::uint8_t(decoded[at]), std::uint8_t(decoded[at + 1]),
                                      std::uint8_t(decoded[at + 2]));
            ASSERT_EQ(seen, live(x, y)) << x << ", " << y;
        }
    }
}

}  // namespace
