#pragma once

#include <cstdint>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/types.h"

// Reading single pixels of any bitmap the frame hands out, without a surface.

inline COLORREF colourAt(const platform::Bitmap& bitmap, std::int32_t x, std::int32_t y) {
    const std::uint8_t* pixel = bitmap.row(y) + 3 * x;
    return rgb(pixel[2], pixel[1], pixel[0]);
}

// A monochrome bitmap's bit: true for 1 (white), false for 0 (black).
inline bool bitAt(const platform::Bitmap& bitmap, std::int32_t x, std::int32_t y) {
    return (bitmap.row(y)[x >> 3] >> (7 - (x & 7))) & 1;
}
