#pragma once

#include <cstdint>
#include <vector>

namespace platform {

class Bitmap;

// One square picture of an icon at one size, as the icon themes want it:
// four bytes a pixel (red, green, blue, alpha), the top row first.
struct IconImage {
    std::int32_t size = 0;
    std::vector<std::uint8_t> rgba;

    bool valid() const {
        return size > 0 && rgba.size() == std::size_t(size) * std::size_t(size) * 4;
    }

    // From rows of the program's own pixel layout: blue, green, red, and with
    // four bytes a pixel, alpha; `rows` points at the top row, `stride` bytes
    // apart (negative for bottom-up memory). Empty for a size below 1 or
    // `bytesPerPixel` other than 3 or 4.
    static IconImage fromRows(std::int32_t size, const std::uint8_t* rows, std::ptrdiff_t stride,
                              int bytesPerPixel);

    // From a square bitmap of any bit count and, optionally, a mask of the
    // same size in which white marks the transparent pixels (anything else
    // is opaque). Without a mask the picture is opaque. Empty when the
    // bitmap is not square or the mask's size differs.
    static IconImage fromBitmap(const Bitmap& picture, const Bitmap* mask = nullptr);
};

// The sizes the hicolor theme knows in folders of their own; a picture of
// another size is not written.
bool isThemeIconSize(std::int32_t size);

}  // namespace platform
