#include "document/bitmap_layout.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "document/bitmap_file.h"

namespace {

using file_format::ByteSource;
using Coding = BitmapLayout::Coding;

constexpr std::uint16_t bitmapType = 0x4D42;  // "BM"
constexpr std::uint32_t coreHeaderSize = 12;
constexpr std::uint32_t largestHeaderSize = 124;
constexpr std::int64_t fileHeaderSize = 14;

// Compression values of the information header.
constexpr std::uint32_t plainPixels = 0;
constexpr std::uint32_t runLength8 = 1;
constexpr std::uint32_t runLength4 = 2;
constexpr std::uint32_t bitFields = 3;
constexpr std::uint32_t embeddedJpeg = 4;
constexpr std::uint32_t embeddedPng = 5;
constexpr std::uint32_t alphaBitFields = 6;

// A run of two bytes expands to at most 255 pixels, a byte or less each, so
// no run-length stream can honestly describe more than this many bytes of
// picture per byte of its own. Skips and an early end can describe more; a
// file that relies on them for a large picture is not worth its memory.
constexpr std::int64_t runLengthExpansion = 1024;
constexpr std::int64_t smallPictureBytes = std::int64_t(1) << 20;

template <typename T>
T fieldAt(const std::uint8_t* bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

bool knownHeaderSize(std::uint32_t size) {
    return size == coreHeaderSize || size == 40 || size == 52 || size == 56 || size == 108 ||
           size == largestHeaderSize;
}

// A mask must be one run of set bits (or none), so each colour is a number.
bool contiguous(std::uint32_t mask) {
    if (mask == 0) return true;
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

// The core header: sizes of 16 bits, no compression, 3-byte table entries.
void readCoreHeader(const std::uint8_t* header, BitmapLayout& layout) {
    platform::BitmapInfoHeader& info = layout.info;
    info = platform::BitmapInfoHeader{};
    info.biWidth = fieldAt<std::uint16_t>(header, 4);
    info.biHeight = fieldAt<std::uint16_t>(header, 6);
    info.biPlanes = fieldAt<std::uint16_t>(header, 8);
    info.biBitCount = fieldAt<std::uint16_t>(header, 10);
    layout.entryBytes = 3;
    layout.declaredEntries = info.biBitCount <= 8 ? 1u << info.biBitCount : 0;
}

// Works out the coding from bit count and compression; false with the
// reason for what is not read.
bool chooseCoding(BitmapLayout& layout, ReadProblem* problem) {
    const std::uint16_t bits = layout.bitCount;
    const std::string depth = std::to_string(bits) + " bits per pixel";
    switch (layout.compression) {
        case plainPixels:
            if (bits == 1 || bits == 4 || bits == 8 || bits == 24) {
                layout.coding = Coding::Plain;
                return true;
            }
            if (bits == 16 || bits == 32) {
                layout.coding = Coding::Masked;
                return true;
            }
            if (bits == 2) return refuse(problem, ReadFailure::Unsupported, depth);
            return refuse(problem, ReadFailure::Damaged, "its header gives " + depth);
        case runLength8:
            if (bits != 8) break;
            layout.coding = Coding::RunLength8;
            return true;
        case runLength4:
            if (bits != 4) break;
            layout.coding = Coding::RunLength4;
            return true;
        case bitFields:
        case alphaBitFields:
            if (bits != 16 && bits != 32)
                return refuse(problem, ReadFailure::Unsupported, "bit fields with " + depth);
            layout.coding = Coding::Masked;
            return true;
        case embeddedJpeg:
            return refuse(problem, ReadFailure::Unsupported, "a JPEG picture inside a bitmap");
        case embeddedPng:
            return refuse(problem, ReadFailure::Unsupported, "a PNG picture inside a bitmap");
        default:
            return refuse(problem, ReadFailure::Unsupported,
                          "compression method " + std::to_string(layout.compression));
    }
    return refuse(
        problem, ReadFailure::Damaged,
        "run-length compression " + std::to_string(layout.compression) + " with " + depth);
}

// Reads the colour masks of a 16- or 32-bit file: from the header when it
// is long enough to hold them, else from the 12 or 16 bytes after it. Plain
// files have fixed fields: 5 bits each, or a byte each.
bool readMasks(ByteSource& source, const std::uint8_t* header, BitmapLayout& layout,
               ReadProblem* problem) {
    if (layout.compression == plainPixels) {
        if (layout.bitCount == 16) {
            layout.masks[0] = 0x7C00;
            layout.masks[1] = 0x03E0;
            layout.masks[2] = 0x001F;
        } else {
            layout.masks[0] = 0xFF0000;
            layout.masks[1] = 0x00FF00;
            layout.masks[2] = 0x0000FF;
        }
        return true;
    }
    if (layout.headerSize >= 52) {
        for (int i = 0; i < 3; ++i)
            layout.masks[i] = fieldAt<std::uint32_t>(header, 40 + 4 * std::size_t(i));
    } else {
        std::uint32_t masks[4] = {};
        const std::size_t bytes = layout.compression == alphaBitFields ? 16 : 12;
        if (!file_format::readExactly(source, masks, bytes))
            return refuse(problem, ReadFailure::Damaged, "the file ends inside its colour masks");
        std::copy(masks, masks + 3, layout.masks);
        layout.tableOffset += std::int64_t(bytes);
    }
    for (const std::uint32_t mask : layout.masks)
        if (!contiguous(mask))
            return refuse(problem, ReadFailure::Unsupported, "colour masks with gaps");
    return true;
}

// Reads both headers into the layout. False when they cannot be made sense
// of; the fields read so far stay in the layout.
bool readHeaders(ByteSource& source, BitmapLayout& layout, std::uint32_t& offBits,
                 ReadProblem* problem) {
    layout = BitmapLayout{};
    layout.fileBytes = source.size();
    std::uint8_t fileHeader[fileHeaderSize] = {};
    std::size_t got = 0;
    if (!source.read(fileHeader, sizeof fileHeader, got))
        return refuse(problem, ReadFailure::Damaged, "it cannot be read");
    if (got < 2 || fieldAt<std::uint16_t>(fileHeader, 0) != bitmapType)
        return refuse(problem, ReadFailure::NotThisFormat);
    if (got < sizeof fileHeader)
        return refuse(problem, ReadFailure::Damaged, "the file ends inside its headers");
    offBits = fieldAt<std::uint32_t>(fileHeader, 10);

    std::uint8_t header[largestHeaderSize] = {};
    if (!file_format::readExactly(source, header, 4))
        return refuse(problem, ReadFailure::Damaged, "the file ends inside its headers");
    const auto size = fieldAt<std::uint32_t>(header, 0);
    layout.headerSize = size;
    if (!knownHeaderSize(size)) {
        if ((size > coreHeaderSize && size < 40) || size == 64)
            return refuse(problem, ReadFailure::Unsupported,
                          "the OS/2 2.x header of " + std::to_string(size) + " bytes");
        return refuse(problem, ReadFailure::Damaged,
                      "an information header of " + std::to_string(size) + " bytes");
    }
    if (!file_format::readExactly(source, header + 4, size - 4))
        return refuse(problem, ReadFailure::Damaged, "the file ends inside its headers");
    layout.tableOffset = fileHeaderSize + size;

    if (size == coreHeaderSize) {
        readCoreHeader(header, layout);
    } else {
        std::memcpy(&layout.info, header, sizeof layout.info);
        layout.declaredEntries = paletteEntryCount(layout.info);
    }
    const platform::BitmapInfoHeader& info = layout.info;
    layout.width = info.biWidth;
    layout.bitCount = info.biBitCount;
    layout.compression = info.biCompression;
    if (info.biHeight < 0 && info.biHeight != INT32_MIN) {
        layout.topDown = true;
        layout.height = -info.biHeight;
    } else {
        layout.height = info.biHeight;
    }
    if (layout.width < 1 || layout.height < 1)
        return refuse(problem, ReadFailure::Damaged,
                      "its header gives a size of " + std::to_string(info.biWidth) + " x " +
                          std::to_string(info.biHeight) + " pixels");
    if (!chooseCoding(layout, problem)) return false;
    if (layout.coding == Coding::Masked && !readMasks(source, header, layout, problem))
        return false;
    return true;
}

// Places the colour table and the pixels. The offset of the pixel data is
// trusted when it lies beyond the headers; a table that would reach past it
// is taken as shorter. An offset pointing into the headers (0, say) is
// ignored, and the pixels follow the table.
void placePixels(BitmapLayout& layout, std::uint32_t offBits) {
    const std::int64_t tableEnd =
        layout.tableOffset + std::int64_t(layout.declaredEntries) * layout.entryBytes;
    layout.tableEntries = layout.declaredEntries;
    layout.pixelOffset = tableEnd;
    if (offBits >= layout.tableOffset) {
        layout.pixelOffset = offBits;
        layout.tableEntries = std::uint32_t(std::min<std::int64_t>(
            layout.declaredEntries, (offBits - layout.tableOffset) / layout.entryBytes));
    }
    layout.classic = layout.headerSize == 40 && layout.coding == Coding::Plain && !layout.topDown &&
                     layout.pixelOffset == tableEnd;
}

// Whether the picture fits the limits and the file holds what it claims.
bool checkSize(const BitmapLayout& layout, ReadProblem* problem) {
    if (layout.width > file_format::maxImportDimension ||
        layout.height > file_format::maxImportDimension ||
        layout.pictureBytes() > file_format::maxImportBytes)
        return refuse(problem, ReadFailure::TooLarge, sizeText(layout.width, layout.height));
    if (layout.fileBytes < 0) return true;  // the reads will tell
    const std::int64_t tableEnd =
        layout.tableOffset + std::int64_t(layout.tableEntries) * layout.entryBytes;
    if (tableEnd > layout.fileBytes)
        return refuse(problem, ReadFailure::Damaged, "the colour table is cut short");
    const std::int64_t available = layout.fileBytes - layout.pixelOffset;
    if (layout.coding == Coding::Plain || layout.coding == Coding::Masked) {
        // The last row's padding may be missing; its pixels may not.
        const std::int64_t needed = layout.plainPixelBytes();
        if (available < needed)
            return refuse(problem, ReadFailure::Damaged,
                          "the pixel data is cut short (" +
                              std::to_string(std::max<std::int64_t>(available, 0)) + " of " +
                              std::to_string(needed) + " bytes)");
        return true;
    }
    if (available < 2) return refuse(problem, ReadFailure::Damaged, "the pixel data is missing");
    if (layout.pictureBytes() > smallPictureBytes &&
        layout.pictureBytes() > runLengthExpansion * available)
        return refuse(problem, ReadFailure::Damaged,
                      "it holds too little data for " + sizeText(layout.width, layout.height));
    return true;
}

}  // namespace

bool readBitmapLayout(ByteSource& source, BitmapLayout& layout, ReadProblem* problem) {
    std::uint32_t offBits = 0;
    if (!readHeaders(source, layout, offBits, problem)) return false;
    placePixels(layout, offBits);
    return checkSize(layout, problem);
}

bool inspectBitmapHeaders(ByteSource& source, BitmapLayout& layout, ReadProblem& problem) {
    problem = ReadProblem{};
    std::uint32_t offBits = 0;
    if (!readHeaders(source, layout, offBits, &problem)) {
        // Only a refusal of the coding leaves every field sound.
        return problem.failure == ReadFailure::Unsupported && layout.width >= 1 &&
               layout.height >= 1 && layout.headerSize != 0;
    }
    placePixels(layout, offBits);
    checkSize(layout, &problem);
    return true;
}
