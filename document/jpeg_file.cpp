#include "document/jpeg_file.h"

#include <memory>
#include <string>

#include "app/frame/memory_error.h"
#include "canvas/canvas.h"
#include "canvas/raster_image.h"
#include "document/jpeg_library.h"
#include "platform/files/file.h"
#include "platform/gdi/bitmap.h"

// The pictures hold blue, green, red; the library reads and writes that order
// itself, so no row is converted or copied on the way.
#if !defined(JCS_EXTENSIONS)
#error "the JPEG library must take and give pixels in blue, green, red order"
#endif

namespace {

using jpeg_library::leave;

// Real encoders write a handful of scans, a dozen at most; each scan of a
// progressive file goes over the whole picture again, so a file of
// thousands of tiny scans would keep the reader busy for minutes.
constexpr int maxScans = 100;

// Working memory of the library beyond the picture's own coefficients: row
// buffers, tables, the Huffman decoder's state.
constexpr long workingMemory = 16L << 20;

// Colour and greyscale files decode to three components; the library cannot
// make colours of CMYK ones.
bool colourSpaceReadable(const jpeg_decompress_struct& info) {
    return info.jpeg_color_space == JCS_GRAYSCALE || info.jpeg_color_space == JCS_YCbCr ||
           info.jpeg_color_space == JCS_RGB;
}

std::string colourSpaceText(const jpeg_decompress_struct& info) {
    switch (info.jpeg_color_space) {
        case JCS_CMYK:
            return "CMYK colours";
        case JCS_YCCK:
            return "YCCK colours";
        default:
            return std::to_string(info.num_components) + " colour components";
    }
}

// Blocks of 8 x 8 samples the picture is coded in, over all components, and
// those the library's whole-picture buffer holds (rounded up to whole units).
std::int64_t codedBlocks(const jpeg_decompress_struct& info, bool rounded) {
    std::int64_t blocks = 0;
    for (int i = 0; i < info.num_components; ++i) {
        const jpeg_component_info& c = info.comp_info[i];
        std::int64_t across = c.width_in_blocks, down = c.height_in_blocks;
        if (rounded) {
            across = (across + c.h_samp_factor - 1) / c.h_samp_factor * c.h_samp_factor;
            down = (down + c.v_samp_factor - 1) / c.v_samp_factor * c.v_samp_factor;
        }
        blocks += across * down;
    }
    return blocks;
}

// Whether the picture the header describes may be decoded: a colour space
// that gives colours, within the size limits, and backed by enough data.
// Every block of a Huffman-coded picture takes at least one bit, so a file
// with less data after its header than one bit per block cannot hold the
// picture it claims and is refused before anything is allocated for it.
// Arithmetic coding can squeeze a flat picture further; there one bit per 64
// blocks is asked, far below what any real picture takes.
bool admissible(const jpeg_decompress_struct& info, std::int64_t dataBytes, ReadProblem* problem) {
    if (!colourSpaceReadable(info))
        return refuse(problem, ReadFailure::Unsupported, colourSpaceText(info));
    const std::int64_t width = info.image_width, height = info.image_height;
    if (width > file_format::maxImportDimension || height > file_format::maxImportDimension ||
        platform::rowStrideFor(width, 24) * height > file_format::maxImportBytes)
        return refuse(problem, ReadFailure::TooLarge, sizeText(width, height));
    if (dataBytes < 0) return true;
    const std::int64_t blocksPerBit = info.arith_code ? 64 : 1;
    if (codedBlocks(info, false) > dataBytes * 8 * blocksPerBit)
        return refuse(problem, ReadFailure::Damaged,
                      "it holds too little data for " + sizeText(width, height));
    return true;
}

// The library needs the whole picture's coefficients at once only for files
// of several scans (progressive ones); a picture with a smaller need that
// asks for more memory is refused by the library.
long memoryCap(jpeg_decompress_struct& info) {
    if (!jpeg_has_multiple_scans(&info)) return workingMemory;
    const std::int64_t coefficients = codedBlocks(info, true) * std::int64_t(sizeof(JBLOCK));
    return long(workingMemory + coefficients + coefficients / 16);
}

void watchScans(j_common_ptr common) {
    auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number > maxScans)
        leave(common, ReadFailure::Damaged, "it has more scans than any encoder writes");
}

// Everything the library works on lives in these records, owned by the
// caller of the function that jumps back, never in that function's frame.
struct Compression {
    jpeg_library::ErrorTrap trap;
    jpeg_compress_struct info;
    jpeg_library::Destination destination;
};

struct Decompression {
    jpeg_library::ErrorTrap trap;
    jpeg_decompress_struct info;
    jpeg_library::Source source;
    jpeg_progress_mgr progress;
};

bool encode(Compression& job, const Canvas& canvas, platform::AtomicFileWriter& writer) {
    job.info.err = jpeg_library::installTrap(job.trap, nullptr);
    if (setjmp(job.trap.jump)) {
        jpeg_destroy_compress(&job.info);
        return false;
    }
    jpeg_create_compress(&job.info);
    jpeg_library::attachDestination(job.info, job.destination, writer);
    job.info.image_width = canvas.width();
    job.info.image_height = canvas.height();
    job.info.input_components = 3;
    job.info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&job.info);
    jpeg_start_compress(&job.info, TRUE);
    // Top row first; the library only reads the rows it is given.
    for (std::int32_t y = 0; y < canvas.height(); ++y) {
        JSAMPROW row = canvas.liveBits() + canvas.pixelOffset(0, y);
        jpeg_write_scanlines(&job.info, &row, 1);
    }
    jpeg_finish_compress(&job.info);
    jpeg_destroy_compress(&job.info);
    return true;
}

// Sets the library up on the source and reads the header.
void start(Decompression& job, file_format::ByteSource& bytes) {
    jpeg_create_decompress(&job.info);
    jpeg_library::attachSource(job.info, job.source, bytes);
    job.progress.progress_monitor = watchScans;
    job.info.progress = &job.progress;
    jpeg_read_header(&job.info, TRUE);
}

// Reads the picture into `image`; false for a file that is not a colour or
// greyscale picture the limits allow, or when memory is short.
bool readPicture(Decompression& job, RasterImage& image, ReadProblem* problem) {
    jpeg_decompress_struct& info = job.info;
    if (!admissible(info, jpeg_library::bytesAhead(info, job.source), problem)) return false;
    info.out_color_space = JCS_EXT_BGR;
    info.mem->max_memory_to_use = memoryCap(info);
    jpeg_start_decompress(&info);
    if (info.output_components != 3)
        return refuse(problem, ReadFailure::Unsupported, colourSpaceText(info));
    if (!allocateImageHeader(image, 0)) {
        showMemoryError();
        return refuse(problem, ReadFailure::OutOfMemory);
    }
    *image.info() =
        platform::makeHeader24(std::int32_t(info.output_width), std::int32_t(info.output_height));
    image.bitmap = platform::Bitmap::create(*image.info());
    if (!image.bitmap) {
        showMemoryError();
        return refuse(problem, ReadFailure::OutOfMemory);
    }
    // The library gives the top row first; it is the last row in memory.
    const JDIMENSION height = info.output_height;
    for (JDIMENSION i = 0; i < height; ++i) {
        JSAMPROW row = image.bitmap->row(std::int32_t(i));
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            return refuse(problem, ReadFailure::Damaged, "the picture data is cut short");
    }
    // Reads on to the end marker, so a file cut after its last row fails too.
    jpeg_finish_decompress(&info);
    return true;
}

// A fatal error inside `readPicture` jumps back here; its frame holds only
// plain values, so nothing is skipped that needed cleaning up.
bool decode(Decompression& job, file_format::ByteSource& bytes, RasterImage& image,
            ReadProblem* problem) {
    job.info.err = jpeg_library::installTrap(job.trap, problem);
    if (setjmp(job.trap.jump)) {
        jpeg_destroy_decompress(&job.info);
        return false;
    }
    start(job, bytes);
    const bool read = readPicture(job, image, problem);
    jpeg_destroy_decompress(&job.info);
    return read;
}

bool inspect(Decompression& job, file_format::ByteSource& bytes, JpegFileInfo& result) {
    job.info.err = jpeg_library::installTrap(job.trap, &result.problem);
    if (setjmp(job.trap.jump)) {
        jpeg_destroy_decompress(&job.info);
        return false;
    }
    start(job, bytes);
    result.width = job.info.image_width;
    result.height = job.info.image_height;
    result.components = job.info.num_components;
    result.progressive = job.info.progressive_mode;
    result.readable =
        admissible(job.info, jpeg_library::bytesAhead(job.info, job.source), &result.problem);
    jpeg_destroy_decompress(&job.info);
    return true;
}

bool readJpeg(file_format::ByteSource& bytes, RasterImage& image, ReadProblem* problem) {
    Decompression job{};
    if (decode(job, bytes, image, problem)) return true;
    image.release();
    return false;
}

}  // namespace

bool writeJpegFile(const Canvas& canvas, const char16_t* path) {
    if (!path || !canvas.liveBits()) return false;
    // Written beside the old file and moved over it only when complete.
    auto writer = platform::AtomicFileWriter::create(path);
    if (!writer) return false;
    Compression job{};
    return encode(job, canvas, *writer) && writer->commit();
}

bool readJpegFile(const Canvas&, const char16_t* path, RasterImage& image, ReadProblem* problem) {
    image.release();
    auto file = openForReading(path, platform::FileSharing::None, problem);
    if (!file) return false;
    file_format::FileSource bytes(*file);
    return readJpeg(bytes, image, problem);
}

bool readJpegData(const std::uint8_t* data, std::size_t size, RasterImage& image,
                  ReadProblem* problem) {
    image.release();
    file_format::MemorySource bytes(data, size);
    return readJpeg(bytes, image, problem);
}

bool readJpegFileInfo(const char16_t* path, JpegFileInfo& info) {
    info = JpegFileInfo{};
    auto file = openForReading(path, platform::FileSharing::Read, &info.problem);
    if (!file) return false;
    file_format::FileSource bytes(*file);
    Decompression job{};
    return inspect(job, bytes, info);
}

bool inspectJpegData(const std::uint8_t* data, std::size_t size, JpegFileInfo& info) {
    info = JpegFileInfo{};
    file_format::MemorySource bytes(data, size);
    Decompression job{};
    return inspect(job, bytes, info);
}
