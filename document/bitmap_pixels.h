#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi/bitmap.h"

// Turns the stored pixels of the bitmap variants that the pictures do not
// hold as they are into the pictures' own forms.

// 16- and 32-bit pixels whose colours are fields of bits, into blue, green,
// red bytes. Each field is widened to 8 bits by repeating its bits (a 5-bit
// 31 becomes 255, 16 becomes 132); fields of more than 8 bits keep their
// top 8. Anything outside the three masks (alpha, say) is ignored.
class MaskedPixels {
  public:
    // `masks` are red, green and blue; each must be one run of set bits, or 0
    // for a colour that is always 0.
    MaskedPixels(const std::uint32_t masks[3], int bitCount);

    // Converts `width` stored pixels into 3 · `width` bytes at `out`.
    void convertRow(const std::uint8_t* in, std::uint8_t* out, std::int32_t width) const;

  private:
    struct Field {
        int shift = 0;           // where the field's top 8 (or fewer) bits start
        std::uint32_t mask = 0;  // those bits, after the shift
        std::uint8_t widen[256] = {};
    };
    static Field makeField(std::uint32_t mask);

    int bitCount_;
    bool bytes_;  // 32 bits with a byte for each colour: copied, not computed
    Field fields_[3];
};

// Expands run-length coded indices (8 or 4 bits) into the rows of a
// bottom-up bitmap of that depth, the first row of the data being the
// bottom row. Pixels the data skips keep index 0, and runs are cut at the
// right edge. False when the data ends before its end marker while pixels
// remain, so a cut file is never passed off as a picture.
bool expandRunLength(const std::uint8_t* data, std::size_t size, bool fourBit,
                     platform::Bitmap& bitmap);

// Reverses the order of the bitmap's rows in memory, for pictures that were
// stored top row first.
void reverseRows(platform::Bitmap& bitmap);
