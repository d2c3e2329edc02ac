#pragma once

#include <algorithm>
#include <cstdint>

// The small value types every layer exchanges with the drawing surfaces.
// Colours are 0x00BBGGRR with red in the low byte; pixel bytes in memory are
// blue, green, red.
using COLORREF = std::uint32_t;

// Right and bottom are exclusive.
struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

// Kept in the platform namespace: a free function on RECT in the global one
// would clash, through argument-dependent lookup, with files that keep their
// own helpers of the same name.
namespace platform {

// A rectangle with no width or no height holds no pixel, whatever its corners.
constexpr inline bool isEmpty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

// The part both cover; empty (see `isEmpty`) when they do not overlap.
constexpr inline RECT intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// The smallest rectangle holding both; an empty one adds nothing, so the
// corners of an empty rectangle never stretch the result.
constexpr inline RECT unite(const RECT& a, const RECT& b) {
    if (isEmpty(a)) return b;
    if (isEmpty(b)) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace platform

struct POINT {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

constexpr COLORREF rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return COLORREF(red) | COLORREF(green) << 8 | COLORREF(blue) << 16;
}
constexpr std::uint8_t redOf(COLORREF c) {
    return std::uint8_t(c);
}
constexpr std::uint8_t greenOf(COLORREF c) {
    return std::uint8_t(c >> 8);
}
constexpr std::uint8_t blueOf(COLORREF c) {
    return std::uint8_t(c >> 16);
}

// What reading a pixel outside a surface's bitmap gives.
constexpr COLORREF invalidColour = 0xFFFFFFFFu;
