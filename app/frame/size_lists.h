#pragma once

#include <cstdint>

// One entry of a size palette: the picture for the current size, the
// picture for the others, and the size. A list ends with an entry whose
// first field is -1.
struct SizeEntry {
    std::int32_t selectedBitmap;
    std::int32_t normalBitmap;
    std::int32_t value;
};

// One entry of a text palette; a list ends with an entry without text.
struct TextEntry {
    const char16_t* text;
    std::int32_t value;
};

// Square pen widths 1 to 8, for every tool but the airbrush, smudge and eraser.
extern const SizeEntry squareWidths[];
// Circular brush sizes 0 to 5 (indices into the mask tables), for the
// airbrush, smudge and eraser.
extern const SizeEntry circularSizes[];
// Snap-grid steps; 0 is off.
extern const TextEntry snapGridList[];
// Zoom steps by their shift, 25 % to 1600 %.
extern const TextEntry zoomList[];
// Text point sizes.
extern const TextEntry fontSizeList[];

// Whether `list` has an entry of size `value`.
bool sizeListHas(const SizeEntry* list, std::int32_t value);
