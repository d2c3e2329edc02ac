#include "document/file_format_export.h"

#include <algorithm>

#include "canvas/canvas.h"

namespace file_format {

namespace {

// A pixel is ink when any of its bytes differs from 0xFF, so scanning for
// bytes finds the same columns as scanning for pixels, eight bytes at a
// time across the white.
std::size_t firstNonWhite(const std::uint8_t* bytes, std::size_t count) {
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        if (word != ~std::uint64_t(0)) break;
    }
    for (; i < count; ++i)
        if (bytes[i] != 0xFF) return i;
    return count;
}

// Index of the last byte that is not 0xFF; call only on a row that has one.
std::size_t lastNonWhite(const std::uint8_t* bytes, std::size_t count) {
    std::size_t end = count;
    while (end >= 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + end - 8, 8);
        if (word != ~std::uint64_t(0)) break;
        end -= 8;
    }
    while (bytes[end - 1] == 0xFF)
        --end;
    return end - 1;
}

}  // namespace

InkBounds findInk(const Canvas& canvas) {
    InkBounds ink;
    const std::size_t stride = std::size_t(canvas.rowStride());
    const std::size_t pixelBytes = 3 * std::size_t(canvas.width());
    const std::int32_t bottom = canvas.allocatedRows() - canvas.height();
    for (std::int32_t row = bottom; row < canvas.allocatedRows(); ++row) {
        const std::uint8_t* bytes = canvas.liveBits() + std::size_t(row) * stride;
        const std::size_t first = firstNonWhite(bytes, pixelBytes);
        if (first == pixelBytes) continue;
        const auto left = std::int32_t(first / 3);
        const auto right = std::int32_t(lastNonWhite(bytes, pixelBytes) / 3);
        if (!ink.found()) {
            ink.firstRow = row;
            ink.left = left;
            ink.right = right;
        }
        ink.lastRow = row;
        ink.left = std::min(ink.left, left);
        ink.right = std::max(ink.right, right);
    }
    return ink;
}

}  // namespace file_format
