#include "canvas/raster_image.h"

void RasterImage::release() {
    header.reset();
    palette.reset();
    bitmap.reset();
    bits = nullptr;
}

#include <cstring>
#include <new>

bool allocateImageHeader(RasterImage& image, std::size_t colourTableBytes) {
    image.header.reset(new (std::nothrow)
                           std::uint8_t[sizeof(platform::BitmapInfoHeader) + colourTableBytes]);
    if (!image.header) return false;
    std::memset(image.header.get(), 0, sizeof(platform::BitmapInfoHeader) + colourTableBytes);
    ::new (image.header.get()) platform::BitmapInfoHeader{};
    return true;
}
