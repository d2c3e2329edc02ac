#pragma once

#include <cstdint>
#include <memory>

#include "platform/gdi/bitmap_info_header.h"
#include "platform/gdi/types.h"
#include "platform/memory/large_buffer.h"

namespace platform {

// A device-independent bitmap: 1, 4, 8 or 24 bits per pixel, its pixel
// memory directly addressable. A positive header height means rows are stored
// bottom-up (the first row in memory is the bottom image row), a negative one
// top-down. Palettised bitmaps carry their colour table, whose entries are
// colours (blue, green, red).
class Bitmap {
  public:
    // Null when the header is unusable (size, bit count, compression) or the
    // pixel memory cannot be had. `colours` supplies the colour table of a
    // palettised bitmap; missing entries are black.
    static std::unique_ptr<Bitmap> create(const BitmapInfoHeader& header,
                                          const RgbQuad* colours = nullptr, int colourCount = 0);
    // A 24-bit bottom-up bitmap of the given size, as a surface compatible
    // with the screen would make.
    static std::unique_ptr<Bitmap> createCompatible(std::int32_t width, std::int32_t height);

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    int bitCount() const { return bitCount_; }
    bool bottomUp() const { return bottomUp_; }
    std::int32_t stride() const { return stride_; }
    std::size_t byteCount() const { return pixels_.size(); }

    // Start of the pixel memory (the first row in memory).
    std::uint8_t* bits() { return pixels_.data(); }
    const std::uint8_t* bits() const { return pixels_.data(); }

    // Image row y, counted from the top, whatever the storage order.
    std::uint8_t* row(std::int32_t y) { return bits() + rowOffset(y); }
    const std::uint8_t* row(std::int32_t y) const { return bits() + rowOffset(y); }

    const RgbQuad* colourTable() const { return colours_; }
    int colourCount() const { return colourCount_; }

    RECT bounds() const { return RECT{0, 0, width_, height_}; }

  private:
    Bitmap() = default;
    std::ptrdiff_t rowOffset(std::int32_t y) const {
        return std::ptrdiff_t(bottomUp_ ? height_ - 1 - y : y) * stride_;
    }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    int bitCount_ = 24;
    bool bottomUp_ = true;
    std::int32_t stride_ = 0;
    LargeBuffer pixels_;
    RgbQuad colours_[256] = {};
    int colourCount_ = 0;
};

}  // namespace platform
