// The file formats on the largest canvas beside the library calls or plain
// writes they wrap: a sketch save and load against LZO1X-1 compression and
// bounded decompression of the same bytes, a bitmap export against an fwrite
// of the same bytes, and JPEG export and import against the JPEG library
// used directly on the same pixels. Three pictures: white, a drawing of flat
// shapes, and a photograph-like one of gradients and noise.

#include <benchmark/benchmark.h>
#include <lzo/lzo1x.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "bench/targets.h"
#include "canvas/canvas.h"
#include "canvas/raster_image.h"
#include "document/bitmap_file.h"
#include "document/file_format_pictures.h"
#include "document/jpeg_file.h"
#include "document/sketch_file.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

namespace {

enum class Picture { White, Shapes, Photo };

// A folder of its own, removed at the end. Memory-backed when the system
// has such a folder: the saves flush their files to the storage, and on a
// disk that would time the disk rather than the formats.
struct Folder {
    Folder() {
        std::error_code ignored;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ignored)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = base / "mirabo-bench-XXXXXX";
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~Folder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

// A 1024 x 1024 canvas with the same picture in both pictures.
struct Setup {
    explicit Setup(Picture picture) {
        platform::setDialogs(&dialogs);
        canvas.create(&view, 1024, 1024, 240, 320);
        for (std::uint8_t* bits : {canvas.committedBits(), canvas.liveBits()}) {
            switch (picture) {
                case Picture::White:
                    file_format_pictures::paintWhite(canvas, bits);
                    break;
                case Picture::Shapes:
                    file_format_pictures::paintShapes(canvas, bits);
                    break;
                case Picture::Photo:
                    file_format_pictures::paintPhoto(canvas, bits);
                    break;
            }
        }
    }
    ~Setup() { platform::setDialogs(nullptr); }

    std::u16string path(const std::string& name) const { return platform::toUtf16(folder / name); }
    std::size_t pixelBytes() const { return std::size_t(canvas.height()) * canvas.rowStride(); }
    const std::uint8_t* committedRows() const {
        return canvas.committedBits() +
               std::size_t(canvas.allocatedRows() - canvas.height()) * canvas.rowStride();
    }

    platform::ScriptedDialogs dialogs;
    platform::HeadlessWindow view{240, 268};
    Canvas canvas;
    Folder folder;
};

// --- sketch files --------------------------------------------------------------

void saveSketch(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::u16string path = s.path("doc.zsf");
    for (auto _ : state) {
        if (!saveSketchFile(s.canvas, path.c_str())) state.SkipWithError("save failed");
    }
}

void lzoCompress(benchmark::State& state, Picture picture) {
    Setup s(picture);
    lzo_init();
    std::vector<std::uint8_t> out(s.pixelBytes() + s.pixelBytes() / 16 + 67);
    std::vector<std::uint8_t> work(LZO1X_1_MEM_COMPRESS);
    for (auto _ : state) {
        lzo_uint length = 0;
        lzo1x_1_compress(s.committedRows(), s.pixelBytes(), out.data(), &length, work.data());
        benchmark::DoNotOptimize(length);
        benchmark::ClobberMemory();
    }
}

void loadSketch(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::u16string path = s.path("doc.zsf");
    saveSketchFile(s.canvas, path.c_str());
    for (auto _ : state) {
        std::uint16_t width = 0, height = 0;
        if (!loadSketchFile(s.canvas, path.c_str(), width, height))
            state.SkipWithError("load failed");
    }
}

void lzoDecompress(benchmark::State& state, Picture picture) {
    Setup s(picture);
    lzo_init();
    std::vector<std::uint8_t> packed(s.pixelBytes() + s.pixelBytes() / 16 + 67);
    std::vector<std::uint8_t> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint packedLength = 0;
    lzo1x_1_compress(s.committedRows(), s.pixelBytes(), packed.data(), &packedLength, work.data());
    std::vector<std::uint8_t> out(s.pixelBytes());
    for (auto _ : state) {
        lzo_uint length = out.size();
        lzo1x_decompress_safe(packed.data(), packedLength, out.data(), &length, nullptr);
        benchmark::DoNotOptimize(length);
        benchmark::ClobberMemory();
    }
}

// --- bitmap files ----------------------------------------------------------------

void exportBitmap(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::u16string path = s.path("picture.bmp");
    for (auto _ : state) {
        if (!writeBitmapFile(s.canvas, path.c_str())) state.SkipWithError("export failed");
    }
}

// The same 54 + 1024 rows of bytes through the C library's buffered files.
void fwriteBitmapBytes(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::string path = s.folder / "plain.bmp";
    const std::uint8_t headers[54] = {'B', 'M'};
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) {
            state.SkipWithError("fopen failed");
            break;
        }
        std::fwrite(headers, 1, sizeof headers, file);
        std::fwrite(s.committedRows(), 1, s.pixelBytes(), file);
        std::fclose(file);
    }
}

// --- JPEG files ---------------------------------------------------------------------

void exportJpeg(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::u16string path = s.path("picture.jpg");
    for (auto _ : state) {
        if (!writeJpegFile(s.canvas, path.c_str())) state.SkipWithError("export failed");
    }
}

void libjpegCompress(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::string path = s.folder / "plain.jpg";
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) {
            state.SkipWithError("fopen failed");
            break;
        }
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        jpeg_stdio_dest(&info, file);
        info.image_width = s.canvas.width();
        info.image_height = s.canvas.height();
        info.input_components = 3;
        info.in_color_space = JCS_EXT_BGR;
        jpeg_set_defaults(&info);
        jpeg_start_compress(&info, TRUE);
        for (std::int32_t y = 0; y < s.canvas.height(); ++y) {
            JSAMPROW row = s.canvas.liveBits() + s.canvas.pixelOffset(0, y);
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        std::fclose(file);
    }
}

void importJpeg(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::u16string path = s.path("picture.jpg");
    writeJpegFile(s.canvas, path.c_str());
    for (auto _ : state) {
        RasterImage image;
        if (!readJpegFile(s.canvas, path.c_str(), image)) state.SkipWithError("import failed");
    }
}

// Decoding into one buffer of the picture's layout, allocated per run as the
// import allocates its bitmap.
void libjpegDecompress(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::u16string path = s.path("picture.jpg");
    writeJpegFile(s.canvas, path.c_str());
    const std::string native = s.folder / "picture.jpg";
    for (auto _ : state) {
        std::FILE* file = std::fopen(native.c_str(), "rb");
        if (!file) {
            state.SkipWithError("fopen failed");
            break;
        }
        jpeg_decompress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&info);
        const std::size_t stride = (3 * std::size_t(info.output_width) + 3) / 4 * 4;
        std::vector<std::uint8_t> pixels(stride * info.output_height);
        for (JDIMENSION i = 0; i < info.output_height; ++i) {
            JSAMPROW row = pixels.data() + (info.output_height - 1 - i) * stride;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.data());
    }
}

#define MIRABO_FILE_BENCH(function)                                                      \
    BENCHMARK_CAPTURE(function, white, Picture::White)->Unit(benchmark::kMillisecond);   \
    BENCHMARK_CAPTURE(function, shapes, Picture::Shapes)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(function, photo, Picture::Photo)->Unit(benchmark::kMillisecond)

MIRABO_FILE_BENCH(saveSketch);
MIRABO_FILE_BENCH(lzoCompress);
MIRABO_FILE_BENCH(loadSketch);
MIRABO_FILE_BENCH(lzoDecompress);
// An all-white picture exports nothing, so only the two with ink count.
BENCHMARK_CAPTURE(exportBitmap, shapes, Picture::Shapes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportBitmap, photo, Picture::Photo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fwriteBitmapBytes, shapes, Picture::Shapes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fwriteBitmapBytes, photo, Picture::Photo)->Unit(benchmark::kMillisecond);
MIRABO_FILE_BENCH(exportJpeg);
MIRABO_FILE_BENCH(libjpegCompress);
MIRABO_FILE_BENCH(importJpeg);
MIRABO_FILE_BENCH(libjpegDecompress);

// Each pair is compared on every picture it was measured on.
bool addTargets(const char* what, const std::string& measured, const std::string& reference,
                double goal, std::initializer_list<const char*> pictures) {
    for (const char* picture : pictures)
        bench::addTarget({std::string(what) + " (" + picture + ")", measured + "/" + picture,
                          reference + "/" + picture, goal});
    return true;
}

const bool targetsAdded = addTargets("1024x1024 sketch save vs LZO1X-1 compression", "saveSketch",
                                     "lzoCompress", 1.2, {"white", "shapes", "photo"}) &&
                          addTargets("1024x1024 sketch load vs LZO1X decompression", "loadSketch",
                                     "lzoDecompress", 1.2, {"white", "shapes", "photo"}) &&
                          addTargets("1024x1024 bitmap export vs fwrite", "exportBitmap",
                                     "fwriteBitmapBytes", 1.5, {"shapes", "photo"}) &&
                          addTargets("1024x1024 JPEG export vs the library", "exportJpeg",
                                     "libjpegCompress", 1.1, {"white", "shapes", "photo"}) &&
                          addTargets("1024x1024 JPEG import vs the library", "importJpeg",
                                     "libjpegDecompress", 1.1, {"white", "shapes", "photo"});

}  // namespace
