// A deterministic fuzzing pass that runs with every test run: the seed files
// kept with the fuzzers (every bitmap variant, JPEG codings, PNG variants,
// sketch files, and the hostile files the readers once fell for) and small
// files the program writes itself, mutated thousands of times (bytes flipped,
// overwritten, inserted, cut) and fed to every reader. The sanitizers of
// the test build turn any out-of-bounds access or undefined behaviour into
// a failure.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/raster_image.h"
#include "document/bitmap_file.h"
#include "document/jpeg_file.h"
#include "document/png_file.h"
#include "document/sketch_file.h"
#include "fuzz/file_readers.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

namespace {

const std::uint8_t* bytesOf(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

// Four files made by the program from a small drawing.
std::vector<std::string> writtenSeeds(const platform::testing::TempFolder& folder) {
    platform::ScriptedDialogs dialogs;
    platform::setDialogs(&dialogs);
    platform::HeadlessWindow view(16, 16);
    Canvas canvas;
    std::vector<std::string> seeds;
    if (canvas.create(&view, 24, 18, 16, 16)) {
        for (std::int32_t y = 0; y < 18; ++y)
            for (std::int32_t x = 0; x < 24; ++x) {
                std::uint8_t* p = canvas.liveBits() + canvas.pixelOffset(x, y);
                p[0] = std::uint8_t(x * 10);
                p[1] = std::uint8_t(y * 13);
                p[2] = std::uint8_t((x * y) & 0xFF);
            }
        canvas.copyPictureRect(RECT{0, 0, 24, 18}, true);
        saveSketchFile(canvas, platform::toUtf16(folder / "seed.zsf").c_str());
        canvas.copyPictureRect(RECT{0, 0, 24, 18}, false);
        writeBitmapFileUncropped(canvas, platform::toUtf16(folder / "seed.bmp").c_str());
        writeJpegFile(canvas, platform::toUtf16(folder / "seed.jpg").c_str());
        writePngFileUncropped(canvas, platform::toUtf16(folder / "seed.png").c_str());
        for (const char* name : {"seed.zsf", "seed.bmp", "seed.jpg", "seed.png"})
            seeds.push_back(platform::testing::contents(folder / name));
    }
    platform::setDialogs(nullptr);
    return seeds;
}

// The seed corpus kept with the fuzzers, by name.
std::vector<std::filesystem::path> keptSeeds() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(MIRABO_FUZZ_SEEDS))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void mutate(std::string& bytes, std::mt19937& random) {
    const int edits = 1 + int(random() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 5) {
            case 0:
                bytes[at] = char(bytes[at] ^ (1 << (random() % 8)));
                break;
            case 1:
                bytes[at] = char(random());
                break;
            case 2:  // sizes and lengths are where readers go wrong
                bytes[at] = char(random() % 2 ? 0xFF : 0x00);
                break;
            case 3:
                bytes.insert(at, std::string(1 + random() % 8, char(random())));
                break;
            default:
                bytes.resize(at);
                break;
        }
    }
}

TEST(FileReadersFuzzTest, MutatedFilesNeverBreakTheReaders) {
    platform::testing::TempFolder folder;
    ASSERT_TRUE(folder.ok());
    std::vector<std::string> seeds = writtenSeeds(folder);
    ASSERT_EQ(seeds.size(), 4u);
    for (const auto& file : keptSeeds())
        seeds.push_back(platform::testing::contents(file));
    ASSERT_GT(seeds.size(), 40u);
    std::mt19937 random(2026);
    for (int round = 0; round < 12000; ++round) {
        std::string bytes = seeds[std::size_t(round) % seeds.size()];
        mutate(bytes, random);
        feedFileReaders(bytesOf(bytes), bytes.size());
    }
    // The untouched seeds still go through.
    for (const std::string& seed : seeds)
        feedFileReaders(bytesOf(seed), seed.size());
}

// The kept seeds read from their files as from memory: the sound ones are
// read, the hostile ones refused, the same way both times.
TEST(FileReadersFuzzTest, KeptSeedsReadAlikeFromFilesAndMemory) {
    platform::ScriptedDialogs dialogs;
    platform::setDialogs(&dialogs);
    platform::HeadlessWindow view(16, 16);
    Canvas canvas;
    ASSERT_TRUE(canvas.create(&view, 24, 18, 16, 16));
    for (const auto& file : keptSeeds()) {
        const std::string name = file.filename().string();
        const std::string bytes = platform::testing::contents(file);
        const std::u16string path = platform::toUtf16(file.string());
        const std::string kind = file.extension().string();
        const bool hostile = name.starts_with("hostile-");
        RasterImage image;
        ReadProblem fromFile, fromMemory;
        bool readFile = false, readMemory = false;
        if (kind == ".bmp") {
            readFile = readBitmapFile(canvas, path.c_str(), image, &fromFile);
            readMemory = readBitmapData(bytesOf(bytes), bytes.size(), image, &fromMemory);
        } else if (kind == ".png") {
            readFile = readPngFile(canvas, path.c_str(), image, &fromFile);
            readMemory = readPngData(bytesOf(bytes), bytes.size(), image, &fromMemory);
        } else if (kind == ".jpg") {
            readFile = readJpegFile(canvas, path.c_str(), image, &fromFile);
            readMemory = readJpegData(bytesOf(bytes), bytes.size(), image, &fromMemory);
        } else {
            std::uint16_t w = 0, h = 0;
            readFile = loadSketchFile(canvas, path.c_str(), w, h);
            readMemory = loadSketchData(canvas, bytesOf(bytes), bytes.size(), w, h);
            // A file of another size asks for a canvas of its own size.
            if (name == "other-size.zsf") {
                EXPECT_FALSE(readFile);
                EXPECT_EQ(w, 40);
                continue;
            }
        }
        EXPECT_EQ(readFile, readMemory) << name;
        EXPECT_EQ(fromFile.failure, fromMemory.failure) << name;
        // CMYK files are a variant the reader refuses; the rest are pictures.
        EXPECT_EQ(readFile, !hostile && name != "cmyk.jpg") << name << ": " << fromFile.detail;
    }
    EXPECT_TRUE(dialogs.records().empty());
    platform::setDialogs(nullptr);
}

}  // namespace
