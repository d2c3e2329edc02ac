#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "canvas/testing/canvas_fixture.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/gdi/bitmap.h"
#include "platform/text/utf.h"

namespace file_format_testing {

// A canvas on a headless view with a fresh folder for the files of one test.
class FileFormatTest : public canvas_testing::CanvasTest {
  protected:
    void SetUp() override { ASSERT_TRUE(temp.ok()); }

    std::string native(const std::string& name) const { return temp / name; }
    std::u16string path(const std::string& name) const { return platform::toUtf16(temp / name); }

    // The names in the test's folder, sorted: shows stray temporary files.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path()))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    std::string bytesOf(const std::string& name) const {
        return platform::testing::contents(native(name));
    }
    void write(const std::string& name, const std::string& data) const {
        platform::testing::put(native(name), data);
    }

    bool memoryErrorShown() const {
        for (const auto& record : dialogs.records())
            if (record.caption == u"Memory Error") return true;
        return false;
    }

    platform::testing::TempFolder temp;
};

// Makes every write that would take a file beyond `bytes` fail, as a full
// storage card does, while it is alive. The signal the system would send
// instead is ignored for that time.
class ScopedFileSizeLimit {
  public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~ScopedFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, oldHandler_);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

    bool active() const { return active_; }

  private:
    rlimit old_{};
    sighandler_t oldHandler_ = SIG_DFL;
    bool active_ = false;
};

// The colour of pixel (x, y), counted from the top, of a bitmap of any depth.
inline COLORREF colourAt(const platform::Bitmap& bitmap, std::int32_t x, std::int32_t y) {
    const std::uint8_t* row = bitmap.row(y);
    int index = 0;
    switch (bitmap.bitCount()) {
        case 24:
            return rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        case 8:
            index = row[x];
            break;
        case 4:
            index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
            break;
        default:
            index = (row[x / 8] >> (7 - x % 8)) & 1;
            break;
    }
    const platform::RgbQuad& entry = bitmap.colourTable()[index];
    return rgb(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

// ImageMagick stands for the other programs whose files the program must
// read and which must read the program's files.
inline bool haveImageMagick() {
    return access("/usr/bin/convert", X_OK) == 0;
}

inline bool runConvert(const std::string& arguments) {
    const std::string command = "/usr/bin/convert " + arguments + " 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

// The pixels of any image file as ImageMagick decodes them: red, green, blue
// bytes, top row first. Empty when it cannot read the file.
inline std::string decodedByImageMagick(const std::string& file, const std::string& scratch) {
    if (!runConvert("'" + file + "' -depth 8 'rgb:" + scratch + "'")) return {};
    return platform::testing::contents(scratch);
}

// Writes top-down red, green, blue bytes of the given size as a raw file that
// ImageMagick can turn into any format.
inline void writeRgb(const std::string& file, const std::vector<std::uint8_t>& rgbBytes) {
    platform::testing::put(file, std::string(rgbBytes.begin(), rgbBytes.end()));
}

}  // namespace file_format_testing
