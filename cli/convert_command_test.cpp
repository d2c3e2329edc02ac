#include "cli/convert_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "document/bitmap_file.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

namespace {

using platform::testing::contents;
using platform::testing::put;

class ConvertCommandTest : public ::testing::Test {
  protected:
    int run(std::vector<std::string> arguments, bool info = false) {
        std::vector<std::vector<char>> storage;
        std::vector<char*> argv;
        for (const std::string& a : arguments) {
            storage.emplace_back(a.begin(), a.end());
            storage.back().push_back('\0');
        }
        for (auto& s : storage)
            argv.push_back(s.data());
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int status = info ? infoCommand(int(argv.size()), argv.data(), out, err)
                                : convertCommand(int(argv.size()), argv.data(), out, err);
        printed = read(out);
        errors = read(err);
        return status;
    }
    static std::string read(std::FILE* file) {
        std::rewind(file);
        std::string text;
        char buffer[1024];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, n);
        std::fclose(file);
        return text;
    }
    // A bitmap file of noise, written the way the program exports a whole canvas.
    void writeNoiseBitmap(const std::string& path, std::uint16_t width, std::uint16_t height) {
        platform::HeadlessWindow view(240, 268);
        Canvas canvas;
        ASSERT_TRUE(canvas.create(&view, width, height, 240, 320));
        std::mt19937 random(3);
        for (std::int32_t y = 0; y < height; ++y) {
            std::uint8_t* row = canvas.liveBits() + canvas.pixelOffset(0, y);
            for (std::int32_t i = 0; i < 3 * width; ++i)
                row[i] = std::uint8_t(random());
        }
        ASSERT_TRUE(writeBitmapFileUncropped(canvas, platform::toUtf16(path).c_str()));
    }

    platform::testing::TempFolder folder;
    std::string printed, errors;
};

TEST_F(ConvertCommandTest, BitmapToSketchAndBackLosesNothing) {
    writeNoiseBitmap(folder / "noise.bmp", 1024, 1024);
    ASSERT_EQ(run({folder / "noise.bmp", folder / "noise.zsf"}), 0) << errors;
    ASSERT_EQ(run({folder / "noise.zsf", folder / "back.bmp"}), 0) << errors;
    const std::string original = contents(folder / "noise.bmp");
    const std::string back = contents(folder / "back.bmp");
    ASSERT_EQ(original.size(), 54u + 1024u * 3072u);
    EXPECT_EQ(back.size(), original.size());
    EXPECT_TRUE(original.compare(54, std::string::npos, back, 54, std::string::npos) == 0);

    ASSERT_EQ(run({folder / "noise.zsf"}, true), 0);
    EXPECT_NE(printed.find("size: 1024 x 1024"), std::string::npos) << printed;
}

TEST_F(ConvertCommandTest, CropAsksForTheExportCropping) {
    writeNoiseBitmap(folder / "small.bmp", 40, 30);
    ASSERT_EQ(run({folder / "small.bmp", folder / "small.jpg"}), 0) << errors;
    ASSERT_EQ(run({folder / "small.jpg"}, true), 0);
    EXPECT_NE(printed.find("width: 40"), std::string::npos) << printed;
    ASSERT_EQ(run({folder / "small.bmp", folder / "cropped.bmp", "--crop"}), 0) << errors;
    ASSERT_EQ(run({folder / "cropped.bmp"}, true), 0);
    EXPECT_NE(printed.find("width: 40"), std::string::npos) << printed;
}

TEST_F(ConvertCommandTest, BadInputIsAnErrorAndWritesNothing) {
    put(folder / "junk.bmp", "BM this is not a bitmap");
    put(folder / "junk.zsf", std::string(40, '\x7f'));
    for (const std::string& in :
         {folder / "junk.bmp", folder / "junk.zsf", folder / "missing.jpg"}) {
        EXPECT_EQ(run({in, folder / "out.bmp"}), 1) << in;
        EXPECT_FALSE(errors.empty());
        EXPECT_FALSE(std::filesystem::exists(folder / "out.bmp"));
    }
    EXPECT_EQ(run({folder / "junk.bmp", folder / "out.png"}), 1);
    EXPECT_EQ(run({folder / "junk.bmp"}), 1);
    EXPECT_EQ(run({folder / "missing.zsf"}, true), 1);
    EXPECT_EQ(run({folder / "notes.txt"}, true), 1);
}

}  // namespace
