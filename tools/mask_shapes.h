#pragma once

#include <cstdint>

// A soft-edged stamp: width by height coverage bytes, row by row from the
// top, 0 for no paint and 255 for full paint.
struct MaskShape {
    const std::uint8_t* mask;
    std::uint16_t width;
    std::uint16_t height;
};

inline constexpr int maskShapeCount = 6;

// Indexed by the size index of the airbrush, eraser and smudge buttons.
extern const MaskShape airbrushShapes[maskShapeCount];
extern const MaskShape eraserShapes[maskShapeCount];
extern const MaskShape smudgeShapes[maskShapeCount];
