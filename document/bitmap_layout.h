#pragma once

#include <cstdint>

#include "document/file_format_failure.h"
#include "document/file_format_io.h"
#include "platform/gdi/bitmap_info_header.h"

// What the headers of a bitmap file say, the same whatever form they take:
// the old 12-byte header, the 40-byte one and its longer successors (52, 56,
// 108 and 124 bytes), which only add fields after the first 40.
struct BitmapLayout {
    // How the pixel data is stored.
    enum class Coding {
        Plain,       // 1, 4, 8 or 24 bits, indices or blue, green, red
        Masked,      // 16 or 32 bits per pixel, each colour a field of bits
        RunLength8,  // 8-bit indices in runs
        RunLength4,  // 4-bit indices in runs
    };

    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // always positive; see topDown
    bool topDown = false;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;  // as stored
    Coding coding = Coding::Plain;
    // The fields of red, green and blue in a 16- or 32-bit pixel.
    std::uint32_t masks[3] = {};

    // The colour table: where it starts, how many entries the headers
    // declare, how many of them the file holds before the pixels, and their
    // size (3 bytes in the old form, else 4).
    std::int64_t tableOffset = 0;
    std::uint32_t declaredEntries = 0;
    std::uint32_t tableEntries = 0;
    std::uint32_t entryBytes = 4;

    std::int64_t pixelOffset = 0;
    std::int64_t fileBytes = 0;

    // The information header as the program keeps it: the file's first 40
    // bytes, or the old header's fields moved into that form.
    platform::BitmapInfoHeader info;

    // A 40-byte header with uncompressed bottom-up pixels of 1, 4, 8 or 24
    // bits right after its colour table: the files the program has always
    // read. These keep their header and colour table exactly as stored.
    bool classic = false;

    // Bits per pixel of the picture made from the file: the file's own for
    // indices and 24 bits, 24 for 16 and 32.
    std::uint16_t pictureBitCount() const { return coding == Coding::Masked ? 24 : bitCount; }
    // Bytes of one stored row of an uncompressed file.
    std::int64_t fileStride() const { return platform::rowStrideFor(width, bitCount); }
    // Bytes an uncompressed file must hold from its pixel offset on: every
    // row but the last in full, and the last row's pixels without padding.
    std::int64_t plainPixelBytes() const {
        return fileStride() * (height - 1) + (std::int64_t(width) * bitCount + 7) / 8;
    }
    // Bytes the picture's pixels take in memory.
    std::int64_t pictureBytes() const {
        return platform::rowStrideFor(width, pictureBitCount()) * std::int64_t(height);
    }
};

// Reads the file header and the information header from the start of
// `source` and works out where everything is. False, with the reason, when
// the file is not a bitmap, is a variant that is not read, or claims a
// picture it cannot hold or that would be too large. The source is left
// just after the information header.
bool readBitmapLayout(file_format::ByteSource& source, BitmapLayout& layout, ReadProblem* problem);

// Reads only as far as is needed to say what the headers hold: true when
// width, height, bit count and compression could be read, even when
// `readBitmapLayout` would refuse the file (`problem` then says why).
bool inspectBitmapHeaders(file_format::ByteSource& source, BitmapLayout& layout,
                          ReadProblem& problem);
