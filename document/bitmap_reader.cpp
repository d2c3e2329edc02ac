// Bitmap import: the headers are worked out by bitmap_layout.*, the pixels
// of the variants the pictures do not hold as they are converted by
// bitmap_pixels.*; this puts them together into a RasterImage.

#include <algorithm>
#include <cstring>

#include "app/frame/memory_error.h"
#include "canvas/raster_image.h"
#include "document/bitmap_file.h"
#include "document/bitmap_layout.h"
#include "document/bitmap_pixels.h"
#include "platform/files/file.h"
#include "platform/gdi/bitmap.h"
#include "platform/memory/large_buffer.h"

namespace {

using file_format::ByteSource;
using platform::BitmapInfoHeader;
using platform::RgbQuad;
using Coding = BitmapLayout::Coding;

bool outOfMemory(ReadProblem* problem) {
    showMemoryError();
    return refuse(problem, ReadFailure::OutOfMemory);
}

bool cutShort(ReadProblem* problem) {
    return refuse(problem, ReadFailure::Damaged, "the pixel data is cut short");
}

// The classic files keep their header and colour table as stored.
bool readClassicHeaderBlock(ByteSource& source, const BitmapLayout& layout, RasterImage& image,
                            ReadProblem* problem) {
    const std::size_t tableBytes = 4 * std::size_t(layout.declaredEntries);
    if (!allocateImageHeader(image, tableBytes)) return outOfMemory(problem);
    std::memcpy(image.header.get(), &layout.info, sizeof layout.info);
    if (tableBytes > 0 &&
        (!source.seek(layout.tableOffset) ||
         !file_format::readExactly(source, image.header.get() + sizeof layout.info, tableBytes)))
        return refuse(problem, ReadFailure::Damaged, "the colour table is cut short");
    return true;
}

// Every other file gets a 40-byte header describing the picture as it will
// be held (bottom-up, uncompressed, 24 bits for 16 and 32), with a colour
// table of 4-byte entries as long as its count says.
bool readHeaderBlock(ByteSource& source, const BitmapLayout& layout, RasterImage& image,
                     ReadProblem* problem) {
    if (layout.classic) return readClassicHeaderBlock(source, layout, image, problem);
    const std::uint16_t bits = layout.pictureBitCount();
    const std::uint32_t full = bits <= 8 ? 1u << bits : 0;
    const std::uint32_t stored = std::min(layout.tableEntries, full);
    const std::uint32_t entries = stored > 0 ? stored : full;
    if (!allocateImageHeader(image, 4 * std::size_t(entries))) return outOfMemory(problem);

    BitmapInfoHeader& info = *image.info();
    info.biWidth = layout.width;
    info.biHeight = layout.height;
    info.biBitCount = bits;
    info.biSizeImage = std::uint32_t(layout.pictureBytes());
    info.biXPelsPerMeter = layout.info.biXPelsPerMeter;
    info.biYPelsPerMeter = layout.info.biYPelsPerMeter;
    info.biClrUsed = entries == full ? 0 : entries;

    if (stored == 0) return true;  // missing entries stay black
    std::uint8_t table[256 * 4];
    const std::size_t tableBytes = std::size_t(stored) * layout.entryBytes;
    if (!source.seek(layout.tableOffset) || !file_format::readExactly(source, table, tableBytes))
        return refuse(problem, ReadFailure::Damaged, "the colour table is cut short");
    std::uint8_t* out = image.header.get() + sizeof info;
    for (std::uint32_t i = 0; i < stored; ++i) {
        std::memcpy(out + 4 * i, table + std::size_t(i) * layout.entryBytes, 3);
        out[4 * i + 3] = 0;
    }
    return true;
}

// The bitmap the pixels go into, with the colour table of the header block.
bool createBitmap(const BitmapLayout& layout, RasterImage& image, ReadProblem* problem) {
    BitmapInfoHeader info = *image.info();
    info.biHeight = layout.height;
    info.biCompression = 0;
    RgbQuad colours[256];
    const int count = std::min<int>(paletteEntryCount(*image.info()), 256);
    std::memcpy(colours, image.header.get() + sizeof info, sizeof(RgbQuad) * std::size_t(count));
    image.bitmap = platform::Bitmap::create(info, colours, count);
    return image.bitmap ? true : outOfMemory(problem);
}

// The pixel rows are stored as the bitmap holds them; top-down ones are
// turned round afterwards. Trailing bytes beyond the rows are left out.
bool readPlainPixels(ByteSource& source, const BitmapLayout& layout, platform::Bitmap& bitmap,
                     ReadProblem* problem) {
    const std::size_t needed = std::size_t(layout.plainPixelBytes());
    std::size_t got = 0;
    if (!source.seek(layout.pixelOffset) || !source.read(bitmap.bits(), bitmap.byteCount(), got) ||
        got < needed)
        return cutShort(problem);
    if (layout.topDown) reverseRows(bitmap);
    return true;
}

// 16- and 32-bit rows are converted a block of rows at a time.
bool readMaskedPixels(ByteSource& source, const BitmapLayout& layout, platform::Bitmap& bitmap,
                      ReadProblem* problem) {
    const std::size_t fileStride = std::size_t(layout.fileStride());
    const std::size_t rowBytes = std::size_t(layout.width) * (layout.bitCount / 8);
    const std::int32_t blockRows = std::int32_t(std::max<std::size_t>(1, 65536 / fileStride));
    platform::LargeBuffer block(std::size_t(blockRows) * fileStride);
    if (block.empty()) return outOfMemory(problem);
    if (!source.seek(layout.pixelOffset)) return cutShort(problem);
    const MaskedPixels pixels(layout.masks, layout.bitCount);
    for (std::int32_t first = 0; first < layout.height; first += blockRows) {
        const std::int32_t rows = std::min(blockRows, layout.height - first);
        std::size_t got = 0;
        if (!source.read(block.data(), std::size_t(rows) * fileStride, got) ||
            got < std::size_t(rows - 1) * fileStride + rowBytes)
            return cutShort(problem);
        for (std::int32_t i = 0; i < rows; ++i) {
            const std::int32_t fileRow = first + i;
            const std::int32_t imageRow = layout.topDown ? fileRow : layout.height - 1 - fileRow;
            pixels.convertRow(block.data() + std::size_t(i) * fileStride, bitmap.row(imageRow),
                              layout.width);
        }
    }
    return true;
}

// The most bytes an honest run-length stream for the picture can take: a
// run per pixel and an end of row per row. Anything beyond is never used.
std::int64_t runLengthBound(const BitmapLayout& layout) {
    const std::int64_t pixels = std::int64_t(layout.width) * layout.height;
    return 2 * pixels + 4 * std::int64_t(layout.height) + 16;
}

bool readRunLengthPixels(ByteSource& source, const BitmapLayout& layout, platform::Bitmap& bitmap,
                         ReadProblem* problem) {
    std::int64_t available = runLengthBound(layout);
    if (layout.fileBytes >= 0)
        available = std::min(available, layout.fileBytes - layout.pixelOffset);
    platform::LargeBuffer data(std::size_t(std::max<std::int64_t>(available, 0)));
    if (data.empty()) return outOfMemory(problem);
    std::size_t got = 0;
    if (!source.seek(layout.pixelOffset) || !source.read(data.data(), data.size(), got) ||
        !expandRunLength(data.data(), got, layout.coding == Coding::RunLength4, bitmap))
        return cutShort(problem);
    if (layout.topDown) reverseRows(bitmap);
    return true;
}

bool readPixels(ByteSource& source, const BitmapLayout& layout, platform::Bitmap& bitmap,
                ReadProblem* problem) {
    switch (layout.coding) {
        case Coding::Plain:
            return readPlainPixels(source, layout, bitmap, problem);
        case Coding::Masked:
            return readMaskedPixels(source, layout, bitmap, problem);
        default:
            return readRunLengthPixels(source, layout, bitmap, problem);
    }
}

bool readBitmap(ByteSource& source, RasterImage& image, ReadProblem* problem) {
    BitmapLayout layout;
    if (!readBitmapLayout(source, layout, problem) ||
        !readHeaderBlock(source, layout, image, problem)) {
        image.release();
        return false;
    }
    // Without a palette the picture still shows its colour table's colours.
    createImagePalette(image);
    if (!createBitmap(layout, image, problem) ||
        !readPixels(source, layout, *image.bitmap, problem)) {
        image.release();
        return false;
    }
    return true;
}

bool inspect(ByteSource& source, BitmapFileInfo& info) {
    info = BitmapFileInfo{};
    info.fileBytes = source.size();
    BitmapLayout layout;
    if (!inspectBitmapHeaders(source, layout, info.problem)) return false;
    info.headerSize = layout.headerSize;
    info.width = layout.width;
    info.height = layout.height;
    info.topDown = layout.topDown;
    info.bitCount = layout.bitCount;
    info.compression = layout.compression;
    info.colourCount = std::uint16_t(layout.tableEntries);
    info.readable = info.problem.failure == ReadFailure::None;
    return true;
}

}  // namespace

bool readBitmapFile(const Canvas&, const char16_t* path, RasterImage& image, ReadProblem* problem) {
    image.release();
    auto file = openForReading(path, platform::FileSharing::None, problem);
    if (!file) return false;
    file_format::FileSource source(*file);
    return readBitmap(source, image, problem);
}

bool readBitmapData(const std::uint8_t* data, std::size_t size, RasterImage& image,
                    ReadProblem* problem) {
    image.release();
    file_format::MemorySource source(data, size);
    return readBitmap(source, image, problem);
}

bool readBitmapFileInfo(const char16_t* path, BitmapFileInfo& info) {
    info = BitmapFileInfo{};
    auto file = openForReading(path, platform::FileSharing::Read, &info.problem);
    if (!file) return false;
    file_format::FileSource source(*file);
    return inspect(source, info);
}

bool inspectBitmapData(const std::uint8_t* data, std::size_t size, BitmapFileInfo& info) {
    file_format::MemorySource source(data, size);
    return inspect(source, info);
}
