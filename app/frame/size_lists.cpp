#include "app/frame/size_lists.h"

const SizeEntry squareWidths[] = {
    {202, 210, 1}, {203, 211, 2}, {204, 212, 3}, {205, 213, 4}, {206, 214, 5},
    {207, 215, 6}, {208, 216, 7}, {209, 217, 8}, {-1, -1, 0},
};

const SizeEntry circularSizes[] = {
    {255, 263, 0}, {256, 264, 1}, {257, 265, 2}, {258, 266, 3},
    {259, 267, 4}, {260, 268, 5}, {-1, -1, 0},
};

const TextEntry snapGridList[] = {
    {u"Snap Off", 0}, {u"4 x 4", 4},    {u"8 x 8", 8}, {u"16 x 16", 16},
    {u"32 x 32", 32}, {u"64 x 64", 64}, {nullptr, 0},
};

const TextEntry zoomList[] = {
    {u"25%", -2}, {u"50%", -1}, {u"100%", 0},  {u"200%", 1},
    {u"400%", 2}, {u"800%", 3}, {u"1600%", 4}, {nullptr, 0},
};

const TextEntry fontSizeList[] = {
    {u"6", 6},   {u"8", 8},   {u"9", 9},   {u"10", 10}, {u"12", 12}, {u"14", 14},  {u"16", 16},
    {u"18", 18}, {u"24", 24}, {u"32", 32}, {u"48", 48}, {u"72", 72}, {nullptr, 0},
};

bool sizeListHas(const SizeEntry* list, std::int32_t value) {
    for (; list->selectedBitmap != -1; ++list)
        if (list->value == value) return true;
    return false;
}
