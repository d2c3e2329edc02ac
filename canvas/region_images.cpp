#include <algorithm>
#include <cstring>

#include "canvas/canvas.h"

using platform::Bitmap;
using platform::Surface;

bool Canvas::copyRegionToImage(RECT& area, RasterImage& image) {
    if (!viewWindow_ || !livePicture_) return false;
    if (!allocateImageHeader(image, 0)) return false;
    // The rows below the canvas belong to the allocation and can hold paint,
    // so an area reaching into them takes them along.
    area.left = std::max(area.left, 0);
    area.right = std::min<std::int32_t>(area.right, width_);
    area.top = std::max(area.top, 0);
    area.bottom = std::min<std::int32_t>(area.bottom, allocatedRows_);
    platform::BitmapInfoHeader& header = *image.info();
    header = platform::makeHeader24(area.right - area.left, area.bottom - area.top);

    image.bitmap = Bitmap::create(header);
    image.bits = image.bitmap ? image.bitmap->bits() : nullptr;
    if (image.bitmap) {
        Surface to(image.bitmap.get());
        Surface from(livePicture_.get());
        to.blit(0, 0, header.biWidth, header.biHeight, from, area.left, area.top);
    }
    return true;
}

bool Canvas::duplicateImage(const RasterImage& source, RasterImage& copy) {
    if (!viewWindow_) return false;
    if (!allocateImageHeader(copy, 0)) return false;
    // Only the information header is taken: the source is a 24-bit image.
    if (source.info()) *copy.info() = *source.info();
    platform::BitmapInfoHeader& header = *copy.info();

    copy.bitmap = Bitmap::create(header);
    copy.bits = copy.bitmap ? copy.bitmap->bits() : nullptr;
    if (copy.bitmap && source.bitmap) {
        Surface to(copy.bitmap.get());
        Surface from(source.bitmap.get());
        to.blit(0, 0, header.biWidth, header.biHeight, from, 0, 0);
    }
    return true;
}

void Canvas::flipRegion(RECT& area, bool horizontal) {
    if (renderState_ == RenderState::Idle || !liveBits_) return;
    if (area.top >= height_ || area.bottom <= 0 || area.left >= width_ || area.right <= 0) return;
    if (area.top < 0) area.top = 0;
    if (area.left < 0) area.left = 0;
    const std::int32_t right = std::min<std::int32_t>(area.right, width_);
    const std::int32_t bottom = std::min<std::int32_t>(area.bottom, height_);

    if (horizontal) {
        const std::int32_t half = (right - area.left) / 2;
        for (std::int32_t y = area.top; y < bottom; ++y) {
            std::uint8_t* a = liveBits_ + pixelOffset(area.left, y);
            std::uint8_t* b = liveBits_ + pixelOffset(right - 1, y);
            for (std::int32_t k = 0; k < half; ++k, a += 3, b -= 3)
                std::swap_ranges(a, a + 3, b);
        }
        return;
    }
    const std::int32_t half = (bottom - area.top) / 2;
    const std::size_t bytes = std::size_t(right - area.left) * 3;
    for (std::int32_t k = 0; k < half; ++k) {
        std::uint8_t* a = liveBits_ + pixelOffset(area.left, area.top + k);
        std::uint8_t* b = liveBits_ + pixelOffset(area.left, bottom - 1 - k);
        std::swap_ranges(a, a + bytes, b);
    }
}
