#pragma once

#include <cstddef>
#include <cstdint>

#include "document/file_format_failure.h"

class Canvas;
struct RasterImage;

// PNG (".png") export of the live picture and import of the files other
// programs write, through the PNG library. Damaged files end in a false
// result, never in the library ending the program.

// Writes the live picture cropped to the smallest rectangle holding every
// pixel that is not pure white, as 8-bit RGB without transparency. False,
// and nothing written, for a picture that is all white or when the file
// cannot be written completely; whatever was at `path` then stays.
bool writePngFile(const Canvas& canvas, const char16_t* path);

// Writes the whole canvas, white margins included, so that it can be read
// back without loss.
bool writePngFileUncropped(const Canvas& canvas, const char16_t* path);

// Decodes the file into `image`: a 24-bit bottom-up bitmap of the picture's
// size with a 40-byte header block and no palette; `bits` is left unset.
// Every variant is read: 1 to 16 bits, grey, colour and palette pictures,
// interlaced or not; transparent pixels are laid over white. A picture
// whose pixels would need more than file_format::maxImportBytes, or that
// claims more than its compressed data could possibly hold, is refused
// before anything is allocated for it. A file cut short or with a damaged
// picture chunk is refused, never shown with rows missing. False on any
// failure, with the image released and, when asked for, the reason in
// `problem`; out of memory also shows the memory-error message.
bool readPngFile(const Canvas& canvas, const char16_t* path, RasterImage& image,
                 ReadProblem* problem = nullptr);

// The same for a file's bytes held in memory.
bool readPngData(const std::uint8_t* data, std::size_t size, RasterImage& image,
                 ReadProblem* problem = nullptr);

// True when the bytes start with the PNG signature; `size` may be anything.
bool hasPngSignature(const std::uint8_t* data, std::size_t size);

// What a PNG file's header says, for tools that inspect files.
struct PngFileInfo {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitDepth = 0;
    const char* colours = "";  // "grey", "grey and alpha", "RGB", "RGBA", "palette"
    bool interlaced = false;
    bool readable = false;  // whether the header passes what readPngFile asks of it
    ReadProblem problem;    // why not
};

// Reads only the chunks before the picture data. False when the file cannot
// be opened or its header is damaged (`problem` says which); true when the
// fields hold what the header says.
bool readPngFileInfo(const char16_t* path, PngFileInfo& info);
bool inspectPngData(const std::uint8_t* data, std::size_t size, PngFileInfo& info);
