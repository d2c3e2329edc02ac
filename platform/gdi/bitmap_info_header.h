#pragma once

#include <cstdint>

namespace platform {

// The information header exactly as bitmap files store it (40 bytes, no
// padding), so file code can read and write it as one block.
#pragma pack(push, 1)
struct BitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;  // positive: rows bottom-up; negative: top-down
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 24;
    std::uint32_t biCompression = 0;  // 0: uncompressed
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

// One colour-table entry as files store it.
struct RgbQuad {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
};
#pragma pack(pop)

static_assert(sizeof(BitmapInfoHeader) == 40);
static_assert(sizeof(RgbQuad) == 4);

// Bytes of one row of a bitmap: bits per row rounded up to whole 32-bit words.
constexpr std::int64_t rowStrideFor(std::int64_t width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

// A 24-bit uncompressed header of the given size, as the pictures use.
BitmapInfoHeader makeHeader24(std::int32_t width, std::int32_t height);

}  // namespace platform
