#include "platform/gdi/bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform {

namespace {

// Far beyond any picture the program makes, small enough that row and byte
// arithmetic cannot overflow.
constexpr std::int32_t maxDimension = 32768;
constexpr std::int64_t maxBytes = std::int64_t(1) << 31;

bool supportedBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 24;
}

}  // namespace

BitmapInfoHeader makeHeader24(std::int32_t width, std::int32_t height) {
    BitmapInfoHeader header;
    header.biWidth = width;
    header.biHeight = height;
    return header;
}

std::unique_ptr<Bitmap> Bitmap::create(const BitmapInfoHeader& header, const RgbQuad* colours,
                                       int colourCount) {
    const std::int64_t width = header.biWidth;
    const std::int64_t height =
        header.biHeight < 0 ? -std::int64_t(header.biHeight) : header.biHeight;
    if (width < 1 || height < 1 || width > maxDimension || height > maxDimension) return nullptr;
    if (!supportedBitCount(header.biBitCount) || header.biCompression != 0) return nullptr;
    const std::int64_t stride = rowStrideFor(width, header.biBitCount);
    if (stride * height > maxBytes) return nullptr;

    std::unique_ptr<Bitmap> bitmap(new (std::nothrow) Bitmap);
    if (!bitmap) return nullptr;
    // New pixel memory reads as black, so nothing of an earlier allocation can
    // leak into a picture or a file.
    bitmap->pixels_ = LargeBuffer(std::size_t(stride * height), LargeBuffer::Contents::Zeroed);
    if (bitmap->pixels_.empty()) return nullptr;
    bitmap->width_ = std::int32_t(width);
    bitmap->height_ = std::int32_t(height);
    bitmap->bitCount_ = header.biBitCount;
    bitmap->bottomUp_ = header.biHeight > 0;
    bitmap->stride_ = std::int32_t(stride);
    if (header.biBitCount <= 8) {
        bitmap->colourCount_ = 1 << header.biBitCount;
        if (colours && colourCount > 0) {
            std::memcpy(bitmap->colours_, colours,
                        sizeof(RgbQuad) * std::size_t(std::min(colourCount, bitmap->colourCount_)));
        }
    }
    return bitmap;
}

std::unique_ptr<Bitmap> Bitmap::createCompatible(std::int32_t width, std::int32_t height) {
    return create(makeHeader24(width, height));
}

}  // namespace platform
