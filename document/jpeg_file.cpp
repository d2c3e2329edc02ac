#include "document/jpeg_file.h"

// The library's header needs FILE and size_t declared before it.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <memory>

#include <jpeglib.h>
// After the library's header, which it extends.
#include <jerror.h>

#include "app/frame/memory_error.h"
#include "canvas/canvas.h"
#include "canvas/raster_image.h"
#include "document/file_format_io.h"
#include "platform/files/atomic_file_writer.h"
#include "platform/files/file.h"
#include "platform/gdi/bitmap.h"

// The pictures hold blue, green, red; the library reads and writes that order
// itself, so no row is converted or copied on the way.
#if !defined(JCS_EXTENSIONS)
#error "the JPEG library must take and give pixels in blue, green, red order"
#endif

namespace {

// The library reports a fatal error by calling `error_exit`, which must not
// return. Ours jumps back to the function that started the library, which
// destroys the library's object and fails. Only plain records live in the
// frames the jump leaves, so it skips nothing that needed cleaning up: the
// file and the writer belong to the caller of that function.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void leaveOperation(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

// There is no console to tell: warnings pass quietly and fatal errors become
// results.
void discardMessage(j_common_ptr) {}

jpeg_error_mgr* installTrap(ErrorTrap& trap) {
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = leaveOperation;
    trap.manager.output_message = discardMessage;
    return &trap.manager;
}

// --- reading from a File -----------------------------------------------------

struct FileSource {
    jpeg_source_mgr manager;
    platform::File* file;
    JOCTET buffer[16384];
};

void startSource(j_decompress_ptr) {}
void endSource(j_decompress_ptr) {}

boolean fillSource(j_decompress_ptr info) {
    auto* source = reinterpret_cast<FileSource*>(info->src);
    std::size_t got = 0;
    if (!source->file->read(source->buffer, sizeof source->buffer, got))
        ERREXIT(info, JERR_FILE_READ);
    // A file that ends before its image does is damaged. The library's own
    // source would make up an end and pass the missing rows off as grey.
    if (got == 0) ERREXIT(info, JERR_INPUT_EOF);
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = got;
    return TRUE;
}

void skipSource(j_decompress_ptr info, long bytes) {
    jpeg_source_mgr* source = info->src;
    if (bytes <= 0) return;
    while (std::size_t(bytes) > source->bytes_in_buffer) {
        bytes -= long(source->bytes_in_buffer);
        fillSource(info);
    }
    source->next_input_byte += bytes;
    source->bytes_in_buffer -= std::size_t(bytes);
}

void attachSource(jpeg_decompress_struct& info, FileSource& source, platform::File& file) {
    source.manager.init_source = startSource;
    source.manager.fill_input_buffer = fillSource;
    source.manager.skip_input_data = skipSource;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = endSource;
    source.manager.next_input_byte = nullptr;
    source.manager.bytes_in_buffer = 0;
    source.file = &file;
    info.src = &source.manager;
}

// --- writing to an AtomicFileWriter ----------------------------------------------

struct WriterDestination {
    jpeg_destination_mgr manager;
    platform::AtomicFileWriter* writer;
    JOCTET buffer[16384];
};

void startDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<WriterDestination*>(info->dest);
    destination->manager.next_output_byte = destination->buffer;
    destination->manager.free_in_buffer = sizeof destination->buffer;
}

boolean emptyDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<WriterDestination*>(info->dest);
    if (!destination->writer->write(destination->buffer, sizeof destination->buffer))
        ERREXIT(info, JERR_FILE_WRITE);
    startDestination(info);
    return TRUE;
}

void endDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<WriterDestination*>(info->dest);
    const std::size_t bytes = sizeof destination->buffer - destination->manager.free_in_buffer;
    if (bytes > 0 && !destination->writer->write(destination->buffer, bytes))
        ERREXIT(info, JERR_FILE_WRITE);
}

void attachDestination(jpeg_compress_struct& info, WriterDestination& destination,
                       platform::AtomicFileWriter& writer) {
    destination.manager.init_destination = startDestination;
    destination.manager.empty_output_buffer = emptyDestination;
    destination.manager.term_destination = endDestination;
    destination.writer = &writer;
    info.dest = &destination.manager;
}

// --- the operations ----------------------------------------------------------------

// Colour and greyscale files decode to three components; the library cannot
// make colours of CMYK ones.
bool decodableToColour(const jpeg_decompress_struct& info) {
    const bool colourSpace = info.jpeg_color_space == JCS_GRAYSCALE ||
                             info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB;
    return colourSpace && info.image_width >= 1 && info.image_height >= 1 &&
           info.image_width <= JDIMENSION(file_format::maxImportDimension) &&
           info.image_height <= JDIMENSION(file_format::maxImportDimension);
}

// Everything the library works on lives in these records, owned by the
// caller of the function that jumps back, never in that function's frame.
struct Compression {
    ErrorTrap trap;
    jpeg_compress_struct info;
    WriterDestination destination;
};

struct Decompression {
    ErrorTrap trap;
    jpeg_decompress_struct info;
    FileSource source;
};

bool encode(Compression& job, const Canvas& canvas, platform::AtomicFileWriter& writer) {
    job.info.err = installTrap(job.trap);
    if (setjmp(job.trap.jump)) {
        jpeg_destroy_compress(&job.info);
        return false;
    }
    jpeg_create_compress(&job.info);
    attachDestination(job.info, job.destination, writer);
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

// Reads the picture the library was started on into `image`; false for a
// file that is not a colour or greyscale picture, or when memory is short.
bool readPicture(jpeg_decompress_struct& info, RasterImage& image) {
    jpeg_read_header(&info, TRUE);
    if (!decodableToColour(info)) return false;
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) return false;
    if (!allocateImageHeader(image, 0)) {
        showMemoryError();
        return false;
    }
    *image.info() =
        platform::makeHeader24(std::int32_t(info.output_width), std::int32_t(info.output_height));
    image.bitmap = platform::Bitmap::create(*image.info());
    if (!image.bitmap) {
        showMemoryError();
        return false;
    }
    // The library gives the top row first; it is the last row in memory.
    const std::size_t stride = std::size_t(image.bitmap->stride());
    const JDIMENSION height = info.output_height;
    for (JDIMENSION i = 0; i < height; ++i) {
        JSAMPROW row = image.bitmap->bits() + std::size_t(height - 1 - i) * stride;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(&info);
    return true;
}

// A fatal error inside `readPicture` jumps back here; its frame holds only
// plain values, so nothing is skipped that needed cleaning up.
bool decode(Decompression& job, platform::File& file, RasterImage& image) {
    job.info.err = installTrap(job.trap);
    if (setjmp(job.trap.jump)) {
        jpeg_destroy_decompress(&job.info);
        return false;
    }
    jpeg_create_decompress(&job.info);
    attachSource(job.info, job.source, file);
    const bool read = readPicture(job.info, image);
    jpeg_destroy_decompress(&job.info);
    return read;
}

bool inspect(Decompression& job, platform::File& file, JpegFileInfo& result) {
    job.info.err = installTrap(job.trap);
    if (setjmp(job.trap.jump)) {
        jpeg_destroy_decompress(&job.info);
        return false;
    }
    jpeg_create_decompress(&job.info);
    attachSource(job.info, job.source, file);
    jpeg_read_header(&job.info, TRUE);
    result.width = job.info.image_width;
    result.height = job.info.image_height;
    result.components = job.info.num_components;
    result.readable = decodableToColour(job.info);
    jpeg_destroy_decompress(&job.info);
    return true;
}

std::unique_ptr<platform::File> openForReading(const char16_t* path,
                                               platform::FileSharing sharing) {
    if (!path) return nullptr;
    return platform::File::open(path, platform::FileAccess::Read,
                                platform::FileDisposition::OpenExisting, sharing);
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

bool readJpegFile(const Canvas&, const char16_t* path, RasterImage& image) {
    image.release();
    auto file = openForReading(path, platform::FileSharing::None);
    if (!file) return false;
    Decompression job{};
    if (decode(job, *file, image)) return true;
    image.release();
    return false;
}

bool readJpegFileInfo(const char16_t* path, JpegFileInfo& info) {
    info = JpegFileInfo{};
    auto file = openForReading(path, platform::FileSharing::Read);
    if (!file) return false;
    Decompression job{};
    return inspect(job, *file, info);
}
