#pragma once

#include <cstdint>

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
// are refused. False on any failure, with the image released; out of memory
// also shows the memory-error message.
bool readJpegFile(const Canvas& canvas, const char16_t* path, RasterImage& image);

// What a JPEG file's header says, for tools that inspect files.
struct JpegFileInfo {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int components = 0;
    bool readable = false;  // whether readJpegFile would take the colour space and size
};

// Reads only the header. False when the file cannot be opened or its header
// is damaged.
bool readJpegFileInfo(const char16_t* path, JpegFileInfo& info);
