#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"

namespace platform::testing {

// A 24-bit bitmap and a surface bound to it, filled with one colour: the
// usual starting point of an exact-pixel test.
struct Canvas24 {
    std::unique_ptr<Bitmap> bitmap;
    std::unique_ptr<Surface> surface;

    Canvas24(std::int32_t width, std::int32_t height, COLORREF fill = 0xFFFFFF)
        : bitmap(Bitmap::createCompatible(width, height)),
          surface(std::make_unique<Surface>(bitmap.get())) {
        surface->fillRect(bitmap->bounds(), Brush::solid(fill));
    }

    COLORREF at(std::int32_t x, std::int32_t y) const { return surface->pixel(x, y); }

    // One character per pixel, rows separated by '\n': '#' where the pixel
    // has `ink`, '.' elsewhere. Makes shape failures readable.
    std::string picture(COLORREF ink) const {
        std::string out;
        for (std::int32_t y = 0; y < bitmap->height(); ++y) {
            for (std::int32_t x = 0; x < bitmap->width(); ++x)
                out += at(x, y) == ink ? '#' : '.';
            out += '\n';
        }
        return out;
    }
};

// Gives every pixel a colour of its own, derived from its position.
inline COLORREF patternColour(std::int32_t x, std::int32_t y) {
    return rgb(std::uint8_t(x * 7 + 1), std::uint8_t(y * 13 + 2), std::uint8_t((x ^ y) + 3));
}

inline void paintPattern(Bitmap& bitmap) {
    for (std::int32_t y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* row = bitmap.row(y);
        for (std::int32_t x = 0; x < bitmap.width(); ++x) {
            const COLORREF c = patternColour(x, y);
            row[3 * x] = blueOf(c);
            row[3 * x + 1] = greenOf(c);
            row[3 * x + 2] = redOf(c);
        }
    }
}

}  // namespace platform::testing
