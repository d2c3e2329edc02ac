#pragma once

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
