#pragma once

#include <cstdint>
#include <string_view>

#include "document/file_format_failure.h"

class Canvas;
struct RasterImage;

// The picture files the program imports (bitmap, JPEG, PNG), told apart by
// their first bytes, so that a file named for one kind but holding another
// is still read, and by the name's extension when the bytes say nothing
// (or the file cannot be read, so that the message names the kind asked for).
enum class PictureFormat { None, Bitmap, Jpeg, Png };

PictureFormat pictureFormatOf(const char16_t* path);

// The format a name's extension stands for (".bmp", ".jpg", ".jpeg",
// ".png", ignoring letter case); None for any other.
PictureFormat pictureFormatOfName(std::u16string_view name);

// Reads the file with the reader of its format; see readBitmapFile,
// readJpegFile and readPngFile. A file of no picture format is refused as
// not one.
bool readPictureFile(const Canvas& canvas, const char16_t* path, RasterImage& image,
                     ReadProblem* problem = nullptr);
