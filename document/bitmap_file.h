#pragma once

#include <cstdint>

#include "platform/gdi/bitmap_info_header.h"

class Canvas;
struct RasterImage;

// Bitmap (".bmp") files: exports of the live picture as uncompressed 24-bit
// bottom-up bitmaps, and imports of 1-, 4-, 8- and 24-bit files into a
// RasterImage for the floating image. Writers put the file in place only
// once it is complete: a failed export leaves whatever was at the path.

// Writes the live picture cropped to the smallest rectangle holding every
// pixel that is not pure white. False, and nothing written, for a picture
// that is all white or when the file cannot be written completely.
bool writeBitmapFile(const Canvas& canvas, const char16_t* path);

// Writes the whole canvas, white margins included, so that it can be read
// back without loss.
bool writeBitmapFileUncropped(const Canvas& canvas, const char16_t* path);

// Reads the file at `path` into `image`: its header block (the information
// header followed by the file's colour table), its palette and its bitmap;
// `bits` is left unset. Whatever the image held before is released first.
// Files whose header could not describe a sensible picture are refused:
// sizes outside 1 to 16384 (so top-down files too), compression, or a depth
// other than 1, 4, 8 or 24 bits. Pixel bytes after the colour table fill the
// bitmap's rows; more are ignored and fewer leave the rest black. False on
// any failure; the image may then hold a header block, which the holder
// releases. Out of memory also shows the memory-error message.
bool readBitmapFile(const Canvas& canvas, const char16_t* path, RasterImage& image);

// How many colour-table entries follow an information header.
std::uint16_t paletteEntryCount(const platform::BitmapInfoHeader& header);

// Builds the image's palette from the colour table in its header block,
// which must hold as many entries as paletteEntryCount gives (the reader
// makes it so). True also when the image needs none; false (with the
// memory-error message) when memory is short, or when the image has no
// header block.
bool createImagePalette(RasterImage& image);

// What a bitmap file's headers say, for tools that inspect files.
struct BitmapFileInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint16_t colourCount = 0;  // colour-table entries
    std::int64_t fileBytes = 0;
    bool readable = false;  // whether readBitmapFile would take the header
};

// Reads only the headers. False when the file cannot be opened, is too short
// for its headers or does not start with "BM".
bool readBitmapFileInfo(const char16_t* path, BitmapFileInfo& info);
