#include "document/sketch_file.h"

#include <gtest/gtest.h>
#include <lzo/lzo1x.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "document/file_format_pictures.h"
#include "document/file_format_test_support.h"
#include "platform/memory/large_buffer.h"

namespace {

using file_format_pictures::canvasRows;
using file_format_testing::FileFormatTest;
using file_format_testing::ScopedFileSizeLimit;

std::uint32_t u32At(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

std::uint16_t u16At(const std::string& bytes, std::size_t offset) {
    std::uint16_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 2);
    return value;
}

std::string le32(std::uint32_t value) {
    return std::string(reinterpret_cast<const char*>(&value), 4);
}

std::string le16(std::uint16_t value) {
    return std::string(reinterpret_cast<const char*>(&value), 2);
}

// What the library makes of some bytes, independently of the file code.
std::string compress(const std::vector<std::uint8_t>& bytes) {
    EXPECT_EQ(lzo_init(), LZO_E_OK);
    std::vector<std::uint8_t> out(bytes.size() + bytes.size() / 16 + 67);
    std::vector<std::uint8_t> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint length = 0;
    EXPECT_EQ(lzo1x_1_compress(bytes.data(), bytes.size(), out.data(), &length, work.data()),
              LZO_E_OK);
    return std::string(out.begin(), out.begin() + std::ptrdiff_t(length));
}

// The bytes a stream expands to, or nothing when it is not a valid stream.
std::vector<std::uint8_t> expand(const std::string& packed, std::size_t limit) {
    std::vector<std::uint8_t> out(limit);
    lzo_uint length = limit;
    if (lzo1x_decompress_safe(reinterpret_cast<const std::uint8_t*>(packed.data()), packed.size(),
                              out.data(), &length, nullptr) != LZO_E_OK)
        return {};
    out.resize(length);
    return out;
}

class SketchFileTest : public FileFormatTest {
  protected:
    bool save(const std::string& name) { return saveSketchFile(canvas, path(name).c_str()); }
    bool load(const std::string& name) {
        return loadSketchFile(canvas, path(name).c_str(), fileWidth, fileHeight);
    }
    std::vector<std::uint8_t> committedRows() const {
        return canvasRows(canvas, canvas.committedBits());
    }
    // Something other than any picture saved here, so a load that does
    // nothing cannot pass for one that worked.
    void scrambleCommitted() {
        std::memset(canvas.committedBits(), 0x5A,
                    std::size_t(canvas.allocatedRows()) * std::size_t(canvas.rowStride()));
    }
    // A current-version file for a picture of the given size.
    std::string fileFor(std::uint16_t width, std::uint16_t height, const std::string& packed) {
        return le32(1) + le16(width) + le16(height) + le32(std::uint32_t(packed.size())) + packed;
    }

    std::uint16_t fileWidth = 7;
    std::uint16_t fileHeight = 7;
};

// --- the byte layout --------------------------------------------------------

TEST_F(SketchFileTest, AWhiteCanvasIsAHeaderAndAStreamOfItsRows) {
    ASSERT_TRUE(make(240, 320));
    ASSERT_TRUE(save("white.zsf"));
    const std::string file = bytesOf("white.zsf");
    ASSERT_GE(file.size(), 12u);
    EXPECT_EQ(u32At(file, 0), 1u);
    EXPECT_EQ(u16At(file, 4), 240);
    EXPECT_EQ(u16At(file, 6), 320);
    EXPECT_EQ(u32At(file, 8), file.size() - 12);
    EXPECT_LT(file.size(), 2000u);  // white compresses to almost nothing

    const std::vector<std::uint8_t> rows = expand(file.substr(12), 1'000'000);
    ASSERT_EQ(rows.size(), 320u * 720u);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), 0xFF), std::ptrdiff_t(rows.size()));
    EXPECT_TRUE(canvas.compressorReady());
}

TEST_F(SketchFileTest, RowsRunBottomUpWithTheirPaddingAsInMemory) {
    ASSERT_TRUE(make(241, 10));
    ASSERT_EQ(canvas.rowStride(), 724);
    file_format_pictures::paintNoise(canvas, canvas.committedBits());
    const std::vector<std::uint8_t> expected = committedRows();
    ASSERT_TRUE(save("wide.zsf"));
    const std::string file = bytesOf("wide.zsf");
    ASSERT_GE(file.size(), 12u);
    const std::vector<std::uint8_t> rows = expand(file.substr(12), 1'000'000);
    ASSERT_EQ(rows.size(), 10u * 724u);
    EXPECT_EQ(rows, expected);
    // The first stored row is canvas row 9, the bottom one.
    EXPECT_EQ(0, std::memcmp(rows.data(), canvas.committedBits() + canvas.pixelOffset(0, 9), 724));
}

TEST_F(SketchFileTest, InfoReportsTheHeaderOfBothForms) {
    ASSERT_TRUE(make(100, 50));
    ASSERT_TRUE(save("doc.zsf"));
    SketchFileInfo info;
    ASSERT_TRUE(readSketchFileInfo(path("doc.zsf").c_str(), info));
    EXPECT_FALSE(info.headerless);
    EXPECT_EQ(info.version, 1u);
    EXPECT_EQ(info.width, 100);
    EXPECT_EQ(info.height, 50);
    EXPECT_EQ(std::int64_t(info.packedLength) + 12, info.fileBytes);

    write("old.zsf", le32(77) + std::string(77, '\0'));
    ASSERT_TRUE(readSketchFileInfo(path("old.zsf").c_str(), info));
    EXPECT_TRUE(info.headerless);
    EXPECT_EQ(info.packedLength, 77u);
    EXPECT_EQ(info.width, 0);

    write("short.zsf", std::string("\x01\x00\x00\x00\xF0", 5));
    EXPECT_FALSE(readSketchFileInfo(path("short.zsf").c_str(), info));
    EXPECT_FALSE(readSketchFileInfo(path("missing.zsf").c_str(), info));
}

// --- round trips ----------------------------------------------------------------

struct RoundTripCase {
    std::uint16_t width;
    std::uint16_t height;
    const char* picture;
};

class SketchFileRoundTrip : public SketchFileTest,
                            public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(SketchFileRoundTrip, LoadGivesTheSavedPictureBackByteForByte) {
    const RoundTripCase c = GetParam();
    ASSERT_TRUE(make(c.width, c.height));
    const std::string picture = c.picture;
    if (picture == "white") file_format_pictures::paintWhite(canvas, canvas.committedBits());
    if (picture == "shapes") file_format_pictures::paintShapes(canvas, canvas.committedBits());
    if (picture == "photo") file_format_pictures::paintPhoto(canvas, canvas.committedBits());
    if (picture == "noise") file_format_pictures::paintNoise(canvas, canvas.committedBits());
    const std::vector<std::uint8_t> saved = committedRows();
    ASSERT_TRUE(save("doc.zsf"));
    scrambleCommitted();
    ASSERT_TRUE(load("doc.zsf"));
    EXPECT_EQ(fileWidth, 0);
    EXPECT_EQ(fileHeight, 0);
    EXPECT_TRUE(committedRows() == saved);
    EXPECT_EQ(names(), std::vector<std::string>{"doc.zsf"});
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, SketchFileRoundTrip,
    ::testing::Values(RoundTripCase{1, 1, "noise"}, RoundTripCase{1024, 1, "noise"},
                      RoundTripCase{1, 1024, "noise"}, RoundTripCase{241, 7, "noise"},
                      RoundTripCase{1024, 10, "noise"}, RoundTripCase{240, 320, "white"},
                      RoundTripCase{240, 320, "shapes"}, RoundTripCase{600, 600, "photo"},
                      RoundTripCase{1024, 1024, "shapes"}, RoundTripCase{1024, 1024, "noise"}),
    [](const auto& param) {
        return std::to_string(param.param.width) + "x" + std::to_string(param.param.height) + "_" +
               param.param.picture;
    });

// --- the older form and other sizes ------------------------------------------------

TEST_F(SketchFileTest, AHeaderlessFileLoadsAtTheCanvasSize) {
    ASSERT_TRUE(make(30, 20));
    file_format_pictures::paintShapes(canvas, canvas.committedBits());
    const std::vector<std::uint8_t> rows = committedRows();
    const std::string packed = compress(rows);
    write("old.zsf", le32(std::uint32_t(packed.size())) + packed);
    scrambleCommitted();
    ASSERT_TRUE(load("old.zsf"));
    EXPECT_EQ(fileWidth, 0);
    EXPECT_EQ(fileHeight, 0);
    EXPECT_TRUE(committedRows() == rows);
}

TEST_F(SketchFileTest, AFileOfAnotherSizeReportsItAndLeavesThePictureAlone) {
    ASSERT_TRUE(make(240, 320));
    file_format_pictures::paintShapes(canvas, canvas.committedBits());
    const std::vector<std::uint8_t> before = committedRows();
    write("small.zsf", fileFor(100, 50, compress(std::vector<std::uint8_t>(50 * 300, 0xFF))));
    EXPECT_FALSE(load("small.zsf"));
    EXPECT_EQ(fileWidth, 100);
    EXPECT_EQ(fileHeight, 50);
    EXPECT_TRUE(committedRows() == before);

    // Made at the file's size, the canvas takes the file.
    ASSERT_TRUE(make(100, 50));
    EXPECT_TRUE(load("small.zsf"));
    EXPECT_EQ(fileWidth, 0);
    EXPECT_EQ(fileHeight, 0);
}

TEST_F(SketchFileTest, ASizeNoCanvasCanHaveIsACorruptFile) {
    ASSERT_TRUE(make(40, 30));
    file_format_pictures::paintShapes(canvas, canvas.committedBits());
    const std::vector<std::uint8_t> before = committedRows();
    const std::string packed = compress(std::vector<std::uint8_t>(30 * 120, 0));
    const std::pair<std::uint16_t, std::uint16_t> sizes[] = {
        {0, 30}, {40, 0}, {1025, 30}, {40, 1025}, {0xFFFF, 0xFFFF}};
    for (const auto& [width, height] : sizes) {
        write("bad.zsf", fileFor(width, height, packed));
        EXPECT_FALSE(load("bad.zsf")) << width << " x " << height;
        // Reported as damage, not as a size to make the canvas.
        EXPECT_EQ(fileWidth, 0);
        EXPECT_EQ(fileHeight, 0);
    }
    EXPECT_TRUE(committedRows() == before);
}

// --- damaged files --------------------------------------------------------------

TEST_F(SketchFileTest, LengthsThatDoNotMatchTheDataFail) {
    ASSERT_TRUE(make(40, 30));
    file_format_pictures::paintShapes(canvas, canvas.committedBits());
    const std::string packed = compress(committedRows());
    const std::string header = le32(1) + le16(40) + le16(30);

    // Longer than the file.
    write("long.zsf", header + le32(std::uint32_t(packed.size() + 100)) + packed);
    EXPECT_FALSE(load("long.zsf"));
    // Longer than the live picture's memory could ever hold.
    write("huge.zsf", header + le32(0xFFFFFFF0u) + packed);
    EXPECT_FALSE(load("huge.zsf"));
    write("huge_old.zsf", le32(0x7FFFFFFFu) + packed);
    EXPECT_FALSE(load("huge_old.zsf"));
    // Longer than the live picture's memory but within what a save could
    // make, and missing from the file.
    const std::uint32_t liveBytes =
        std::uint32_t(canvas.allocatedRows()) * std::uint32_t(canvas.rowStride());
    write("beyond.zsf", header + le32(liveBytes + 10) + packed);
    EXPECT_FALSE(load("beyond.zsf"));
    // Stray bytes after the stream.
    write("tail.zsf", header + le32(std::uint32_t(packed.size() + 3)) + packed + "xyz");
    EXPECT_FALSE(load("tail.zsf"));
    // Nothing at all.
    write("empty.zsf", header + le32(0));
    EXPECT_FALSE(load("empty.zsf"));
}

TEST_F(SketchFileTest, AStreamThatDoesNotFillThePictureExactlyFails) {
    ASSERT_TRUE(make(40, 30));
    const std::size_t bytes = 30 * 120;
    write("more.zsf", fileFor(40, 30, compress(std::vector<std::uint8_t>(bytes + 120, 0x11))));
    EXPECT_FALSE(load("more.zsf"));
    write("less.zsf", fileFor(40, 30, compress(std::vector<std::uint8_t>(bytes - 120, 0x11))));
    EXPECT_FALSE(load("less.zsf"));
}

TEST_F(SketchFileTest, EveryTruncationOfAValidFileFailsWithoutWriting) {
    ASSERT_TRUE(make(16, 8));
    file_format_pictures::paintShapes(canvas, canvas.committedBits());
    ASSERT_TRUE(save("whole.zsf"));
    const std::string whole = bytesOf("whole.zsf");
    for (std::size_t length = 0; length < whole.size(); ++length) {
        write("cut.zsf", whole.substr(0, length));
        EXPECT_FALSE(load("cut.zsf")) << "length " << length;
    }
    EXPECT_EQ(bytesOf("whole.zsf"), whole);
    EXPECT_EQ(names(), (std::vector<std::string>{"cut.zsf", "whole.zsf"}));
    EXPECT_TRUE(load("whole.zsf"));
}

TEST_F(SketchFileTest, RandomBytesNeverLoad) {
    ASSERT_TRUE(make(16, 8));
    std::mt19937 random(3);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 300, '\0');
        for (char& c : bytes)
            c = char(random());
        // Half of them with a proper header in front, so the stream is tried.
        if (round % 2) bytes = fileFor(16, 8, bytes);
        write("noise.zsf", bytes);
        EXPECT_FALSE(load("noise.zsf")) << "round " << round;
    }
    EXPECT_EQ(names(), std::vector<std::string>{"noise.zsf"});
}

TEST_F(SketchFileTest, MissingFilesAndCanvasesFail) {
    EXPECT_FALSE(save("none.zsf"));  // no canvas yet
    EXPECT_FALSE(load("none.zsf"));
    ASSERT_TRUE(make(16, 8));
    EXPECT_FALSE(canvas.compressorReady());
    EXPECT_FALSE(load("none.zsf"));
    EXPECT_TRUE(canvas.compressorReady());
    EXPECT_FALSE(loadSketchFile(canvas, nullptr, fileWidth, fileHeight));
    EXPECT_FALSE(saveSketchFile(canvas, nullptr));
    EXPECT_TRUE(names().empty());
}

// --- saving safely -----------------------------------------------------------------

TEST_F(SketchFileTest, SavingIntoAMissingFolderCreatesNothing) {
    ASSERT_TRUE(make(16, 8));
    EXPECT_FALSE(save("missing/doc.zsf"));
    EXPECT_TRUE(names().empty());
}

TEST_F(SketchFileTest, AFailingWriteLeavesThePreviousFileAndNoTemporary) {
    ASSERT_TRUE(make(200, 200));
    write("doc.zsf", "the previous drawing");
    file_format_pictures::paintNoise(canvas, canvas.committedBits());
    {
        ScopedFileSizeLimit full(4096);
        ASSERT_TRUE(full.active());
        EXPECT_FALSE(save("doc.zsf"));
    }
    EXPECT_EQ(bytesOf("doc.zsf"), "the previous drawing");
    EXPECT_EQ(names(), std::vector<std::string>{"doc.zsf"});
    // With room again the same save goes through.
    EXPECT_TRUE(save("doc.zsf"));
    EXPECT_EQ(names(), std::vector<std::string>{"doc.zsf"});
}

TEST_F(SketchFileTest, ANarrowCanvasSavesAndLoadsWithoutAllocating) {
    ASSERT_TRUE(make(16, 300));
    file_format_pictures::paintNoise(canvas, canvas.committedBits());
    const std::vector<std::uint8_t> rows = committedRows();
    platform::AllocationLimit nothing(0, 0);
    ASSERT_TRUE(save("doc.zsf"));
    scrambleCommitted();
    ASSERT_TRUE(load("doc.zsf"));
    EXPECT_EQ(nothing.refusedCount(), 0u);
    EXPECT_TRUE(committedRows() == rows);
}

TEST_F(SketchFileTest, WithoutRoomForTheWorstCaseAndNoMemoryTheSaveFailsSafely) {
    // Incompressible pixels of a wide, low canvas may not fit the spare rows;
    // the save then needs a block of its own.
    ASSERT_TRUE(make(1024, 10));
    write("doc.zsf", "the previous drawing");
    file_format_pictures::paintNoise(canvas, canvas.committedBits());
    {
        platform::AllocationLimit nothing(0, 0);
        EXPECT_FALSE(save("doc.zsf"));
        EXPECT_GT(nothing.refusedCount(), 0u);
    }
    EXPECT_EQ(bytesOf("doc.zsf"), "the previous drawing");
    EXPECT_EQ(names(), std::vector<std::string>{"doc.zsf"});
    // With memory the picture is saved, and a stream longer than the live
    // picture's memory is read back through a block of its own as well.
    ASSERT_TRUE(save("doc.zsf"));
    SketchFileInfo info;
    ASSERT_TRUE(readSketchFileInfo(path("doc.zsf").c_str(), info));
    EXPECT_GT(info.packedLength,
              std::uint32_t(canvas.allocatedRows()) * std::uint32_t(canvas.rowStride()));
    const std::vector<std::uint8_t> rows = committedRows();
    scrambleCommitted();
    {
        platform::AllocationLimit nothing(0, 0);
        EXPECT_FALSE(load("doc.zsf"));
    }
    scrambleCommitted();
    ASSERT_TRUE(load("doc.zsf"));
    EXPECT_TRUE(committedRows() == rows);
}

}  // namespace
