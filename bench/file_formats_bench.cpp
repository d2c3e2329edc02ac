// The file formats on the largest canvas beside references that make the
// same library calls and do the same file work plainly, so that a ratio
// shows what the program adds and nothing else. A save is compared with the
// same compression (or none, for a bitmap) and the same bytes written to a
// temporary file beside the target, flushed to storage and renamed over it,
// the folder flushed after; a load with reading the same file and the same
// decompression. Three pictures: white, a drawing of flat shapes, and a
// photograph-like one of gradients and noise.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <lzo/lzo1x.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>

#include "bench/file_format_setup.h"
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

using file_format_bench::addTargets;
using file_format_bench::Picture;
using file_format_bench::Setup;

// --- plain file work ------------------------------------------------------------------

// Writes `parts` to a temporary file beside `target`, flushes it to storage,
// renames it over the target and flushes the folder: what a safe save does,
// with nothing else.
struct Part {
    const void* data;
    std::size_t bytes;
};

bool writePlainly(const std::string& target, std::initializer_list<Part> parts) {
    const std::string temporary = target + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    for (const Part& part : parts)
        ok = ok && ::write(fd, part.data, part.bytes) == ssize_t(part.bytes);
    ok = fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), target.c_str()) == 0;
    const std::string folder = std::filesystem::path(target).parent_path();
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        ::close(folderFd);
    }
    return ok;
}

// The whole file into `buffer`, which is as large as the file or larger.
std::size_t readPlainly(const std::string& path, std::vector<std::uint8_t>& buffer) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::size_t got = 0;
    ssize_t n;
    while (got < buffer.size() && (n = ::read(fd, buffer.data() + got, buffer.size() - got)) > 0)
        got += std::size_t(n);
    ::close(fd);
    return got;
}

// --- sketch files --------------------------------------------------------------

void saveSketch(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::u16string path = s.path("doc.zsf");
    for (auto _ : state) {
        if (!saveSketchFile(s.canvas, path.c_str())) state.SkipWithError("save failed");
    }
}

// The same compression of the same rows, and the header and the compressed
// bytes written plainly.
void lzoCompressAndWrite(benchmark::State& state, Picture picture) {
    Setup s(picture);
    lzo_init();
    const std::string path = s.folder / "plain.zsf";
    std::vector<std::uint8_t> out(s.pixelBytes() + s.pixelBytes() / 16 + 67);
    std::vector<std::uint8_t> work(LZO1X_1_MEM_COMPRESS);
    for (auto _ : state) {
        lzo_uint length = 0;
        lzo1x_1_compress(s.committedRows(), s.pixelBytes(), out.data(), &length, work.data());
        const std::uint32_t header[3] = {
            1, std::uint32_t(s.canvas.width()) | std::uint32_t(s.canvas.height()) << 16,
            std::uint32_t(length)};
        if (!writePlainly(path, {{header, sizeof header}, {out.data(), length}}))
            state.SkipWithError("write failed");
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

// The same file read plainly and its stream expanded with the same bounded
// decompressor.
void readAndDecompress(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::u16string path = s.path("doc.zsf");
    saveSketchFile(s.canvas, path.c_str());
    const std::string native = s.folder / "doc.zsf";
    std::vector<std::uint8_t> file(12 + s.pixelBytes() + s.pixelBytes() / 16 + 67);
    std::vector<std::uint8_t> out(s.pixelBytes());
    for (auto _ : state) {
        const std::size_t got = readPlainly(native, file);
        std::uint32_t packedLength = 0;
        std::memcpy(&packedLength, file.data() + 8, sizeof packedLength);
        lzo_uint length = out.size();
        if (got < 12 + std::size_t(packedLength) ||
            lzo1x_decompress_safe(file.data() + 12, packedLength, out.data(), &length, nullptr) !=
                LZO_E_OK)
            state.SkipWithError("read failed");
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

// The bytes of the export, worked out once, written plainly.
void writeBitmapBytes(benchmark::State& state, Picture picture) {
    Setup s(picture);
    writeBitmapFile(s.canvas, s.path("export.bmp").c_str());
    std::vector<std::uint8_t> bytes(std::filesystem::file_size(s.folder / "export.bmp"));
    readPlainly(s.folder / "export.bmp", bytes);
    const std::string path = s.folder / "plain.bmp";
    for (auto _ : state) {
        if (!writePlainly(path, {{bytes.data(), bytes.size()}}))
            state.SkipWithError("write failed");
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

// The library's own compression onto a temporary file through its standard
// destination, flushed to storage and renamed over the target.
void libjpegCompress(benchmark::State& state, Picture picture) {
    Setup s(picture);
    const std::string path = s.folder / "plain.jpg";
    const std::string temporary = path + ".tmp";
    for (auto _ : state) {
        std::FILE* file = std::fopen(temporary.c_str(), "wb");
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
        file_format_bench::replacePlainly(file, temporary, path, s.folder);
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

MIRABO_FILE_PAIRS(saveSketch, lzoCompressAndWrite);
MIRABO_FILE_PAIRS(loadSketch, readAndDecompress);
// An all-white picture exports nothing, so only the two with ink count.
MIRABO_FILE_PAIR(exportBitmap, writeBitmapBytes, shapes, Picture::Shapes);
MIRABO_FILE_PAIR(exportBitmap, writeBitmapBytes, photo, Picture::Photo);
MIRABO_FILE_PAIRS(exportJpeg, libjpegCompress);
MIRABO_FILE_PAIRS(importJpeg, libjpegDecompress);

const bool targetsAdded =
    addTargets("1024x1024 sketch save vs LZO1X-1 and a plain safe write", "saveSketch",
               "lzoCompressAndWrite", 1.2, {"white", "shapes", "photo"}) &&
    addTargets("1024x1024 sketch load vs a plain read and LZO1X decompression", "loadSketch",
               "readAndDecompress", 1.2, {"white", "shapes", "photo"}) &&
    addTargets("1024x1024 bitmap export vs a plain safe write of its bytes", "exportBitmap",
               "writeBitmapBytes", 1.5, {"shapes", "photo"}) &&
    addTargets("1024x1024 JPEG export vs the library and a plain safe write", "exportJpeg",
               "libjpegCompress", 1.1, {"white", "shapes", "photo"}) &&
    addTargets("1024x1024 JPEG import vs the library reading the file", "importJpeg",
               "libjpegDecompress", 1.1, {"white", "shapes", "photo"});

}  // namespace
