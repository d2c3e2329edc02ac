// PNG export and import on the largest canvas beside the PNG library doing
// the same work plainly: the same rows compressed at the same settings onto
// a temporary file that is flushed and renamed over the target, and the same
// file read into one buffer of the picture's layout. The ratios show what the
// program adds (the ink search, the checks, the safe replacement) and
// nothing else.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/file_format_setup.h"
#include "canvas/raster_image.h"
#include "document/file_format_export.h"
#include "document/png_file.h"

namespace {

using file_format_bench::addTargets;
using file_format_bench::Picture;
using file_format_bench::Setup;

void exportPng(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::u16string path = s.path("picture.png");
    for (auto _ : state) {
        if (!writePngFile(s.canvas, path.c_str())) state.SkipWithError("export failed");
    }
}

// The library's own compression of the exported rows through its standard
// file output, flushed to storage and renamed over the target.
void libpngWrite(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const file_format::InkBounds ink = file_format::findInk(s.canvas);
    const std::string path = s.folder / "plain.png";
    const std::string temporary = path + ".tmp";
    const std::size_t stride = std::size_t(s.canvas.rowStride());
    for (auto _ : state) {
        std::FILE* file = std::fopen(temporary.c_str(), "wb");
        if (!file) {
            state.SkipWithError("fopen failed");
            break;
        }
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(ink.width()), png_uint_32(ink.height()), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        png_set_bgr(png);
        for (std::int32_t row = ink.lastRow; row >= ink.firstRow; --row)
            png_write_row(
                png, s.canvas.liveBits() + std::size_t(row) * stride + 3 * std::size_t(ink.left));
        png_write_end(png, nullptr);
        png_destroy_write_struct(&png, &info);
        file_format_bench::replacePlainly(file, temporary, path, s.folder);
    }
}

// The whole canvas, so that the white picture makes a file too.
std::string writeWholeCanvas(const Setup& s) {
    writePngFileUncropped(s.canvas, s.path("picture.png").c_str());
    return s.folder / "picture.png";
}

void importPng(benchmark::State& state, Picture picture) {
    Setup s(picture);
    writeWholeCanvas(s);
    const std::u16string path = s.path("picture.png");
    for (auto _ : state) {
        RasterImage image;
        if (!readPngFile(s.canvas, path.c_str(), image)) state.SkipWithError("import failed");
    }
}

// Decoding through the library's standard file input into one buffer of the
// picture's layout, allocated per run as the import allocates its bitmap.
void libpngRead(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::string path = writeWholeCanvas(s);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file) {
            state.SkipWithError("fopen failed");
            break;
        }
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, file);
        png_read_info(png, info);
        png_set_bgr(png);
        png_read_update_info(png, info);
        const png_uint_32 width = png_get_image_width(png, info);
        const png_uint_32 height = png_get_image_height(png, info);
        const std::size_t stride = (3 * std::size_t(width) + 3) / 4 * 4;
        std::vector<std::uint8_t> pixels(stride * height);
        for (png_uint_32 i = 0; i < height; ++i)
            png_read_row(png, pixels.data() + (height - 1 - i) * stride, nullptr);
        png_read_end(png, nullptr);
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.data());
    }
}

// An all-white picture exports nothing, so only the two with ink count.
MIRABO_FILE_PAIR(exportPng, libpngWrite, shapes, Picture::Shapes);
MIRABO_FILE_PAIR(exportPng, libpngWrite, photo, Picture::Photo);
MIRABO_FILE_PAIRS(importPng, libpngRead);

const bool targetsAdded = addTargets("1024x1024 PNG export vs the library and a plain safe write",
                                     "exportPng", "libpngWrite", 1.2, {"shapes", "photo"}) &&
                          addTargets("1024x1024 PNG import vs the library reading the file",
                                     "importPng", "libpngRead", 1.1, {"white", "shapes", "photo"});

}  // namespace
