#include "document/bitmap_file.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "app/frame/memory_error.h"
#include "canvas/canvas.h"
#include "canvas/raster_image.h"
#include "document/file_format_export.h"
#include "document/file_format_io.h"
#include "platform/files/atomic_file_writer.h"
#include "platform/files/file.h"
#include "platform/gdi/bitmap.h"

namespace {

using file_format::BlockWriter;
using file_format::findInk;
using file_format::InkBounds;
using platform::BitmapInfoHeader;
using platform::RgbQuad;

constexpr std::uint16_t bitmapType = 0x4D42;  // "BM"

#pragma pack(push, 1)
struct BitmapFileHeader {
    std::uint16_t bfType;
    std::uint32_t bfSize;
    std::uint16_t bfReserved1;
    std::uint16_t bfReserved2;
    std::uint32_t bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BitmapFileHeader) == 14);

constexpr std::size_t headersBytes = sizeof(BitmapFileHeader) + sizeof(BitmapInfoHeader);

// The picture's own header with this file's size; the file header follows
// from it.
BitmapInfoHeader fileInfoHeader(const Canvas& canvas, std::int32_t width, std::int32_t height) {
    BitmapInfoHeader info = canvas.pictureHeader();
    info.biWidth = width;
    info.biHeight = height;
    info.biSizeImage =
        std::uint32_t(platform::rowStrideFor(width, info.biBitCount) * std::int64_t(height));
    return info;
}

bool writeHeaders(platform::AtomicFileWriter& writer, const BitmapInfoHeader& info) {
    const BitmapFileHeader file{bitmapType, std::uint32_t(headersBytes + info.biSizeImage), 0, 0,
                                std::uint32_t(info.biSize + sizeof(BitmapFileHeader))};
    std::uint8_t headers[headersBytes];
    std::memcpy(headers, &file, sizeof file);
    std::memcpy(headers + sizeof file, &info, sizeof info);
    return writer.write(headers, sizeof headers);
}

}  // namespace

bool writeBitmapFile(const Canvas& canvas, const char16_t* path) {
    if (!path || !canvas.liveBits()) return false;
    const InkBounds ink = findInk(canvas);
    if (!ink.found()) return false;

    const std::int32_t width = ink.right - ink.left + 1;
    const BitmapInfoHeader info = fileInfoHeader(canvas, width, ink.lastRow - ink.firstRow + 1);
    auto writer = platform::AtomicFileWriter::create(path);
    if (!writer || !writeHeaders(*writer, info)) return false;

    // Each row is the ink columns' pixels and zero padding to a whole number
    // of words. The padding is not taken from the picture, whose last row
    // may end right where the cropped row would need it.
    const std::size_t stride = std::size_t(canvas.rowStride());
    const std::size_t pixelBytes = 3 * std::size_t(width);
    const std::size_t padding = std::size_t(platform::rowStrideFor(width, 24)) - pixelBytes;
    static constexpr std::uint8_t zeros[4] = {};
    BlockWriter rows(*writer);
    for (std::int32_t row = ink.firstRow; row <= ink.lastRow; ++row) {
        const std::uint8_t* start =
            canvas.liveBits() + std::size_t(row) * stride + 3 * std::size_t(ink.left);
        if (!rows.append(start, pixelBytes) || !rows.append(zeros, padding)) return false;
    }
    return rows.flush() && writer->commit();
}

bool writeBitmapFileUncropped(const Canvas& canvas, const char16_t* path) {
    if (!path || !canvas.liveBits()) return false;
    const BitmapInfoHeader info = fileInfoHeader(canvas, canvas.width(), canvas.height());
    auto writer = platform::AtomicFileWriter::create(path);
    if (!writer || !writeHeaders(*writer, info)) return false;
    // The canvas rows lie bottom row first with the file's own stride, so
    // they go out as one block.
    const std::size_t stride = std::size_t(canvas.rowStride());
    const std::uint8_t* rows =
        canvas.liveBits() + std::size_t(canvas.allocatedRows() - canvas.height()) * stride;
    return writer->write(rows, std::size_t(canvas.height()) * stride) && writer->commit();
}

std::uint16_t paletteEntryCount(const BitmapInfoHeader& header) {
    const auto used = std::uint16_t(header.biClrUsed);
    if (used != 0) return used;
    switch (header.biBitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

bool createImagePalette(RasterImage& image) {
    const BitmapInfoHeader* info = image.info();
    if (!info) return false;
    const std::uint16_t entries = paletteEntryCount(*info);
    if (entries == 0) return true;
    std::unique_ptr<RgbQuad[]> palette(new (std::nothrow) RgbQuad[entries]);
    if (!palette) {
        showMemoryError();
        return false;
    }
    const std::uint8_t* table = image.header.get() + sizeof(BitmapInfoHeader);
    for (std::size_t i = 0; i < entries; ++i) {
        palette[i].rgbBlue = table[4 * i];
        palette[i].rgbGreen = table[4 * i + 1];
        palette[i].rgbRed = table[4 * i + 2];
        palette[i].rgbReserved = 0;
    }
    image.palette = std::move(palette);
    return true;
}
