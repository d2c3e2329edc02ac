#include "platform/desktop_integration/png_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/desktop_integration/testing/run_command.h"
#include "platform/files/testing/temp_folder.h"

namespace platform {
namespace {

using testing::runCommand;
using testing::TempFolder;

std::uint32_t checksum(std::uint32_t (*sum)(const std::uint8_t*, std::size_t, std::uint32_t),
                       const std::string& text) {
    return sum(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), 0);
}

TEST(PngWriterTest, ChecksumsMatchTheirReferenceValues) {
    EXPECT_EQ(checksum(png::crc32, "123456789"), 0xCBF43926u);
    EXPECT_EQ(checksum(png::crc32, "IEND"), 0xAE426082u);
    const std::string text = "Wikipedia";
    EXPECT_EQ(png::adler32(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
              0x11E60398u);
    // Past the run length at which the sums are reduced.
    const std::string ones(100000, '\xFF');
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : ones) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(png::adler32(reinterpret_cast<const std::uint8_t*>(ones.data()), ones.size()),
              b << 16 | a);
}

TEST(PngWriterTest, InvalidIconsGiveNoFile) {
    EXPECT_TRUE(encodePng(IconImage{}).empty());
    IconImage wrongLength;
    wrongLength.size = 4;
    wrongLength.rgba.resize(10);
    EXPECT_TRUE(encodePng(wrongLength).empty());
}

TEST(PngWriterTest, StartsWithTheSignatureAndHeaderAndEndsWithIend) {
    IconImage icon;
    icon.size = 2;
    icon.rgba.assign(16, 0x80);
    const std::string png = encodePng(icon);
    ASSERT_GT(png.size(), 8u + 25 + 12);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    EXPECT_EQ(png.substr(8, 8), std::string("\0\0\0\x0DIHDR", 8));
    EXPECT_EQ(png.substr(png.size() - 12), std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
}

// What another program reads from our file is exactly what we wrote: a
// 256 x 256 picture needs several stored blocks, so their seams are tested too.
TEST(PngWriterTest, AnotherProgramReadsBackEveryPixel) {
    if (!testing::haveProgram("convert")) GTEST_SKIP() << "no ImageMagick convert";
    TempFolder temp;
    ASSERT_TRUE(temp.ok());
    for (const std::int32_t size : {1, 16, 256}) {
        IconImage icon;
        icon.size = size;
        for (std::int32_t y = 0; y < size; ++y)
            for (std::int32_t x = 0; x < size; ++x) {
                icon.rgba.push_back(std::uint8_t(x));
                icon.rgba.push_back(std::uint8_t(y));
                icon.rgba.push_back(std::uint8_t(x ^ y));
                icon.rgba.push_back(std::uint8_t(x + 3 * y));
            }
        testing::put(temp / "icon.png", encodePng(icon));
        std::string output;
        ASSERT_EQ(runCommand("identify -format \"%w %h\" " + temp / "icon.png", output), 0)
            << output;
        EXPECT_EQ(output, std::to_string(size) + " " + std::to_string(size));
        ASSERT_EQ(
            runCommand("convert " + temp / "icon.png" + " -depth 8 rgba:" + temp / "raw", output),
            0)
            << output;
        const std::string raw = testing::contents(temp / "raw");
        EXPECT_TRUE(raw == std::string(icon.rgba.begin(), icon.rgba.end())) << "size " << size;
    }
}

}  // namespace
}  // namespace platform
