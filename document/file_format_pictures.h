#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "canvas/canvas.h"

// Pictures for the file-format tests and benchmarks, painted straight into
// one of the canvas's pictures: plain white, a drawing of flat shapes (long
// runs, the usual sketch), and a photograph-like one of smooth gradients with
// noise, which compresses badly.
namespace file_format_pictures {

inline void putPixel(const Canvas& canvas, std::uint8_t* bits, std::int32_t x, std::int32_t y,
                     std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    std::uint8_t* p = bits + canvas.pixelOffset(x, y);
    p[0] = blue;
    p[1] = green;
    p[2] = red;
}

// Every canvas pixel white; padding and spare rows are left alone.
inline void paintWhite(const Canvas& canvas, std::uint8_t* bits) {
    for (std::int32_t y = 0; y < canvas.height(); ++y)
        for (std::int32_t x = 0; x < canvas.width(); ++x)
            putPixel(canvas, bits, x, y, 0xFF, 0xFF, 0xFF);
}

// Filled rectangles and discs of a few colours on white.
inline void paintShapes(const Canvas& canvas, std::uint8_t* bits) {
    paintWhite(canvas, bits);
    const std::int32_t w = canvas.width(), h = canvas.height();
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            if (x >= w / 8 && x < w / 2 && y >= h / 8 && y < h / 3)
                putPixel(canvas, bits, x, y, 0x20, 0x40, 0xC0);
            const std::int64_t dx = x - 2 * w / 3, dy = y - 2 * h / 3, r = (w < h ? w : h) / 4;
            if (dx * dx + dy * dy <= r * r) putPixel(canvas, bits, x, y, 0xC0, 0x80, 0x10);
            if ((x + y) % 97 == 0) putPixel(canvas, bits, x, y, 0, 0, 0);
        }
    }
}

// Gradients across the picture with a little noise on every pixel.
inline void paintPhoto(const Canvas& canvas, std::uint8_t* bits, unsigned seed = 7) {
    std::mt19937 random(seed);
    const std::int32_t w = canvas.width(), h = canvas.height();
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            const unsigned noise = random();
            const auto blue = std::uint8_t(x * 255 / w + (noise & 7));
            const auto green = std::uint8_t(y * 255 / h + ((noise >> 3) & 7));
            const auto red = std::uint8_t((x + y) * 127 / (w + h) + 64 + ((noise >> 6) & 15));
            putPixel(canvas, bits, x, y, blue, green, red);
        }
    }
}

// Random bytes over the whole allocation, padding and spare rows included.
inline void paintNoise(const Canvas& canvas, std::uint8_t* bits, unsigned seed = 11) {
    std::mt19937 random(seed);
    const std::size_t bytes = std::size_t(canvas.allocatedRows()) * std::size_t(canvas.rowStride());
    for (std::size_t i = 0; i < bytes; ++i)
        bits[i] = std::uint8_t(random() >> 24);
}

// The canvas rows of a picture as they lie in memory, bottom row first,
// padding included: what the sketch file stores.
inline std::vector<std::uint8_t> canvasRows(const Canvas& canvas, const std::uint8_t* bits) {
    const std::size_t stride = std::size_t(canvas.rowStride());
    const std::uint8_t* start =
        bits + std::size_t(canvas.allocatedRows() - canvas.height()) * stride;
    return std::vector<std::uint8_t>(start, start + std::size_t(canvas.height()) * stride);
}

}  // namespace file_format_pictures
