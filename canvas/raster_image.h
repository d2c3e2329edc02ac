#pragma once

#include <cstdint>
#include <memory>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/bitmap_info_header.h"

// A picture held apart from the canvas: the clipboard, a pasted or imported
// image. Its header block is the 40-byte information header, followed by the
// colour table when the image came from a palettised file. The holder owns
// everything in it; `release` frees the header, the palette and the bitmap
// in that order.
struct RasterImage {
    std::uint8_t* bits = nullptr;
    std::unique_ptr<platform::Bitmap> bitmap;
    std::unique_ptr<std::uint8_t[]> header;
    // The colours a palettised image shows; they stand for the platform
    // palette, which here is simply the colour table carried by the bitmap.
    std::unique_ptr<platform::RgbQuad[]> palette;

    RasterImage() = default;
    RasterImage(const RasterImage&) = delete;
    RasterImage& operator=(const RasterImage&) = delete;

    // The information header at the start of the header block; null without one.
    platform::BitmapInfoHeader* info() {
        return reinterpret_cast<platform::BitmapInfoHeader*>(header.get());
    }
    const platform::BitmapInfoHeader* info() const {
        return reinterpret_cast<const platform::BitmapInfoHeader*>(header.get());
    }
    // An image without a bitmap shows nothing.
    bool empty() const { return bitmap == nullptr; }

    void release();
};

// Allocates a header block of the information header followed by
// `colourTableBytes` bytes, the header zeroed. False when memory is short;
// the image's previous block is released either way.
bool allocateImageHeader(RasterImage& image, std::size_t colourTableBytes);
