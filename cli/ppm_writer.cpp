#include "cli/ppm_writer.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "canvas/canvas.h"
#include "platform/gdi/bitmap.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// `rowAt(y)` gives the blue, green, red bytes of image row y.
template <typename RowAt>
bool writePpm(const std::string& path, std::int32_t width, std::int32_t height, RowAt rowAt) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    if (std::fprintf(file.get(), "P6\n%d %d\n255\n", width, height) < 0) return false;
    std::vector<std::uint8_t> rgbRow(std::size_t(width) * 3);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* bgr = rowAt(y);
        for (std::int32_t x = 0; x < width; ++x) {
            rgbRow[3 * x] = bgr[3 * x + 2];
            rgbRow[3 * x + 1] = bgr[3 * x + 1];
            rgbRow[3 * x + 2] = bgr[3 * x];
        }
        if (std::fwrite(rgbRow.data(), 1, rgbRow.size(), file.get()) != rgbRow.size()) return false;
    }
    return std::fclose(file.release()) == 0;
}

}  // namespace

bool writeCanvasPpm(const Canvas& canvas, const std::string& path) {
    if (!canvas.liveBits()) return false;
    return writePpm(path, canvas.width(), canvas.height(),
                    [&](std::int32_t y) { return canvas.liveBits() + canvas.pixelOffset(0, y); });
}

bool writeBitmapPpm(const platform::Bitmap& bitmap, const std::string& path) {
    if (bitmap.bitCount() != 24) return false;
    return writePpm(path, bitmap.width(), bitmap.height(),
                    [&](std::int32_t y) { return bitmap.row(y); });
}
