#include "cli/convert_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "document/bitmap_file.h"
#include "document/testing/hostile_files.h"
#include "document/testing/png_files.h"
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

TEST_F(ConvertCommandTest, PngCarriesTheWholeCanvasWithoutLoss) {
    writeNoiseBitmap(folder / "noise.bmp", 300, 200);
    ASSERT_EQ(run({folder / "noise.bmp", folder / "noise.png"}), 0) << errors;
    ASSERT_EQ(run({folder / "noise.png", folder / "back.bmp"}), 0) << errors;
    EXPECT_EQ(contents(folder / "back.bmp"), contents(folder / "noise.bmp"));
    ASSERT_EQ(run({folder / "noise.png"}, true), 0) << errors;
    EXPECT_EQ(printed,
              "PNG file\nwidth: 300\nheight: 200\nbit depth: 8\ncolours: RGB\ninterlaced: no\n");
}

// Names come from the command line as the system's bytes, which need not
// be UTF-8: both files are found and written under exactly those bytes.
TEST_F(ConvertCommandTest, FileNamesThatAreNotUtf8AreKeptByteForByte) {
    writeNoiseBitmap(folder / "plain.bmp", 20, 10);
    const std::string latin1 = folder / "caf\xe9.bmp";
    std::filesystem::copy_file(folder / "plain.bmp", latin1);
    const std::string out = folder / "\xff\xfe.zsf";
    ASSERT_EQ(run({latin1, out}), 0) << errors;
    EXPECT_TRUE(std::filesystem::exists(out));
    ASSERT_EQ(run({out}, true), 0) << errors;
    EXPECT_NE(printed.find("size: 20 x 10"), std::string::npos) << printed;
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

// --- what is wrong, said plainly ------------------------------------------------

struct Problem {
    std::string name;
    std::string bytes;  // none: the file is not made
    std::string says;
};

std::vector<Problem> problems() {
    using namespace hostile_files;
    std::string cutBitmap = bitmapClaiming(40, 30, 24) + std::string(1000, '\x20');
    const std::string sketch("\x01\x00\x00\x00\x0A\x00\x0A\x00\xE8\x03\x00\x00", 12);
    const std::string jpeg = makeJpeg(JpegOptions{.width = 64, .height = 48});
    const std::string png = png_files::makePng({.width = 64, .height = 48});
    return {
        {"missing.bmp", "", "no such file"},
        {"text.bmp", "PK this is an archive", "not a bitmap file"},
        {"two.bmp", bitmapClaiming(4, 4, 2) + std::string(64, '\0'),
         "unsupported bitmap variant: 2 bits per pixel"},
        {"packed.bmp", bitmapClaiming(4, 4, 24, 5) + std::string(64, '\0'),
         "unsupported bitmap variant: a PNG picture inside a bitmap"},
        {"cut.bmp", cutBitmap, "truncated or corrupt bitmap file: the pixel data is cut short"},
        {"huge.bmp", bitmapClaiming(20000, 20000, 24), "picture too large: 20000 x 20000 pixels"},
        {"wide.bmp", bitmapClaiming(2000, 2, 24) + std::string(2 * 6000, '\0'),
         "picture too large: 2000 x 2 pixels; a canvas holds at most 1024 x 1024"},
        {"text.zsf", "some notes, not a drawing", "not a sketch file"},
        {"cut.zsf", sketch + std::string(10, '\0'),
         "truncated or corrupt sketch file: the compressed picture is cut short"},
        {"sized.zsf", std::string("\x01\x00\x00\x00\x00\x00\x0A\x00\x00\x00\x00\x00", 12),
         "truncated or corrupt sketch file: its header gives a size of 0 x 10 pixels"},
        {"cmyk.jpg", makeJpeg(JpegOptions{.components = 4}),
         "unsupported JPEG variant: CMYK colours"},
        {"cut.jpg", jpeg.substr(0, jpeg.size() / 2), "truncated or corrupt JPEG file"},
        {"text.jpg", "GIF89a", "not a JPEG file"},
        {"cut.png", png.substr(0, png.size() / 2),
         "truncated or corrupt PNG file: the file is cut short"},
        {"huge.png", png_files::claimingSize(png, 20000, 20000),
         "picture too large: 20000 x 20000 pixels"},
        {"text.png", "GIF89a", "not a PNG file"},
    };
}

TEST_F(ConvertCommandTest, EachProblemHasItsOwnMessageNamingTheFile) {
    for (const Problem& problem : problems()) {
        const std::string in = folder / problem.name;
        if (!problem.bytes.empty()) put(in, problem.bytes);
        EXPECT_EQ(run({in, folder / "out.bmp"}), 1) << problem.name;
        // One line: the program, the file, what is wrong and the details.
        EXPECT_EQ(errors.rfind("mirabo-cli: " + in + ": " + problem.says, 0), 0u) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_EQ(errors.back(), '\n');
        EXPECT_FALSE(std::filesystem::exists(folder / "out.bmp"));
    }
    std::filesystem::create_directory(folder / "folder.bmp");
    EXPECT_EQ(run({folder / "folder.bmp", folder / "out.jpg"}), 1);
    EXPECT_NE(errors.find("cannot be opened"), std::string::npos) << errors;
}

// Runs `work` as a user without the test's rights when the tests run as
// the superuser, whom no permission stops; its result is the exit status.
int asOrdinaryUser(const std::function<int()>& work) {
    if (geteuid() != 0) return work();
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(99);
        _exit(work());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST_F(ConvertCommandTest, APermissionProblemIsSaidSo) {
    writeNoiseBitmap(folder / "secret.bmp", 8, 8);
    chmod((folder / "secret.bmp").c_str(), 0);
    // The temporary folder itself admits nobody else either.
    chmod(folder.path().c_str(), 0711);
    const int status = asOrdinaryUser([&] {
        if (run({folder / "secret.bmp", folder / "out.jpg"}) != 1) return 1;
        if (errors != "mirabo-cli: " + folder / "secret.bmp" +
                          ": permission denied (the file, or a folder on its path, may not be "
                          "read)\n")
            return 2;
        return run({folder / "secret.bmp"}, true) == 1 &&
                       errors.find("permission denied") != std::string::npos
                   ? 0
                   : 3;
    });
    chmod(folder.path().c_str(), 0700);
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "out.jpg"));
}

TEST_F(ConvertCommandTest, InfoPrintsOnlyFieldsThatMakeSense) {
    // A header of a size no bitmap has: nothing of it is shown.
    std::string nonsense = hostile_files::bitmapClaiming(4, 4, 24);
    nonsense[14] = 'A';
    nonsense[15] = 'A';
    put(folder / "nonsense.bmp", nonsense);
    EXPECT_EQ(run({folder / "nonsense.bmp"}, true), 1);
    EXPECT_EQ(printed, "");
    EXPECT_NE(errors.find("truncated or corrupt bitmap file: an information header of 16705 bytes"),
              std::string::npos)
        << errors;
    // A sound header of a variant that is not read: the fields, then why.
    put(folder / "two.bmp", hostile_files::bitmapClaiming(4, 3, 2) + std::string(64, '\0'));
    EXPECT_EQ(run({folder / "two.bmp"}, true), 1);
    EXPECT_NE(printed.find("width: 4\nheight: 3\nrows: bottom-up\nbits per pixel: 2\n"),
              std::string::npos)
        << printed;
    EXPECT_NE(errors.find("unsupported bitmap variant: 2 bits per pixel"), std::string::npos);
    // Text in a sketch file's place is not taken for a headerless sketch.
    put(folder / "notes.zsf", "Shopping: milk, eggs, bread");
    EXPECT_EQ(run({folder / "notes.zsf"}, true), 1);
    EXPECT_EQ(printed, "");
    EXPECT_NE(errors.find("not a sketch file"), std::string::npos) << errors;
    put(folder / "old.zsf", std::string("\x03\x00\x00\x00xyz", 7));
    EXPECT_EQ(run({folder / "old.zsf"}, true), 0) << errors;
    EXPECT_EQ(printed, "sketch file (headerless form)\ncompressed length: 3\n");
    // JPEG headers, progressive or not.
    const std::string jpeg =
        hostile_files::makeJpeg({.width = 30, .height = 20, .progressive = true});
    put(folder / "photo.jpg", jpeg);
    EXPECT_EQ(run({folder / "photo.jpg"}, true), 0) << errors;
    EXPECT_EQ(printed, "JPEG file\nwidth: 30\nheight: 20\ncomponents: 3\nprogressive: yes\n");
    put(folder / "claims.jpg", hostile_files::claimingSize(jpeg, 9000, 9000));
    EXPECT_EQ(run({folder / "claims.jpg"}, true), 1);
    EXPECT_NE(errors.find("it holds too little data for 9000 x 9000 pixels"), std::string::npos)
        << errors;
}

}  // namespace
