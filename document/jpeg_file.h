#pragma once

#include <cstddef>
#include <cstdint>

#include "document/file_format_failure.h"

class Canvas;
struct RasterImage;

// JPEG (".jpg") export of the whole live picture at the library's default
// settings, and import of a JPEG file into a RasterImage for the floating
// image. Damaged or unsupported files end in a false result, never in the
// library ending the program.

// Writes the live picture, leaving it untouched. The file is put in place
// only once it is complete; on failure whatever was at `path` stays.
bool writeJpegFile(const Canvas& canvas, const char16_t* path);

// Decodes the file into `image`: a 24-bit bottom-up bitmap of the JPEG's
// size in the picture's layout, with a 40-byte header block and no palette;
// `bits` is left unset. Colour and greyscale files are read; others (CMYK)
// are refused. So is anything the library finds damaged, its warnings
// included: a picture with made-up rows is never delivered. A picture whose
// pixels would need more than file_format::maxImportBytes, or that claims
// more than its file could hold, is refused before anything is allocated
// for it, and the library's own working memory is held to what the picture
// needs. False on any failure, with the image released and, when asked for,
// the reason in `problem`; out of memory also shows the memory-error message.
bool readJpegFile(const Canvas& canvas, const char16_t* path, RasterImage& image,
                  ReadProblem* problem = nullptr);

// The same for a file's bytes held in memory.
bool readJpegData(const std::uint8_t* data, std::size_t size, RasterImage& image,
                  ReadProblem* problem = nullptr);

// What a JPEG file's header says, for tools that inspect files.
struct JpegFileInfo {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int components = 0;
    bool progressive = false;
    bool readable = false;  // whether the header passes what readJpegFile asks of it
    ReadProblem problem;    // why not
};

// Reads only the header. False when the file cannot be opened or its header
// is damaged (`problem` says which); true when the fields hold what the
// header says.
bool readJpegFileInfo(const char16_t* path, JpegFileInfo& info);
bool inspectJpegData(const std::uint8_t* data, std::size_t size, JpegFileInfo& info);
