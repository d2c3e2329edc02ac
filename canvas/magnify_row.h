#pragma once

#include <cstdint>

// Writes destination pixels [x, right) of one row magnified `factor` times
// into `out` (which holds pixel x first): destination pixel x shows pixel
// x / factor of `source`, a row of `sourcePixels` 24-bit pixels. Nothing is
// read past the source row or written past pixel right - 1.
void magnifyRow(std::uint8_t* out, const std::uint8_t* source, std::int32_t sourcePixels,
                std::int32_t x, std::int32_t right, int factor);
