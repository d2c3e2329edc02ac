// Files made to hurt: pictures that claim far more than they hold, cut or
// corrupt data, absurd progressions, a file that is no picture. Each is refused as the loader's
// failure before anything large is allocated, and an import of one changes nothing. Real pictures
// of the same kinds still import.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "canvas/raster_image.h"
#include "document/bitmap_file.h"
#include "document/jpeg_file.h"
#include "document/png_file.h"
#include "document/testing/document_fixture.h"
#include "document/testing/hostile_files.h"
#include "document/testing/png_files.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/memory/large_buffer.h"
#include "platform/text/utf.h"

namespace {

using hostile_files::JpegOptions;

constexpr std::size_t smallMemory = std::size_t(32) << 20;

struct Hostile {
    std::string name;
    std::string bytes;
    ReadFailure expected;
    bool jpeg() const { return name.ends_with(".jpg"); }
    bool png() const { return name.ends_with(".png"); }
};

std::vector<Hostile> hostileFiles() {
    using namespace hostile_files;
    const std::string baseline = makeJpeg(JpegOptions{});
    const std::string progressive = makeJpeg(JpegOptions{.progressive = true});
    const std::string photo = makeJpeg(JpegOptions{.width = 64, .height = 48});
    const std::string progressivePhoto =
        makeJpeg(JpegOptions{.width = 64, .height = 48, .progressive = true});
    const std::string smallPng = png_files::makePng({});
    const std::string photoPng = png_files::makePng({.width = 64, .height = 48, .bitDepth = 16});
    std::string badChecksum = photoPng;
    badChecksum[png_files::chunkData(photoPng, "IDAT") + 20] ^= 0x10;
    std::string shortPixels = bitmapClaiming(64, 64, 24) + std::string(64 * 192 / 2, '\x40');
    return {
        {"huge.bmp", bitmapClaiming(16384, 16384, 24), ReadFailure::TooLarge},
        {"empty.bmp", bitmapClaiming(8000, 8000, 24), ReadFailure::Damaged},
        {"empty-top-down.bmp", bitmapClaiming(8000, -8000, 32), ReadFailure::Damaged},
        {"empty-runs.bmp", bitmapClaiming(8000, 8000, 8, 1) + std::string(2048, '\0'),
         ReadFailure::Damaged},
        {"half.bmp", shortPixels, ReadFailure::Damaged},
        {"huge.jpg", claimingSize(progressive, 16384, 16384), ReadFailure::TooLarge},
        {"empty-progressive.jpg", claimingSize(progressive, 9000, 9000), ReadFailure::Damaged},
        {"empty-baseline.jpg", claimingSize(baseline, 9000, 9000), ReadFailure::Damaged},
        {"empty-arithmetic.jpg",
         claimingSize(makeJpeg(JpegOptions{.progressive = true, .arithmetic = true}), 4000, 4000),
         ReadFailure::Damaged},
        {"cut.jpg", photo.substr(0, firstScanData(photo) + 40), ReadFailure::Damaged},
        {"cut-ended.jpg", cutWithEndMarker(photo, firstScanData(photo) + 40), ReadFailure::Damaged},
        {"cut-progressive.jpg", cutWithEndMarker(progressivePhoto, progressivePhoto.size() * 2 / 3),
         ReadFailure::Damaged},
        {"scans.jpg", makeJpeg(JpegOptions{.scanPerCoefficient = true}), ReadFailure::Damaged},
        {"huge.png", png_files::claimingSize(smallPng, 16384, 16384), ReadFailure::TooLarge},
        {"empty.png", png_files::claimingSize(smallPng, 8000, 8000), ReadFailure::Damaged},
        {"cut.png", photoPng.substr(0, photoPng.size() / 2), ReadFailure::Damaged},
        {"no-end.png", photoPng.substr(0, photoPng.size() - 12), ReadFailure::Damaged},
        {"bad-checksum.png", badChecksum, ReadFailure::Damaged},
        {"text.png", "this is not a picture at all", ReadFailure::NotThisFormat},
    };
}

const std::vector<Hostile>& hostile() {
    static const std::vector<Hostile> files = hostileFiles();
    return files;
}

bool readData(const Hostile& file, RasterImage& image, ReadProblem* problem) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.bytes.data());
    if (file.png()) return readPngData(bytes, file.bytes.size(), image, problem);
    return file.jpeg() ? readJpegData(bytes, file.bytes.size(), image, problem)
                       : readBitmapData(bytes, file.bytes.size(), image, problem);
}

class HostileFileTest : public document_testing::DocumentTest {
  protected:
    std::u16string path(const std::string& name) const { return platform::toUtf16(folder / name); }
    bool memoryErrorShown() const {
        for (const auto& record : dialogs.records())
            if (record.caption == u"Memory Error") return true;
        return false;
    }
    platform::testing::TempFolder folder;
};

TEST_F(HostileFileTest, EachIsRefusedForWhatItIsWithoutTakingMemory) {
    for (const Hostile& file : hostile()) {
        SCOPED_TRACE(file.name);
        platform::testing::put(folder / file.name, file.bytes);
        RasterImage image;
        ReadProblem problem;
        {
            // Nothing the size of the claimed picture is asked for.
            platform::AllocationLimit limit(smallMemory);
            EXPECT_FALSE(readData(file, image, &problem));
            EXPECT_EQ(limit.refusedCount(), 0u);
        }
        EXPECT_EQ(problem.failure, file.expected) << problem.detail;
        EXPECT_FALSE(problem.detail.empty());
        EXPECT_TRUE(image.empty());
        EXPECT_FALSE(image.header);

        // Read from the file, the same.
        ReadProblem fromFile;
        const std::u16string name = path(file.name);
        const bool read = file.png() ? readPngFile(document.canvas, name.c_str(), image, &fromFile)
                          : file.jpeg()
                              ? readJpegFile(document.canvas, name.c_str(), image, &fromFile)
                              : readBitmapFile(document.canvas, name.c_str(), image, &fromFile);
        EXPECT_FALSE(read);
        EXPECT_EQ(fromFile.failure, file.expected) << fromFile.detail;
    }
    EXPECT_FALSE(memoryErrorShown());
}

TEST_F(HostileFileTest, NoneMakesTheProcessGrow) {
    // The library allocates with the system's allocator, out of sight of
    // the test limit, so the process's own accounting is asked.
    for (const Hostile& file : hostile()) {
        const std::int64_t growth = hostile_files::peakMemoryGrowth([&file] {
            RasterImage image;
            readData(file, image, nullptr);
        });
        EXPECT_GE(growth, 0) << file.name;
        EXPECT_LT(growth, std::int64_t(smallMemory)) << file.name;
    }
}

TEST_F(HostileFileTest, AnImportOfOneShowsTheLoadErrorAndChangesNothing) {
    stroke({{20, 20}, {60, 40}});
    document.flattenHistory();
    const auto live = canvasBytes(document.canvas.liveBits());
    const auto committed = canvasBytes(document.canvas.committedBits());
    const bool modified = document.modified;
    const int entries = historyLength();
    for (const Hostile& file : hostile()) {
        SCOPED_TRACE(file.name);
        platform::testing::put(folder / file.name, file.bytes);
        dialogs.clearRecords();
        dialogs.queueFileChoice(path(file.name));
        document.executeCommand(file.jpeg() ? DocCommand::ImportJpeg : DocCommand::ImportBitmap, 0);
        ASSERT_EQ(dialogs.records().size(), 2u);  // the file dialog and the message
        EXPECT_EQ(dialogs.records().back().caption, u"Load Error!");
        EXPECT_EQ(dialogs.records().back().text,
                  (file.png()    ? u"Cannot read the following PNG file: "
                   : file.jpeg() ? u"Cannot find the following jpeg file: "
                                 : u"Cannot find the following bitmap file: ") +
                      path(file.name));
        EXPECT_EQ(document.activeTool, nullptr);
        EXPECT_EQ(historyLength(), entries);
        EXPECT_EQ(document.modified, modified);
        EXPECT_EQ(canvasBytes(document.canvas.liveBits()), live);
        EXPECT_EQ(canvasBytes(document.canvas.committedBits()), committed);
    }
}

// The limit is on the picture's memory: a file that holds a picture of just
// under 256 MiB passes, one row more does not. (The files are sparse, and
// only their headers are read.)
TEST_F(HostileFileTest, TheSizeLimitIsTheMemoryThePixelsTake) {
    const std::int32_t width = 8192, rows = 10922;  // 24,576 bytes a row
    for (const std::int32_t height : {rows, rows + 1}) {
        const std::string name = folder / "large.bmp";
        platform::testing::put(name, hostile_files::bitmapClaiming(width, height, 24));
        std::filesystem::resize_file(name, 54 + std::uintmax_t(height) * 24576);
        BitmapFileInfo info;
        ASSERT_TRUE(readBitmapFileInfo(path("large.bmp").c_str(), info));
        EXPECT_EQ(info.readable, height == rows) << height;
        EXPECT_EQ(info.problem.failure, height == rows ? ReadFailure::None : ReadFailure::TooLarge);
    }
}

// The limits leave every real picture alone: progressive files of both
// samplings, arithmetic coding, greyscale, and a file of 64 scans.
TEST(RealJpegTest, PicturesOfEveryCodingStillImport) {
    const std::vector<JpegOptions> pictures = {
        {.width = 1500, .height = 1000, .progressive = true},
        {.width = 1500, .height = 1000, .progressive = true, .fullColour = true},
        {.width = 1200, .height = 900, .progressive = true, .arithmetic = true},
        {.width = 1200, .height = 900, .arithmetic = true},
        {.width = 999, .height = 777, .components = 1, .progressive = true},
        {.width = 320, .height = 200, .components = 1, .scanPerCoefficient = true},
    };
    for (const JpegOptions& options : pictures) {
        const std::string file = hostile_files::makeJpeg(options);
        RasterImage image;
        ReadProblem problem;
        EXPECT_TRUE(readJpegData(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(),
                                 image, &problem))
            << options.width << " x " << options.height << ": " << problem.detail;
        ASSERT_TRUE(image.bitmap);
        EXPECT_EQ(image.bitmap->width(), options.width);
        EXPECT_EQ(image.bitmap->height(), options.height);
    }
}

}  // namespace
