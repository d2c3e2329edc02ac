#include "cli/convert_command.h"

#include <string>

#include "canvas/canvas.h"
#include "document/bitmap_file.h"
#include "document/jpeg_file.h"
#include "document/sketch_file.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/gdi/surface.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

namespace {

enum class Format { Unknown, Sketch, Bitmap, Jpeg };

Format formatOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) return Format::Unknown;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension == "zsf") return Format::Sketch;
    if (extension == "bmp") return Format::Bitmap;
    if (extension == "jpg" || extension == "jpeg") return Format::Jpeg;
    return Format::Unknown;
}

constexpr int largestSide = 1024;

// A canvas off screen, with dialogs that keep whatever the readers would
// have shown to report it as an error instead.
struct Workbench {
    platform::ScriptedDialogs dialogs;
    platform::HeadlessWindow view{240, 268};
    Canvas canvas;
    Workbench() { platform::setDialogs(&dialogs); }
    ~Workbench() { platform::setDialogs(nullptr); }
};

bool readInput(Workbench& bench, const std::string& path, Format format, std::string& error) {
    const std::u16string name = platform::toUtf16(path);
    if (format == Format::Sketch) {
        SketchFileInfo info;
        if (!readSketchFileInfo(name.c_str(), info) || info.headerless) {
            error = "not a sketch file of a known size";
            return false;
        }
        if (info.width < 1 || info.width > largestSide || info.height < 1 ||
            info.height > largestSide) {
            error = "the sketch file names a size outside 1..1024";
            return false;
        }
        if (!bench.canvas.create(&bench.view, info.width, info.height, 240, 320)) {
            error = "no memory for the canvas";
            return false;
        }
        std::uint16_t w = 0, h = 0;
        if (!loadSketchFile(bench.canvas, name.c_str(), w, h)) {
            error = "the sketch file is corrupt or of an unsupported version";
            return false;
        }
        bench.canvas.copyPictureRect(RECT{0, 0, bench.canvas.width(), bench.canvas.height()},
                                     false);
        return true;
    }
    RasterImage image;
    const bool read = format == Format::Bitmap ? readBitmapFile(bench.canvas, name.c_str(), image)
                                               : readJpegFile(bench.canvas, name.c_str(), image);
    // The readers need a canvas only for its window; a first tiny one serves.
    if (!read || !image.bitmap) {
        image.release();
        error = format == Format::Bitmap ? "not a bitmap file Mirabo can read"
                                         : "not a JPEG file Mirabo can read";
        return false;
    }
    const std::int32_t w = image.bitmap->width(), h = image.bitmap->height();
    if (w > largestSide || h > largestSide) {
        image.release();
        error = "the picture is larger than 1024 x 1024";
        return false;
    }
    if (!bench.canvas.create(&bench.view, std::uint16_t(w), std::uint16_t(h), 240, 320)) {
        image.release();
        error = "no memory for the canvas";
        return false;
    }
    platform::Surface from(image.bitmap.get());
    platform::Surface(bench.canvas.livePicture()).blit(0, 0, w, h, from, 0, 0);
    image.release();
    return true;
}

bool writeOutput(Workbench& bench, const std::string& path, Format format, bool crop) {
    const std::u16string name = platform::toUtf16(path);
    Canvas& canvas = bench.canvas;
    switch (format) {
        case Format::Sketch:
            // Saving compresses the committed picture.
            canvas.copyPictureRect(RECT{0, 0, canvas.width(), canvas.height()}, true);
            return saveSketchFile(canvas, name.c_str());
        case Format::Bitmap:
            return crop ? writeBitmapFile(canvas, name.c_str())
                        : writeBitmapFileUncropped(canvas, name.c_str());
        case Format::Jpeg:
            return writeJpegFile(canvas, name.c_str());
        default:
            return false;
    }
}

}  // namespace

int convertCommand(int argc, char** argv, std::FILE*, std::FILE* err) {
    std::string in, outPath;
    bool crop = false;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--crop")
            crop = true;
        else if (in.empty())
            in = argument;
        else if (outPath.empty())
            outPath = argument;
        else {
            std::fprintf(err, "usage: mirabo-cli convert IN OUT [--crop]\n");
            return 1;
        }
    }
    if (in.empty() || outPath.empty()) {
        std::fprintf(err, "usage: mirabo-cli convert IN OUT [--crop]\n");
        return 1;
    }
    const Format from = formatOf(in), to = formatOf(outPath);
    if (from == Format::Unknown || to == Format::Unknown) {
        std::fprintf(err, "mirabo-cli: convert knows .zsf, .bmp and .jpg files\n");
        return 1;
    }
    Workbench bench;
    // The bitmap and JPEG readers borrow the canvas's window.
    bench.canvas.create(&bench.view, 1, 1, 240, 320);
    std::string error;
    if (!readInput(bench, in, from, error)) {
        std::fprintf(err, "mirabo-cli: %s: %s\n", in.c_str(), error.c_str());
        return 1;
    }
    if (!writeOutput(bench, outPath, to, crop)) {
        std::fprintf(
            err, "mirabo-cli: cannot write %s%s\n", outPath.c_str(),
            crop && to == Format::Bitmap ? " (an all-white picture has nothing to crop to)" : "");
        return 1;
    }
    return 0;
}

int infoCommand(int argc, char** argv, std::FILE* out, std::FILE* err) {
    if (argc != 1) {
        std::fprintf(err, "usage: mirabo-cli info FILE\n");
        return 1;
    }
    const std::string path = argv[0];
    const std::u16string name = platform::toUtf16(path);
    switch (formatOf(path)) {
        case Format::Sketch: {
            SketchFileInfo info;
            if (!readSketchFileInfo(name.c_str(), info)) break;
            if (info.headerless)
                std::fprintf(out, "sketch file (headerless form)\ncompressed length: %u\n",
                             info.packedLength);
            else
                std::fprintf(out,
                             "sketch file\nversion: %u\nsize: %u x %u\ncompressed length: %u\n",
                             info.version, info.width, info.height, info.packedLength);
            return 0;
        }
        case Format::Bitmap: {
            BitmapFileInfo info;
            if (!readBitmapFileInfo(name.c_str(), info)) break;
            std::fprintf(out,
                         "bitmap file\nwidth: %d\nheight: %d\nbits per pixel: %u\ncompression: %u\n"
                         "colour table entries: %u\nfile bytes: %lld\n",
                         info.width, info.height, info.bitCount, info.compression, info.colourCount,
                         static_cast<long long>(info.fileBytes));
            return 0;
        }
        case Format::Jpeg: {
            JpegFileInfo info;
            if (!readJpegFileInfo(name.c_str(), info)) break;
            std::fprintf(out, "JPEG file\nwidth: %u\nheight: %u\ncomponents: %d\n", info.width,
                         info.height, info.components);
            return 0;
        }
        case Format::Unknown:
            std::fprintf(err, "mirabo-cli: info knows .zsf, .bmp and .jpg files\n");
            return 1;
    }
    std::fprintf(err, "mirabo-cli: %s: cannot be read or is not such a file\n", path.c_str());
    return 1;
}
