#include "document/png_file.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "app/frame/memory_error.h"
#include "canvas/canvas.h"
#include "canvas/raster_image.h"
#include "document/file_format_export.h"
#include "document/file_format_io.h"
#include "platform/files/atomic_file_writer.h"
#include "platform/files/file.h"
#include "platform/gdi/bitmap.h"

namespace {

constexpr std::size_t signatureBytes = 8;

// The most a deflate stream can expand: every 258 bytes it makes take at
// least two bits. A file with less compressed data than that cannot hold the
// picture it claims, however plain the picture.
constexpr std::int64_t maxInflateRatio = 1032;

// Chunks the picture does not need; some are compressed, and a file could
// make the library inflate megabytes of them for nothing.
constexpr png_byte ignoredChunks[] = "iCCP\0iTXt\0tEXt\0zTXt\0sPLT\0eXIf\0tIME\0hIST";

// Everything the library works on lives in these records, owned by the
// caller of the function that set the jump, never in that function's frame:
// the library leaves a failed call by jumping back there.
struct Decompression {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ReadProblem* problem = nullptr;
    file_format::ByteSource* bytes = nullptr;
    std::int64_t delivered = 0;  // bytes handed to the library so far
    std::size_t start = 0;       // what of `buffer` is not handed over yet
    std::size_t end = 0;
    png_byte buffer[65536];

    ~Decompression() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

struct Compression {
    png_structp png = nullptr;
    png_infop info = nullptr;
    file_format::BlockWriter* out = nullptr;

    ~Compression() {
        if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    }
};

// The library's fatal errors: damage found in the file (its message says
// what), or one of ours from the callbacks below.
[[noreturn]] void failRead(png_structp png, png_const_charp message) {
    auto* job = static_cast<Decompression*>(png_get_error_ptr(png));
    refuse(job->problem, ReadFailure::Damaged, message);
    png_longjmp(png, 1);
}

[[noreturn]] void failWrite(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// Warnings are about things the library mends or leaves out (an ancillary
// chunk with a bad checksum, say); the picture itself is sound.
void ignoreWarning(png_structp, png_const_charp) {}

// Hands the library bytes from the source through a buffer, so that a file
// costs a few large reads rather than several small ones per chunk. A
// source that ends before the library is done is a file cut short.
void readBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* job = static_cast<Decompression*>(png_get_io_ptr(png));
    job->delivered += std::int64_t(length);
    while (length > 0) {
        if (job->start == job->end) {
            std::size_t got = 0;
            if (!job->bytes->read(job->buffer, sizeof job->buffer, got))
                png_error(png, "the file could not be read");
            if (got == 0) png_error(png, "the file is cut short");
            job->start = 0;
            job->end = got;
        }
        const std::size_t part = std::min(length, job->end - job->start);
        std::memcpy(out, job->buffer + job->start, part);
        job->start += part;
        out += part;
        length -= part;
    }
}

void writeBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* job = static_cast<Compression*>(png_get_io_ptr(png));
    if (!job->out->append(data, length)) png_error(png, "the file could not be written");
}

void flushNothing(png_structp) {}

const char* coloursText(int colourType) {
    switch (colourType) {
        case PNG_COLOR_TYPE_GRAY:
            return "grey";
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return "grey and alpha";
        case PNG_COLOR_TYPE_PALETTE:
            return "palette";
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return "RGBA";
        default:
            return "RGB";
    }
}

// Whether the picture the header describes may be decoded: within the size
// limits, and with enough data left in the file for its rows.
bool admissible(const Decompression& job, ReadProblem* problem) {
    const std::int64_t width = png_get_image_width(job.png, job.info);
    const std::int64_t height = png_get_image_height(job.png, job.info);
    if (width > file_format::maxImportDimension || height > file_format::maxImportDimension ||
        platform::rowStrideFor(width, 24) * height > file_format::maxImportBytes)
        return refuse(problem, ReadFailure::TooLarge, sizeText(width, height));
    const std::int64_t size = job.bytes->size();
    if (size < 0) return true;
    // Every row is a filter byte and its packed samples, interlaced or not
    // (interlacing only adds to it).
    const std::int64_t bits =
        width * png_get_channels(job.png, job.info) * png_get_bit_depth(job.png, job.info);
    const std::int64_t rawBytes = height * (1 + (bits + 7) / 8);
    const std::int64_t ahead = size - job.delivered;
    if (ahead * maxInflateRatio < rawBytes)
        return refuse(problem, ReadFailure::Damaged,
                      "it holds too little data for " + sizeText(width, height));
    return true;
}

// Sets the library up on the source and reads the chunks before the
// picture data. False for a file without the signature.
bool start(Decompression& job, ReadProblem* problem) {
    png_byte signature[signatureBytes];
    if (!file_format::readExactly(*job.bytes, signature, sizeof signature) ||
        png_sig_cmp(signature, 0, sizeof signature) != 0)
        return refuse(problem, ReadFailure::NotThisFormat, "it does not start as PNG files do");
    job.delivered = signatureBytes;
    png_set_sig_bytes(job.png, signatureBytes);
    png_set_read_fn(job.png, &job, readBytes);
    // The size limits are ours, checked once the header is in, so that a
    // large picture is reported as one rather than as damage.
    png_set_user_limits(job.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_keep_unknown_chunks(job.png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(job.png, PNG_HANDLE_CHUNK_NEVER, ignoredChunks,
                                int(sizeof ignoredChunks / 5));
    png_read_info(job.png, job.info);
    return true;
}

// Asks the library for 8-bit blue, green, red whatever the file holds, with
// transparency laid over white.
void requestBgr(Decompression& job) {
    png_set_expand(job.png);
    png_set_scale_16(job.png);
    png_set_gray_to_rgb(job.png);
    png_set_bgr(job.png);
    if ((png_get_color_type(job.png, job.info) & PNG_COLOR_MASK_ALPHA) ||
        png_get_valid(job.png, job.info, PNG_INFO_tRNS)) {
        png_color_16 white{0, 255, 255, 255, 255};
        png_set_background(job.png, &white, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    }
}

bool readPicture(Decompression& job, RasterImage& image, ReadProblem* problem) {
    if (!admissible(job, problem)) return false;
    requestBgr(job);
    const int passes = png_set_interlace_handling(job.png);
    png_read_update_info(job.png, job.info);
    const auto width = std::int32_t(png_get_image_width(job.png, job.info));
    const auto height = std::int32_t(png_get_image_height(job.png, job.info));
    if (png_get_channels(job.png, job.info) != 3 || png_get_bit_depth(job.png, job.info) != 8)
        return refuse(problem, ReadFailure::Unsupported,
                      coloursText(png_get_color_type(job.png, job.info)));
    if (!allocateImageHeader(image, 0)) {
        showMemoryError();
        return refuse(problem, ReadFailure::OutOfMemory);
    }
    *image.info() = platform::makeHeader24(width, height);
    image.bitmap = platform::Bitmap::create(*image.info());
    if (!image.bitmap) {
        showMemoryError();
        return refuse(problem, ReadFailure::OutOfMemory);
    }
    // Rows come top first, straight into the bitmap; the passes of an
    // interlaced file fill in the rows already there.
    for (int pass = 0; pass < passes; ++pass)
        for (std::int32_t y = 0; y < height; ++y)
            png_read_row(job.png, image.bitmap->row(y), nullptr);
    // Reads on to the end chunk, so a file cut after its last row fails too.
    png_read_end(job.png, nullptr);
    return true;
}

bool createReader(Decompression& job, file_format::ByteSource& bytes, ReadProblem* problem) {
    job.problem = problem;
    job.bytes = &bytes;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, failRead, ignoreWarning);
    if (job.png) job.info = png_create_info_struct(job.png);
    if (job.info) return true;
    showMemoryError();
    return refuse(problem, ReadFailure::OutOfMemory);
}

// A fatal error inside the library jumps back here; the frames it leaves
// hold only plain values.
bool decode(Decompression& job, file_format::ByteSource& bytes, RasterImage& image,
            ReadProblem* problem) {
    if (!createReader(job, bytes, problem)) return false;
    if (setjmp(png_jmpbuf(job.png))) return false;
    return start(job, problem) && readPicture(job, image, problem);
}

bool inspect(Decompression& job, file_format::ByteSource& bytes, PngFileInfo& result) {
    if (!createReader(job, bytes, &result.problem)) return false;
    if (setjmp(png_jmpbuf(job.png))) return false;
    if (!start(job, &result.problem)) return false;
    result.width = png_get_image_width(job.png, job.info);
    result.height = png_get_image_height(job.png, job.info);
    result.bitDepth = png_get_bit_depth(job.png, job.info);
    result.colours = coloursText(png_get_color_type(job.png, job.info));
    result.interlaced = png_get_interlace_type(job.png, job.info) != PNG_INTERLACE_NONE;
    result.readable = admissible(job, &result.problem);
    return true;
}

bool readPng(file_format::ByteSource& bytes, RasterImage& image, ReadProblem* problem) {
    auto job = std::make_unique<Decompression>();
    if (decode(*job, bytes, image, problem)) return true;
    image.release();
    return false;
}

bool encode(Compression& job, const Canvas& canvas, const file_format::InkBounds& ink) {
    job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, failWrite, ignoreWarning);
    if (job.png) job.info = png_create_info_struct(job.png);
    if (!job.info) return false;
    if (setjmp(png_jmpbuf(job.png))) return false;
    png_set_write_fn(job.png, &job, writeBytes, flushNothing);
    png_set_IHDR(job.png, job.info, png_uint_32(ink.width()), png_uint_32(ink.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(job.png, job.info);
    png_set_bgr(job.png);
    // The top row is the last in memory.
    const std::size_t stride = std::size_t(canvas.rowStride());
    for (std::int32_t row = ink.lastRow; row >= ink.firstRow; --row)
        png_write_row(job.png,
                      canvas.liveBits() + std::size_t(row) * stride + 3 * std::size_t(ink.left));
    png_write_end(job.png, nullptr);
    return true;
}

// Writes the rectangle's rows, put in place only once the file is complete.
bool writeRows(const Canvas& canvas, const char16_t* path, const file_format::InkBounds& area) {
    auto writer = platform::AtomicFileWriter::create(path);
    if (!writer) return false;
    auto out = std::make_unique<file_format::BlockWriter>(*writer);
    Compression job;
    job.out = out.get();
    return encode(job, canvas, area) && out->flush() && writer->commit();
}

}  // namespace

bool writePngFile(const Canvas& canvas, const char16_t* path) {
    if (!path || !canvas.liveBits()) return false;
    const file_format::InkBounds ink = file_format::findInk(canvas);
    return ink.found() && writeRows(canvas, path, ink);
}

bool writePngFileUncropped(const Canvas& canvas, const char16_t* path) {
    if (!path || !canvas.liveBits()) return false;
    const file_format::InkBounds whole{canvas.allocatedRows() - canvas.height(),
                                       canvas.allocatedRows() - 1, 0, canvas.width() - 1};
    return writeRows(canvas, path, whole);
}

bool readPngFile(const Canvas&, const char16_t* path, RasterImage& image, ReadProblem* problem) {
    image.release();
    auto file = openForReading(path, platform::FileSharing::None, problem);
    if (!file) return false;
    file_format::FileSource bytes(*file);
    return readPng(bytes, image, problem);
}

bool readPngData(const std::uint8_t* data, std::size_t size, RasterImage& image,
                 ReadProblem* problem) {
    image.release();
    file_format::MemorySource bytes(data, size);
    return readPng(bytes, image, problem);
}

bool hasPngSignature(const std::uint8_t* data, std::size_t size) {
    return size >= signatureBytes && png_sig_cmp(data, 0, signatureBytes) == 0;
}

bool readPngFileInfo(const char16_t* path, PngFileInfo& info) {
    info = PngFileInfo{};
    auto file = openForReading(path, platform::FileSharing::Read, &info.problem);
    if (!file) return false;
    file_format::FileSource bytes(*file);
    auto job = std::make_unique<Decompression>();
    return inspect(*job, bytes, info);
}

bool inspectPngData(const std::uint8_t* data, std::size_t size, PngFileInfo& info) {
    info = PngFileInfo{};
    file_format::MemorySource bytes(data, size);
    auto job = std::make_unique<Decompression>();
    return inspect(*job, bytes, info);
}
