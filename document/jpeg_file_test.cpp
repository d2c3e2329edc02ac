#include "document/jpeg_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "canvas/raster_image.h"
#include "document/file_format_pictures.h"
#include "document/file_format_test_support.h"
#include "platform/memory/large_buffer.h"

namespace {

using file_format_testing::FileFormatTest;
using file_format_testing::ScopedFileSizeLimit;

struct Difference {
    int largest = 0;
    double mean = 0;
};

// How far two pictures of red, green, blue bytes are apart, channel by channel.
Difference compare(const std::string& a, const std::string& b) {
    Difference d;
    if (a.size() != b.size() || a.empty()) return Difference{256, 256};
    long total = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const int delta = std::abs(int(std::uint8_t(a[i])) - int(std::uint8_t(b[i])));
        d.largest = std::max(d.largest, delta);
        total += delta;
    }
    d.mean = double(total) / double(a.size());
    return d;
}

class JpegFileTest : public FileFormatTest {
  protected:
    bool exportTo(const std::string& name) { return writeJpegFile(canvas, path(name).c_str()); }
    bool importFrom(const std::string& name) {
        image.release();
        return readJpegFile(canvas, path(name).c_str(), image);
    }
    std::string livePicture() const {
        const auto* bits = reinterpret_cast<const char*>(canvas.liveBits());
        return std::string(bits, std::size_t(canvas.allocatedRows()) * canvas.rowStride());
    }
    // The canvas's pixels as red, green, blue bytes, top row first.
    std::string canvasRgb() const {
        std::string out;
        for (std::int32_t y = 0; y < canvas.height(); ++y) {
            for (std::int32_t x = 0; x < canvas.width(); ++x) {
                const COLORREF c = live(x, y);
                out += {char(redOf(c)), char(greenOf(c)), char(blueOf(c))};
            }
        }
        return out;
    }
    // The imported image's pixels, likewise.
    std::string imageRgb() const {
        std::string out;
        if (!image.bitmap) return out;
        for (std::int32_t y = 0; y < image.bitmap->height(); ++y) {
            const std::uint8_t* row = image.bitmap->row(y);
            for (std::int32_t x = 0; x < image.bitmap->width(); ++x)
                out += {char(row[3 * x + 2]), char(row[3 * x + 1]), char(row[3 * x])};
        }
        return out;
    }
    // Two bands: red above, blue below, so a flipped picture cannot pass.
    void paintBands(std::int32_t redRows) {
        for (std::int32_t y = 0; y < canvas.height(); ++y)
            for (std::int32_t x = 0; x < canvas.width(); ++x)
                setLive(x, y, y < redRows ? rgb(255, 0, 0) : rgb(0, 0, 255));
    }

    RasterImage image;
};

bool reddish(const std::uint8_t* pixel) {
    return pixel[2] > 200 && pixel[0] < 60 && pixel[1] < 60;
}
bool bluish(const std::uint8_t* pixel) {
    return pixel[0] > 200 && pixel[2] < 60 && pixel[1] < 60;
}

// --- export --------------------------------------------------------------------

TEST_F(JpegFileTest, ExportLeavesTheLivePictureByteForByte) {
    ASSERT_TRUE(make(240, 320));
    file_format_pictures::paintNoise(canvas, canvas.liveBits());
    file_format_pictures::paintPhoto(canvas, canvas.liveBits());
    const std::string before = livePicture();
    ASSERT_TRUE(exportTo("photo.jpg"));
    EXPECT_TRUE(livePicture() == before);
    EXPECT_EQ(bytesOf("photo.jpg").substr(0, 2), "\xFF\xD8");
}

TEST_F(JpegFileTest, TheFirstScanLineIsTheTopCanvasRow) {
    ASSERT_TRUE(make(240, 320));
    paintBands(16);
    ASSERT_TRUE(exportTo("bands.jpg"));
    JpegFileInfo info;
    ASSERT_TRUE(readJpegFileInfo(path("bands.jpg").c_str(), info));
    EXPECT_EQ(info.width, 240u);
    EXPECT_EQ(info.height, 320u);
    EXPECT_EQ(info.components, 3);
    EXPECT_TRUE(info.readable);
    ASSERT_TRUE(importFrom("bands.jpg"));
    EXPECT_TRUE(reddish(image.bitmap->row(0) + 3 * 100));
    EXPECT_TRUE(reddish(image.bitmap->row(7) + 3 * 5));
    EXPECT_TRUE(bluish(image.bitmap->row(100) + 3 * 100));
    EXPECT_TRUE(bluish(image.bitmap->row(319) + 3 * 239));
}

TEST_F(JpegFileTest, AFailedExportLeavesThePreviousFileAndNoTemporary) {
    ASSERT_TRUE(make(240, 320));
    file_format_pictures::paintNoise(canvas, canvas.liveBits());
    write("picture.jpg", "the previous export");
    {
        ScopedFileSizeLimit full(20000);
        ASSERT_TRUE(full.active());
        EXPECT_FALSE(exportTo("picture.jpg"));
    }
    EXPECT_EQ(bytesOf("picture.jpg"), "the previous export");
    EXPECT_EQ(names(), std::vector<std::string>{"picture.jpg"});
    EXPECT_FALSE(exportTo("missing/picture.jpg"));
    EXPECT_EQ(names(), std::vector<std::string>{"picture.jpg"});
    EXPECT_TRUE(exportTo("picture.jpg"));
    EXPECT_EQ(names(), std::vector<std::string>{"picture.jpg"});
}

TEST_F(JpegFileTest, NoCanvasNoExport) {
    EXPECT_FALSE(exportTo("none.jpg"));
    ASSERT_TRUE(make(8, 8));
    EXPECT_FALSE(writeJpegFile(canvas, nullptr));
    EXPECT_TRUE(names().empty());
}

// --- import --------------------------------------------------------------------

TEST_F(JpegFileTest, AnImportHasThePictureLayoutWithTheTopRowLast) {
    ASSERT_TRUE(make(100, 50));
    paintBands(25);
    ASSERT_TRUE(exportTo("small.jpg"));
    ASSERT_TRUE(importFrom("small.jpg"));
    ASSERT_TRUE(image.info() && image.bitmap);
    const platform::BitmapInfoHeader& info = *image.info();
    EXPECT_EQ(info.biSize, 40u);
    EXPECT_EQ(info.biWidth, 100);
    EXPECT_EQ(info.biHeight, 50);
    EXPECT_EQ(info.biPlanes, 1);
    EXPECT_EQ(info.biBitCount, 24);
    EXPECT_EQ(info.biCompression, 0u);
    EXPECT_EQ(info.biSizeImage, 0u);
    EXPECT_EQ(info.biClrUsed, 0u);
    EXPECT_FALSE(image.palette);
    EXPECT_EQ(image.bits, nullptr);
    EXPECT_EQ(image.bitmap->stride(), 300);
    EXPECT_EQ(image.bitmap->byteCount(), 15000u);
    EXPECT_TRUE(image.bitmap->bottomUp());
    // The JPEG's top row (red) is the last row in memory.
    EXPECT_TRUE(reddish(image.bitmap->bits() + 49 * 300 + 3 * 50));
    EXPECT_TRUE(bluish(image.bitmap->bits() + 3 * 50));
    // And the picture comes back close to what was exported (the colours
    // bleed a little across the band's edge).
    EXPECT_LT(compare(imageRgb(), canvasRgb()).mean, 8.0);
}

TEST_F(JpegFileTest, EveryTruncationOfAFileFails) {
    ASSERT_TRUE(make(24, 16));
    file_format_pictures::paintPhoto(canvas, canvas.liveBits());
    ASSERT_TRUE(exportTo("whole.jpg"));
    const std::string whole = bytesOf("whole.jpg");
    for (std::size_t length = 0; length < whole.size(); ++length) {
        write("cut.jpg", whole.substr(0, length));
        EXPECT_FALSE(importFrom("cut.jpg")) << "length " << length;
        EXPECT_FALSE(image.bitmap);
        EXPECT_FALSE(image.header);
    }
    EXPECT_TRUE(importFrom("whole.jpg"));
    EXPECT_EQ(names(), (std::vector<std::string>{"cut.jpg", "whole.jpg"}));
}

TEST_F(JpegFileTest, AFileCutInHalfFails) {
    ASSERT_TRUE(make(240, 320));
    file_format_pictures::paintPhoto(canvas, canvas.liveBits());
    ASSERT_TRUE(exportTo("whole.jpg"));
    const std::string whole = bytesOf("whole.jpg");
    write("half.jpg", whole.substr(0, whole.size() / 2));
    EXPECT_FALSE(importFrom("half.jpg"));
    JpegFileInfo info;
    EXPECT_TRUE(readJpegFileInfo(path("half.jpg").c_str(), info));  // the header is whole
}

TEST_F(JpegFileTest, DamagedAndMissingFilesAreHandled) {
    ASSERT_TRUE(make(24, 16));
    file_format_pictures::paintPhoto(canvas, canvas.liveBits());
    ASSERT_TRUE(exportTo("whole.jpg"));
    const std::string whole = bytesOf("whole.jpg");
    std::mt19937 random(9);
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        if (round % 2) {
            // Random bytes from the start.
            bytes.resize(random() % 400);
            for (char& c : bytes)
                c = char(random());
        } else {
            // A proper file with a few bytes overwritten somewhere.
            bytes = whole;
            for (int k = 0; k < 4; ++k)
                bytes[random() % bytes.size()] = char(random());
        }
        write("bad.jpg", bytes);
        if (importFrom("bad.jpg")) {
            // Damage the library can live with gives a sound picture.
            ASSERT_TRUE(image.bitmap);
            EXPECT_EQ(image.bitmap->byteCount(),
                      std::size_t(image.bitmap->stride()) * std::size_t(image.bitmap->height()));
        }
    }
    EXPECT_FALSE(importFrom("missing.jpg"));
    EXPECT_FALSE(readJpegFile(canvas, nullptr, image));
    JpegFileInfo info;
    write("text.jpg", "not a picture at all");
    EXPECT_FALSE(readJpegFileInfo(path("text.jpg").c_str(), info));
    EXPECT_FALSE(readJpegFileInfo(path("missing.jpg").c_str(), info));
    EXPECT_EQ(names(), (std::vector<std::string>{"bad.jpg", "text.jpg", "whole.jpg"}));
}

TEST_F(JpegFileTest, OutOfMemoryShowsTheMemoryError) {
    ASSERT_TRUE(make(64, 64));
    file_format_pictures::paintPhoto(canvas, canvas.liveBits());
    ASSERT_TRUE(exportTo("photo.jpg"));
    platform::AllocationLimit nothing(0, 0);
    EXPECT_FALSE(importFrom("photo.jpg"));
    EXPECT_FALSE(image.bitmap);
    EXPECT_TRUE(memoryErrorShown());
}

// --- files of other programs ---------------------------------------------------------

class JpegInterchangeTest : public JpegFileTest {
  protected:
    void SetUp() override {
        JpegFileTest::SetUp();
        if (!file_format_testing::haveImageMagick()) GTEST_SKIP() << "no /usr/bin/convert";
    }
    // A smooth picture as red, green, blue bytes, written where ImageMagick
    // can turn it into a JPEG.
    void writeSource(std::int32_t width, std::int32_t height) {
        std::vector<std::uint8_t> bytes;
        for (std::int32_t y = 0; y < height; ++y)
            for (std::int32_t x = 0; x < width; ++x)
                bytes.insert(bytes.end(), {std::uint8_t(x * 255 / width),
                                           std::uint8_t(y * 255 / height), std::uint8_t(128)});
        file_format_testing::writeRgb(native("source.rgb"), bytes);
    }
    std::string decodedElsewhere(const std::string& name) {
        return file_format_testing::decodedByImageMagick(native(name), native("decoded.rgb"));
    }
};

TEST_F(JpegInterchangeTest, AColourFileImportsWithTheRightPixels) {
    writeSource(60, 40);
    ASSERT_TRUE(
        file_format_testing::runConvert("-size 60x40 -depth 8 'rgb:" + native("source.rgb") +
                                        "' -quality 90 '" + native("colour.jpg") + "'"));
    ASSERT_TRUE(importFrom("colour.jpg"));
    EXPECT_EQ(image.bitmap->width(), 60);
    EXPECT_EQ(image.bitmap->height(), 40);
    const Difference d = compare(imageRgb(), decodedElsewhere("colour.jpg"));
    EXPECT_LE(d.largest, 4);
    EXPECT_LT(d.mean, 1.0);
    EXPECT_LT(compare(imageRgb(), bytesOf("source.rgb")).mean, 3.0);
}

TEST_F(JpegInterchangeTest, AGreyscaleFileImportsAsThreeEqualComponents) {
    writeSource(33, 21);
    ASSERT_TRUE(
        file_format_testing::runConvert("-size 33x21 -depth 8 'rgb:" + native("source.rgb") +
                                        "' -colorspace Gray '" + native("grey.jpg") + "'"));
    JpegFileInfo info;
    ASSERT_TRUE(readJpegFileInfo(path("grey.jpg").c_str(), info));
    ASSERT_EQ(info.components, 1);
    EXPECT_TRUE(info.readable);
    ASSERT_TRUE(importFrom("grey.jpg"));
    ASSERT_TRUE(image.bitmap);
    EXPECT_EQ(image.bitmap->bitCount(), 24);
    const std::string pixels = imageRgb();
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        ASSERT_EQ(pixels[i], pixels[i + 1]) << i / 3;
        ASSERT_EQ(pixels[i], pixels[i + 2]) << i / 3;
    }
    const Difference d = compare(pixels, decodedElsewhere("grey.jpg"));
    EXPECT_LE(d.largest, 4);
}

TEST_F(JpegInterchangeTest, ACmykFileIsRefused) {
    writeSource(16, 16);
    ASSERT_TRUE(
        file_format_testing::runConvert("-size 16x16 -depth 8 'rgb:" + native("source.rgb") +
                                        "' -colorspace CMYK '" + native("cmyk.jpg") + "'"));
    JpegFileInfo info;
    ASSERT_TRUE(readJpegFileInfo(path("cmyk.jpg").c_str(), info));
    EXPECT_EQ(info.components, 4);
    EXPECT_FALSE(info.readable);
    EXPECT_FALSE(importFrom("cmyk.jpg"));
    EXPECT_FALSE(image.bitmap);
    EXPECT_FALSE(memoryErrorShown());
}

TEST_F(JpegInterchangeTest, AnExportOpensElsewhereWithTheRightPixels) {
    ASSERT_TRUE(make(64, 48));
    for (std::int32_t y = 0; y < 48; ++y)
        for (std::int32_t x = 0; x < 64; ++x)
            setLive(x, y, rgb(std::uint8_t(x * 4), std::uint8_t(y * 5), std::uint8_t(200 - x - y)));
    ASSERT_TRUE(exportTo("out.jpg"));
    const std::string decoded = decodedElsewhere("out.jpg");
    ASSERT_EQ(decoded.size(), 64u * 48 * 3);
    const Difference d = compare(decoded, canvasRgb());
    EXPECT_LT(d.mean, 3.0);
    EXPECT_LT(d.largest, 40);
}

}  // namespace
