// A deterministic fuzzing pass that runs with every test run: small valid
// files of each format, written by the program itself, mutated thousands of
// times (bytes flipped, overwritten, inserted, cut) and fed to every reader.
// The sanitizers of the test build turn any out-of-bounds access or
// undefined behaviour into a failure.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "document/bitmap_file.h"
#include "document/jpeg_file.h"
#include "document/sketch_file.h"
#include "fuzz/file_readers.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

namespace {

// Three seed files made by the program from a small drawing.
std::vector<std::string> seedFiles(const platform::testing::TempFolder& folder) {
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
        for (const char* name : {"seed.zsf", "seed.bmp", "seed.jpg"})
            seeds.push_back(platform::testing::contents(folder / name));
    }
    platform::setDialogs(nullptr);
    return seeds;
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
    const std::vector<std::string> seeds = seedFiles(folder);
    ASSERT_EQ(seeds.size(), 3u);
    std::mt19937 random(2026);
    for (int round = 0; round < 6000; ++round) {
        std::string bytes = seeds[std::size_t(round) % seeds.size()];
        mutate(bytes, random);
        feedFileReaders(folder.path(), reinterpret_cast<const std::uint8_t*>(bytes.data()),
                        bytes.size());
    }
    // The untouched seeds still read.
    for (const std::string& seed : seeds)
        feedFileReaders(folder.path(), reinterpret_cast<const std::uint8_t*>(seed.data()),
                        seed.size());
}

}  // namespace
