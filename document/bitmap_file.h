#pragma once

#include <cstddef>
#include <cstdint>

#include "document/file_format_failure.h"
#include "platform/gdi/bitmap_info_header.h"

class Canvas;
struct RasterImage;

// Bitmap (".bmp") files: exports of the live picture as uncompressed 24-bit
// bottom-up bitmaps, and imports of the files other programs write into a
// RasterImage for the floating image. Writers put the file in place only
// once it is complete: a failed export leaves whatever was at the path.

// Writes the live picture cropped to the smallest rectangle holding every
// pixel that is not pure white. False, and nothing written, for a picture
// that is all white or when the file cannot be written completely.
bool writeBitmapFile(const Canvas& canvas, const char16_t* path);

// Writes the whole canvas, white margins included, so that it can be read
// back without loss.
bool writeBitmapFileUncropped(const Canvas& canvas, const char16_t* path);

// Reads the file at `path` into `image`: its header block (an information
// header of 40 bytes followed by the colour table), its palette and its
// bitmap, always stored bottom-up; `bits` is left unset. Whatever the image
// held before is released first. Every common variant is read: the old
// 12-byte header and the 40- to 124-byte ones, 1, 4, 8 and 24 bits per
// pixel as they are, 16 and 32 bits (plain or with colour masks) turned into
// 24, run-length coded 4- and 8-bit indices, rows bottom-up or top-down,
// and pixel data wherever the file header puts it. Files of a 40-byte
// header with uncompressed bottom-up pixels right after the colour table
// keep that header and table exactly as stored.
//
// Nothing is allocated for a picture that the file cannot hold or that would
// need more than file_format::maxImportBytes. A file whose pixel data is cut
// short is refused, never shown with rows missing. False on any failure,
// with the image released and, when asked for, the reason in `problem`; out
// of memory also shows the memory-error message.
bool readBitmapFile(const Canvas& canvas, const char16_t* path, RasterImage& image,
                    ReadProblem* problem = nullptr);

// The same for a file's bytes held in memory.
bool readBitmapData(const std::uint8_t* data, std::size_t size, RasterImage& image,
                    ReadProblem* problem = nullptr);

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
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool topDown = false;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint16_t colourCount = 0;  // colour-table entries the file holds
    std::int64_t fileBytes = 0;
    bool readable = false;  // whether readBitmapFile would take the file
    ReadProblem problem;    // why not
};

// Reads the headers and checks them against the file's length without
// decoding any pixels. False when the file cannot be opened or its headers
// make no sense (then only `problem` and `fileBytes` are filled in); true
// when the fields above hold what the headers say, `readable` telling
// whether the picture would be read.
bool readBitmapFileInfo(const char16_t* path, BitmapFileInfo& info);
bool inspectBitmapData(const std::uint8_t* data, std::size_t size, BitmapFileInfo& info);
