// Simple drawn stand-ins for the program and document icons, until the
// pictures proper take their place behind `desktopIcons`.
#include <algorithm>
#include <cstdlib>

#include "app/desktop/desktop_icons.h"

namespace mirabo {

namespace {

struct Colour {
    std::uint8_t r, g, b, a;
};

constexpr Colour frame{0x2B, 0x5F, 0x8C, 0xFF};
constexpr Colour paper{0xFF, 0xFF, 0xFF, 0xFF};
constexpr Colour edge{0x70, 0x70, 0x70, 0xFF};
constexpr Colour fold{0xD8, 0xD8, 0xD8, 0xFF};
constexpr Colour ink{0xE8, 0x6A, 0x1C, 0xFF};

void put(platform::IconImage& icon, int x, int y, Colour c) {
    std::uint8_t* p =
        icon.rgba.data() + (std::size_t(y) * std::size_t(icon.size) + std::size_t(x)) * 4;
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = c.a;
}

platform::IconImage blank(int size) {
    platform::IconImage icon;
    icon.size = size;
    icon.rgba.assign(std::size_t(size) * std::size_t(size) * 4, 0);
    return icon;
}

// Distance of (x, y) from the stroke running from the bottom left to the
// top right of the box [from, to), in pixels.
bool onStroke(int x, int y, int from, int to, int width) {
    const int along = (x - from) - (to - 1 - y);
    return std::abs(along) <= width && x >= from && x < to && y >= from && y < to;
}

platform::IconImage programIcon(int size) {
    platform::IconImage icon = blank(size);
    const int margin = std::max(1, size / 16);
    const int radius = size / 6;
    const int inset = std::max(2, size / 5);
    const int width = std::max(1, size / 14);
    for (int y = margin; y < size - margin; ++y)
        for (int x = margin; x < size - margin; ++x) {
            // Rounded corners: outside the circle of each corner stays clear.
            const int cx = x < margin + radius ? margin + radius : size - margin - radius - 1;
            const int cy = y < margin + radius ? margin + radius : size - margin - radius - 1;
            const bool corner = (x < margin + radius || x >= size - margin - radius) &&
                                (y < margin + radius || y >= size - margin - radius);
            if (corner && (x - cx) * (x - cx) + (y - cy) * (y - cy) > radius * radius) continue;
            const bool inside = x >= inset && x < size - inset && y >= inset && y < size - inset;
            put(icon, x, y,
                !inside                                      ? frame
                : onStroke(x, y, inset, size - inset, width) ? ink
                                                             : paper);
        }
    return icon;
}

platform::IconImage documentIcon(int size) {
    platform::IconImage icon = blank(size);
    const int left = size / 6, right = size - size / 6, top = size / 16, bottom = size - size / 16;
    const int corner = std::max(2, size / 4);
    const int width = std::max(1, size / 16);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const int intoCorner = (x - (right - corner)) - (y - top);
            if (intoCorner > 0) continue;  // the folded-away corner
            const bool border =
                x == left || x == right - 1 || y == top || y == bottom - 1 || intoCorner == 0;
            const bool folded = x >= right - corner && y < top + corner;
            const int pad = std::max(2, size / 5);
            Colour c = folded ? fold : paper;
            if (onStroke(x, y - size / 8, left + pad / 2, right - pad / 2, width) && !folded)
                c = ink;
            put(icon, x, y, border ? edge : c);
        }
    return icon;
}

}  // namespace

platform::DesktopIcons desktopIcons() {
    platform::DesktopIcons icons;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icons.program.push_back(programIcon(size));
        icons.document.push_back(documentIcon(size));
    }
    return icons;
}

}  // namespace mirabo
