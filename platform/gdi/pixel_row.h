#pragma once

#include <cstdint>

#include "platform/gdi/bitmap.h"

namespace platform {

// The blue, green, red bytes of pixel x of a bitmap row, whatever the bitmap's
// depth: 24-bit rows are read in place, palettised ones through the colour table.
inline const std::uint8_t* pixelBgr(const Bitmap& bitmap, const std::uint8_t* row, std::int32_t x) {
    static constexpr std::uint8_t black[3] = {0, 0, 0};
    int index;
    switch (bitmap.bitCount()) {
        case 24:
            return row + std::ptrdiff_t(x) * 3;
        case 8:
            index = row[x];
            break;
        case 4:
            index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
            break;
        case 1:
            index = (row[x >> 3] >> (7 - (x & 7))) & 1;
            break;
        default:
            return black;
    }
    if (index >= bitmap.colourCount()) return black;
    return &bitmap.colourTable()[index].rgbBlue;
}

}  // namespace platform
