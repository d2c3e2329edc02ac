#include "cli/convert_command.h"

#include <memory>
#include <string>

#include "canvas/canvas.h"
#include "cli/read_failure_message.h"
#include "document/bitmap_file.h"
#include "document/jpeg_file.h"
#include "document/png_file.h"
#include "document/sketch_file.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/files/device_path.h"
#include "platform/files/file.h"
#include "platform/gdi/surface.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

namespace {

enum class Format { Unknown, Sketch, Bitmap, Jpeg, Png };

Format formatOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) return Format::Unknown;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension == "zsf") return Format::Sketch;
    if (extension == "bmp") return Format::Bitmap;
    if (extension == "jpg" || extension == "jpeg") return Format::Jpeg;
    if (extension == "png") return Format::Png;
    return Format::Unknown;
}

const char* kindOf(Format format) {
    switch (format) {
        case Format::Sketch:
            return "sketch";
        case Format::Bitmap:
            return "bitmap";
        case Format::Png:
            return "PNG";
        default:
            return "JPEG";
    }
}

// A file that cannot even be opened is refused with the reason, before any
// reader looks at it.
bool openable(const std::u16string& name, ReadProblem& problem) {
    if (platform::File::open(name, platform::FileAccess::Read,
                             platform::FileDisposition::OpenExisting, platform::FileSharing::Read))
        return true;
    return refuse(&problem, whyNotOpened(name));
}

// What a sketch file's header says, checked as far as the loader would
// check it before decompressing: the fields make sense (`sensible`), and
// the file is of a form and length the loader takes (no problem).
struct SketchCheck {
    SketchFileInfo info;
    bool sensible = false;
    ReadProblem problem;
};

SketchCheck checkSketch(const std::u16string& name) {
    SketchCheck check;
    if (!openable(name, check.problem)) return check;
    SketchFileInfo& info = check.info;
    if (!readSketchFileInfo(name.c_str(), info)) {
        refuse(&check.problem, ReadFailure::Damaged, "the file ends inside its header");
        return check;
    }
    if (info.headerless) {
        // The older form is nothing but a length and that many bytes.
        if (std::int64_t(info.packedLength) + 4 != info.fileBytes) {
            refuse(&check.problem, ReadFailure::NotThisFormat);
            return check;
        }
        check.sensible = true;
        refuse(&check.problem, ReadFailure::Unsupported,
               "the headerless form, which takes its size from the canvas it is opened on");
        return check;
    }
    if (info.width < 1 || info.width > Canvas::maxSide || info.height < 1 ||
        info.height > Canvas::maxSide) {
        refuse(&check.problem, ReadFailure::Damaged,
               "its header gives a size of " + sizeText(info.width, info.height));
        return check;
    }
    check.sensible = true;
    if (12 + std::int64_t(info.packedLength) > info.fileBytes)
        refuse(&check.problem, ReadFailure::Damaged, "the compressed picture is cut short");
    return check;
}

// A canvas off screen, with dialogs that keep whatever the readers would
// have shown to report it as an error instead.
struct Workbench {
    platform::ScriptedDialogs dialogs;
    platform::HeadlessWindow view{240, 268};
    Canvas canvas;
    Workbench() { platform::setDialogs(&dialogs); }
    ~Workbench() { platform::setDialogs(nullptr); }
};

bool noCanvas(ReadProblem& problem) {
    return refuse(&problem, ReadFailure::OutOfMemory);
}

bool readSketch(Workbench& bench, const std::u16string& name, ReadProblem& problem) {
    SketchCheck check = checkSketch(name);
    if (check.problem.failure != ReadFailure::None) {
        problem = check.problem;
        return false;
    }
    if (!bench.canvas.create(&bench.view, check.info.width, check.info.height, 240, 320))
        return noCanvas(problem);
    std::uint16_t w = 0, h = 0;
    if (!loadSketchFile(bench.canvas, name.c_str(), w, h))
        return refuse(&problem, ReadFailure::Damaged, "the compressed picture is corrupt");
    bench.canvas.copyPictureRect(RECT{0, 0, bench.canvas.width(), bench.canvas.height()}, false);
    return true;
}

// The size a picture file's header states, through the format's own header
// reader; false, with the reader's problem, when the header is unreadable.
template <typename Info>
bool headerSize(bool (*readInfo)(const char16_t*, Info&), const std::u16string& name,
                std::int64_t& width, std::int64_t& height, ReadProblem& problem) {
    Info info;
    if (!readInfo(name.c_str(), info) || !info.readable) {
        problem = info.problem;
        return false;
    }
    width = info.width;
    height = info.height;
    return true;
}

// The picture's size from its header, before anything is decoded: the
// canvas it must fit is at most 1024 pixels each way.
bool checkPicture(const std::u16string& name, Format format, ReadProblem& problem) {
    std::int64_t width = 0, height = 0;
    const bool read =
        format == Format::Bitmap ? headerSize(readBitmapFileInfo, name, width, height, problem)
        : format == Format::Png  ? headerSize(readPngFileInfo, name, width, height, problem)
                                 : headerSize(readJpegFileInfo, name, width, height, problem);
    if (!read) return false;
    if (width > Canvas::maxSide || height > Canvas::maxSide)
        return refuse(&problem, ReadFailure::TooLarge,
                      sizeText(width, height) + "; a canvas holds at most 1024 x 1024");
    return true;
}

bool readPicture(Workbench& bench, const std::u16string& name, Format format,
                 ReadProblem& problem) {
    if (!checkPicture(name, format, problem)) return false;
    RasterImage image;
    const bool read =
        format == Format::Bitmap ? readBitmapFile(bench.canvas, name.c_str(), image, &problem)
        : format == Format::Png  ? readPngFile(bench.canvas, name.c_str(), image, &problem)
                                 : readJpegFile(bench.canvas, name.c_str(), image, &problem);
    if (!read) return false;
    const std::int32_t w = image.bitmap->width(), h = image.bitmap->height();
    if (!bench.canvas.create(&bench.view, std::uint16_t(w), std::uint16_t(h), 240, 320))
        return noCanvas(problem);
    platform::Surface from(image.bitmap.get());
    platform::Surface(bench.canvas.livePicture()).blit(0, 0, w, h, from, 0, 0);
    return true;
}

bool writeOutput(Workbench& bench, const std::string& path, Format format, bool crop) {
    const std::u16string name = platform::fromNativePath(path);
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
        case Format::Png:
            return crop ? writePngFile(canvas, name.c_str())
                        : writePngFileUncropped(canvas, name.c_str());
        default:
            return false;
    }
}

const char* compressionName(std::uint32_t compression) {
    switch (compression) {
        case 0:
            return "none";
        case 1:
            return "run-length, 8-bit";
        case 2:
            return "run-length, 4-bit";
        case 3:
            return "bit fields";
        case 4:
            return "JPEG";
        case 5:
            return "PNG";
        case 6:
            return "bit fields with alpha";
        default:
            return "unknown";
    }
}

// Prints what the header holds when it makes sense; the problem, if any,
// says why the file would not be read.
void describe(const std::u16string& name, Format format, std::FILE* out, ReadProblem& problem) {
    if (format == Format::Sketch) {
        const SketchCheck check = checkSketch(name);
        problem = check.problem;
        if (!check.sensible) return;
        const SketchFileInfo& info = check.info;
        // The program opens the older form at the size of its canvas; only
        // a conversion, which has no canvas, cannot.
        if (info.headerless) {
            problem = ReadProblem{};
            std::fprintf(out, "sketch file (headerless form)\ncompressed length: %u\n",
                         info.packedLength);
        } else {
            std::fprintf(out, "sketch file\nversion: %u\nsize: %u x %u\ncompressed length: %u\n",
                         info.version, info.width, info.height, info.packedLength);
        }
        return;
    }
    if (format == Format::Bitmap) {
        BitmapFileInfo info;
        const bool sensible = readBitmapFileInfo(name.c_str(), info);
        problem = info.problem;
        if (!sensible) return;
        std::fprintf(out,
                     "bitmap file\nheader bytes: %u\nwidth: %d\nheight: %d\nrows: %s\n"
                     "bits per pixel: %u\ncompression: %u (%s)\ncolour table entries: %u\n"
                     "file bytes: %lld\n",
                     info.headerSize, info.width, info.height,
                     info.topDown ? "top-down" : "bottom-up", info.bitCount, info.compression,
                     compressionName(info.compression), info.colourCount,
                     static_cast<long long>(info.fileBytes));
        return;
    }
    if (format == Format::Png) {
        PngFileInfo info;
        const bool sensible = readPngFileInfo(name.c_str(), info);
        problem = info.problem;
        if (!sensible) return;
        std::fprintf(out,
                     "PNG file\nwidth: %u\nheight: %u\nbit depth: %d\ncolours: %s\n"
                     "interlaced: %s\n",
                     info.width, info.height, info.bitDepth, info.colours,
                     info.interlaced ? "yes" : "no");
        return;
    }
    JpegFileInfo info;
    const bool sensible = readJpegFileInfo(name.c_str(), info);
    problem = info.problem;
    if (!sensible) return;
    std::fprintf(out, "JPEG file\nwidth: %u\nheight: %u\ncomponents: %d\nprogressive: %s\n",
                 info.width, info.height, info.components, info.progressive ? "yes" : "no");
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
        std::fprintf(err, "mirabo-cli: convert knows .zsf, .bmp, .jpg and .png files\n");
        return 1;
    }
    auto bench = std::make_unique<Workbench>();
    // The bitmap and JPEG readers borrow the canvas's window.
    bench->canvas.create(&bench->view, 1, 1, 240, 320);
    const std::u16string name = platform::fromNativePath(in);
    ReadProblem problem;
    // Each reader reports a file that cannot be opened with the reason.
    const bool read = from == Format::Sketch ? readSketch(*bench, name, problem)
                                             : readPicture(*bench, name, from, problem);
    if (!read) {
        std::fprintf(err, "%s\n", readFailureMessage(in, problem, kindOf(from)).c_str());
        return 1;
    }
    if (!writeOutput(*bench, outPath, to, crop)) {
        std::fprintf(err, "mirabo-cli: cannot write %s%s\n", outPath.c_str(),
                     crop && (to == Format::Bitmap || to == Format::Png)
                         ? " (an all-white picture has nothing to crop to)"
                         : "");
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
    const Format format = formatOf(path);
    if (format == Format::Unknown) {
        std::fprintf(err, "mirabo-cli: info knows .zsf, .bmp, .jpg and .png files\n");
        return 1;
    }
    const std::u16string name = platform::fromNativePath(path);
    ReadProblem problem;
    describe(name, format, out, problem);
    if (problem.failure == ReadFailure::None) return 0;
    std::fprintf(err, "%s\n", readFailureMessage(path, problem, kindOf(format)).c_str());
    return 1;
}
