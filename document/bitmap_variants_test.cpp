// Bitmaps as other programs write them: every header form, depth and coding,
// made by ImageMagick where it writes them and rearranged from its files
// where it does not, each imported pixel for pixel as ImageMagick reads it.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "canvas/raster_image.h"
#include "document/bitmap_file.h"
#include "document/bitmap_pixels.h"
#include "document/file_format_test_support.h"

namespace {

using file_format_testing::colourAt;
using file_format_testing::FileFormatTest;

constexpr std::int32_t width = 19, height = 11;

template <typename T>
T valueAt(const std::string& bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

template <typename T>
void setValue(std::string& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

// A bitmap file taken apart: the information header as stored, what lies
// between it and the pixels (masks, colour table), and the pixel data.
struct Parts {
    std::string header;
    std::string between;
    std::string pixels;
};

Parts split(const std::string& file) {
    const auto headerSize = valueAt<std::uint32_t>(file, 14);
    const auto offBits = valueAt<std::uint32_t>(file, 10);
    return Parts{file.substr(14, headerSize),
                 file.substr(14 + headerSize, offBits - 14 - headerSize), file.substr(offBits)};
}

std::string join(const Parts& parts) {
    const auto offBits = std::uint32_t(14 + parts.header.size() + parts.between.size());
    std::string file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    setValue(file, 2, std::uint32_t(offBits + parts.pixels.size()));
    setValue(file, 10, offBits);
    return file + parts.header + parts.between + parts.pixels;
}

// The same picture with an information header of `size` bytes: longer
// headers only add fields at the end. A 40-byte header keeps its colour
// masks (12 bytes) right after it.
std::string withHeaderSize(const std::string& file, std::uint32_t size) {
    Parts parts = split(file);
    const bool masked = valueAt<std::uint32_t>(parts.header, 16) == 3;
    if (size == 40 && masked) parts.between = parts.header.substr(40, 12) + parts.between;
    parts.header.resize(size);
    setValue(parts.header, 0, size);
    return join(parts);
}

// Rows stored top row first, told by a negative height.
std::string topDown(const std::string& file) {
    Parts parts = split(file);
    const auto rows = std::size_t(valueAt<std::int32_t>(parts.header, 8));
    const std::size_t stride = parts.pixels.size() / rows;
    std::string flipped;
    for (std::size_t row = rows; row-- > 0;)
        flipped += parts.pixels.substr(row * stride, stride);
    parts.pixels = flipped;
    setValue(parts.header, 8, -std::int32_t(rows));
    return join(parts);
}

// Unused bytes between the colour table and the pixels.
std::string withGap(const std::string& file) {
    Parts parts = split(file);
    parts.between += std::string(37, '\x5A');
    return join(parts);
}

// A 16- or 32-bit file with colour masks stored as a plain one, whose
// fields are fixed: only the same masks give the same pixels.
std::string withoutMasks(const std::string& file) {
    Parts parts = split(file);
    parts.header.resize(40);
    setValue(parts.header, 0, std::uint32_t(40));
    setValue(parts.header, 16, std::uint32_t(0));
    return join(parts);
}

// Run-length coded 4-bit indices of a 4-bit file: runs where pixels repeat,
// literal groups elsewhere, as a writer of this coding would make them.
std::string runLength4(const std::string& file) {
    Parts parts = split(file);
    const std::size_t stride = parts.pixels.size() / height;
    auto index = [&](std::size_t row, std::int32_t x) {
        const auto pair = std::uint8_t(parts.pixels[row * stride + std::size_t(x) / 2]);
        return x % 2 == 0 ? pair >> 4 : pair & 15;
    };
    std::string coded;
    for (std::size_t row = 0; row < std::size_t(height); ++row) {
        std::int32_t x = 0;
        while (x < width) {
            std::int32_t run = 1;
            while (x + run < width && index(row, x + run) == index(row, x))
                ++run;
            if (run >= 3 || width - x < 3) {
                coded += {char(run), char(index(row, x) << 4 | index(row, x))};
                x += run;
                continue;
            }
            const std::int32_t count = std::min(width - x, 6);
            coded += {'\0', char(count)};
            for (std::int32_t i = 0; i < count; i += 2)
                coded += char(index(row, x + i) << 4 | (i + 1 < count ? index(row, x + i + 1) : 0));
            if (((count + 1) / 2) % 2) coded += '\0';
            x += count;
        }
        coded += {'\0', '\0'};
    }
    coded += {'\0', '\1'};
    parts.pixels = coded;
    setValue(parts.header, 16, std::uint32_t(2));
    setValue(parts.header, 20, std::uint32_t(coded.size()));
    return join(parts);
}

struct Variant {
    const char* name;
    int colours;            // distinct colours in the source picture
    const char* arguments;  // ImageMagick's, before the output name
    std::function<std::string(const std::string&)> rearrange;
    std::uint32_t headerSize;
    int bitCount;
    std::uint32_t compression;
    bool topDown = false;
};

std::vector<Variant> variants() {
    const auto none = nullptr;
    return {
        {"core1", 2, "-type Palette BMP2:", none, 12, 1, 0},
        {"core4", 11, "-type Palette BMP2:", none, 12, 4, 0},
        {"core8", 150, "-type Palette BMP2:", none, 12, 8, 0},
        {"core24", 150, "-type TrueColor BMP2:", none, 12, 24, 0},
        {"v5_1", 2, "-type Palette BMP:", none, 124, 1, 0},
        {"v5_4", 11, "-type Palette BMP:", none, 124, 4, 0},
        {"v5_8", 150, "-type Palette -compress None BMP:", none, 124, 8, 0},
        {"v5_rle8", 150, "-type Palette BMP:", none, 124, 8, 1},
        {"v5_24", 150, "-type TrueColor BMP:", none, 124, 24, 0},
        {"v5_565", 150, "-define bmp:subtype=RGB565 BMP:", none, 124, 16, 3},
        {"v5_555", 150, "-define bmp:subtype=RGB555 BMP:", none, 124, 16, 3},
        {"v5_32", 150, "-alpha set -type TrueColorAlpha BMP:", none, 124, 32, 3},
        {"v4_8", 150, "-type Palette -compress None BMP:",
         [](auto& f) { return withHeaderSize(f, 108); }, 108, 8, 0},
        {"v4_565", 150, "-define bmp:subtype=RGB565 BMP:",
         [](auto& f) { return withHeaderSize(f, 108); }, 108, 16, 3},
        {"v3_32", 150, "-alpha set -type TrueColorAlpha BMP:",
         [](auto& f) { return withHeaderSize(f, 56); }, 56, 32, 3},
        {"v2_565", 150, "-define bmp:subtype=RGB565 BMP:",
         [](auto& f) { return withHeaderSize(f, 52); }, 52, 16, 3},
        {"v2_24", 150, "-type TrueColor BMP:", [](auto& f) { return withHeaderSize(f, 52); }, 52,
         24, 0},
        {"info565", 150, "-define bmp:subtype=RGB565 BMP:",
         [](auto& f) { return withHeaderSize(f, 40); }, 40, 16, 3},
        {"info32", 150, "-alpha set -type TrueColorAlpha BMP:",
         [](auto& f) { return withHeaderSize(f, 40); }, 40, 32, 3},
        {"plain555", 150, "-define bmp:subtype=RGB555 BMP:", withoutMasks, 40, 16, 0},
        {"plain32", 150, "-alpha set -type TrueColorAlpha BMP:", withoutMasks, 40, 32, 0},
        {"rle8", 150, "-type Palette -compress RLE BMP3:", none, 40, 8, 1},
        {"rle4", 11, "-type Palette -compress None BMP3:", runLength4, 40, 4, 2},
        {"topdown8", 150, "-type Palette -compress None BMP3:", topDown, 40, 8, 0, true},
        {"topdown24", 150, "-type TrueColor BMP3:", topDown, 40, 24, 0, true},
        {"topdown565", 150, "-define bmp:subtype=RGB565 BMP:", topDown, 124, 16, 3, true},
        {"gap8", 150, "-type Palette -compress None BMP3:", withGap, 40, 8, 0},
        {"gap24", 150, "-type TrueColor BMP:", withGap, 124, 24, 0},
    };
}

class BitmapVariantTest : public FileFormatTest, public ::testing::WithParamInterface<Variant> {
  protected:
    void SetUp() override {
        FileFormatTest::SetUp();
        if (!file_format_testing::haveImageMagick()) GTEST_SKIP() << "no /usr/bin/convert";
    }
    // The source picture: `colours` colours in diagonal bands.
    void writeSource(int colours) {
        std::vector<std::uint8_t> bytes;
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                const int k = (x * 7 + y * 3) % colours;
                bytes.insert(bytes.end(), {std::uint8_t(k * 37), std::uint8_t(255 - k * 11),
                                           std::uint8_t(k * k)});
            }
        }
        file_format_testing::writeRgb(native("in.rgb"), bytes);
    }
};

TEST_P(BitmapVariantTest, ImportsAsImageMagickReadsIt) {
    const Variant& v = GetParam();
    writeSource(v.colours);
    ASSERT_TRUE(file_format_testing::runConvert("-size 19x11 -depth 8 'rgb:" + native("in.rgb") +
                                                "' " + v.arguments + "'" + native("made.bmp") +
                                                "'"));
    std::string file = bytesOf("made.bmp");
    if (v.rearrange) file = v.rearrange(file);
    write("variant.bmp", file);
    // The file is the variant it is meant to be.
    BitmapFileInfo info;
    ASSERT_TRUE(readBitmapFileInfo(path("variant.bmp").c_str(), info));
    ASSERT_EQ(info.headerSize, v.headerSize);
    ASSERT_EQ(info.bitCount, v.bitCount);
    ASSERT_EQ(info.compression, v.compression);
    ASSERT_EQ(info.topDown, v.topDown);
    EXPECT_TRUE(info.readable) << info.problem.detail;

    const std::string expected =
        file_format_testing::decodedByImageMagick(native("variant.bmp"), native("out.rgb"));
    ASSERT_EQ(expected.size(), std::size_t(3 * width * height));
    RasterImage image;
    ASSERT_TRUE(readBitmapFile(canvas, path("variant.bmp").c_str(), image));
    ASSERT_TRUE(image.bitmap && image.info());
    EXPECT_EQ(image.bitmap->width(), width);
    EXPECT_EQ(image.bitmap->height(), height);
    EXPECT_TRUE(image.bitmap->bottomUp());
    EXPECT_EQ(image.info()->biSize, 40u);
    EXPECT_GT(image.info()->biHeight, 0);
    EXPECT_EQ(image.info()->biCompression, 0u);
    EXPECT_EQ(image.bitmap->bitCount(), v.bitCount == 16 || v.bitCount == 32 ? 24 : v.bitCount);
    EXPECT_EQ(bool(image.palette), v.bitCount <= 8);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t at = 3 * std::size_t(y * width + x);
            const COLORREF seen = rgb(std::uint8_t(expected[at]), std::uint8_t(expected[at + 1]),
                                      std::uint8_t(expected[at + 2]));
            ASSERT_EQ(colourAt(*image.bitmap, x, y), seen) << x << ", " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BitmapVariantTest, ::testing::ValuesIn(variants()),
                         [](const auto& param) { return std::string(param.param.name); });

// The files the program has always read keep their header and colour table
// exactly as stored, and their pixel bytes unchanged.
TEST_F(BitmapVariantTest, AClassicFileKeepsItsHeaderAndTableAsStored) {
    writeSource(150);
    ASSERT_TRUE(file_format_testing::runConvert(
        "-size 19x11 -depth 8 'rgb:" + native("in.rgb") +
        "' -type Palette -compress None 'BMP3:" + native("classic.bmp") + "'"));
    const std::string file = bytesOf("classic.bmp");
    ASSERT_EQ(valueAt<std::uint32_t>(file, 14), 40u);
    const std::size_t tableBytes = valueAt<std::uint32_t>(file, 10) - 54;
    RasterImage image;
    ASSERT_TRUE(readBitmapFile(canvas, path("classic.bmp").c_str(), image));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.header.get()), 40 + tableBytes),
              file.substr(14, 40 + tableBytes));
    const std::string pixels = file.substr(54 + tableBytes);
    ASSERT_EQ(pixels.size(), image.bitmap->byteCount());
    EXPECT_EQ(0, std::memcmp(image.bitmap->bits(), pixels.data(), pixels.size()));
}

// --- the conversions on their own -------------------------------------------------

TEST(MaskedPixelsTest, FieldsWidenByRepeatingTheirBits) {
    const std::uint32_t rgb565[3] = {0xF800, 0x07E0, 0x001F};
    const MaskedPixels pixels(rgb565, 16);
    const std::uint16_t in[4] = {0xFFFF, 0x0000, 0x8410, 0x0821};  // white, black, mid, ones
    std::uint8_t out[12];
    pixels.convertRow(reinterpret_cast<const std::uint8_t*>(in), out, 4);
    EXPECT_EQ(std::vector<int>(out, out + 12),
              (std::vector<int>{255, 255, 255, 0, 0, 0, 132, 130, 132, 8, 4, 8}));
    // Four bits of all ones are full intensity too.
    const std::uint32_t argb4444[3] = {0x0F00, 0x00F0, 0x000F};
    const std::uint16_t white = 0xFFFF, grey = 0x1888;
    MaskedPixels(argb4444, 16).convertRow(reinterpret_cast<const std::uint8_t*>(&white), out, 1);
    EXPECT_EQ(std::vector<int>(out, out + 3), (std::vector<int>{255, 255, 255}));
    MaskedPixels(argb4444, 16).convertRow(reinterpret_cast<const std::uint8_t*>(&grey), out, 1);
    EXPECT_EQ(std::vector<int>(out, out + 3), (std::vector<int>{0x88, 0x88, 0x88}));
    // A field wider than a byte keeps its top 8 bits; no mask gives 0.
    const std::uint32_t wide[3] = {0x3FF00000, 0x000FFC00, 0};
    const MaskedPixels tenBits(wide, 32);
    const std::uint32_t pixel = (0x3FFu << 20) | (0x155u << 10);
    tenBits.convertRow(reinterpret_cast<const std::uint8_t*>(&pixel), out, 1);
    EXPECT_EQ(std::vector<int>(out, out + 3), (std::vector<int>{0, 0x55, 0xFF}));
}

TEST(RunLengthTest, SkipsEdgesAndCutStreams) {
    platform::BitmapInfoHeader header;
    header.biWidth = 5;
    header.biHeight = 3;
    header.biBitCount = 8;
    auto bitmap = platform::Bitmap::create(header);
    ASSERT_TRUE(bitmap);
    // A run past the right edge, an end of row, a skip of two right and one
    // up, three literal indices (padded), then the end of the picture.
    const std::uint8_t data[] = {7, 9, 0, 0, 0, 2, 2, 1, 0, 3, 1, 2, 3, 0, 0, 1};
    ASSERT_TRUE(expandRunLength(data, sizeof data, false, *bitmap));
    const std::uint8_t* bits = bitmap->bits();
    const std::size_t stride = std::size_t(bitmap->stride());
    EXPECT_EQ(std::vector<int>(bits, bits + 5), (std::vector<int>{9, 9, 9, 9, 9}));
    EXPECT_EQ(std::vector<int>(bits + stride, bits + stride + 5),
              (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<int>(bits + 2 * stride, bits + 2 * stride + 5),
              (std::vector<int>{0, 0, 1, 2, 3}));
    // Every cut that leaves pixels unfilled fails; the last literal's
    // padding and the markers after the last pixel may be missing.
    EXPECT_TRUE(expandRunLength(data, 13, false, *bitmap));
    for (std::size_t length = 0; length < 13; ++length)
        EXPECT_FALSE(expandRunLength(data, length, false, *bitmap)) << length;
    // A stream that fills every row needs no end marker, nor a last end of row.
    const std::uint8_t rows[] = {5, 1, 0, 0, 5, 2, 0, 0, 5, 3};
    EXPECT_TRUE(expandRunLength(rows, sizeof rows, false, *bitmap));
}

}  // namespace
