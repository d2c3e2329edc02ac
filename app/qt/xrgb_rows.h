#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi/types.h"

namespace platform {
class Bitmap;
}

// Copies `area` of a 24-bit bitmap (blue, green, red bytes, rows in either
// order) into 32-bit pixels as the screen keeps them: blue, green, red and an
// opaque fourth byte, rows top-down. `destination` receives the area's
// top-left pixel; `destinationStride` is the distance between its rows in
// bytes. The area must lie inside the bitmap.
void copyAsXrgb(const platform::Bitmap& source, const RECT& area, std::uint8_t* destination,
                std::ptrdiff_t destinationStride);

// The copy uses the widest byte shuffles the processor has; tests limit
// it, to check each kind against the plain loop.
enum class XrgbCopies { Plain, Sixteen, ThirtyTwo, Widest };
void limitXrgbCopies(XrgbCopies widest);
