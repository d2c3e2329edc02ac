#include "document/bitmap_pixels.h"

#include <algorithm>
#include <bit>
#include <cstring>

MaskedPixels::Field MaskedPixels::makeField(std::uint32_t mask) {
    Field field;
    if (mask == 0) return field;  // the colour is always 0
    const int low = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const int kept = std::min(bits, 8);
    field.shift = low + bits - kept;
    field.mask = (1u << kept) - 1;
    // Repeat the field's bits until 8 are filled: 0 stays 0, all ones
    // become 255, and the steps between stay even.
    for (std::uint32_t value = 0; value <= field.mask; ++value) {
        std::uint32_t wide = 0;
        int filled = 0;
        while (filled < 8) {
            wide = (wide << kept) | value;
            filled += kept;
        }
        field.widen[value] = std::uint8_t(wide >> (filled - 8));
    }
    return field;
}

MaskedPixels::MaskedPixels(const std::uint32_t masks[3], int bitCount)
    : bitCount_(bitCount),
      bytes_(bitCount == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF) {
    for (int i = 0; i < 3; ++i)
        fields_[i] = makeField(masks[i]);
}

void MaskedPixels::convertRow(const std::uint8_t* in, std::uint8_t* out, std::int32_t width) const {
    if (bytes_) {
        for (std::int32_t x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
        return;
    }
    const Field& red = fields_[0];
    const Field& green = fields_[1];
    const Field& blue = fields_[2];
    const std::size_t step = std::size_t(bitCount_ / 8);
    for (std::int32_t x = 0; x < width; ++x, in += step, out += 3) {
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, in, step);
        out[0] = blue.widen[(pixel >> blue.shift) & blue.mask];
        out[1] = green.widen[(pixel >> green.shift) & green.mask];
        out[2] = red.widen[(pixel >> red.shift) & red.mask];
    }
}

namespace {

// Writes decoded indices into the bitmap, dropping what lies outside it.
class IndexWriter {
  public:
    IndexWriter(platform::Bitmap& bitmap, bool fourBit)
        : bitmap_(bitmap), fourBit_(fourBit), width_(bitmap.width()) {}

    // `count` pixels from x on row y (memory row, bottom first), taking the
    // index of pixel i from `indexOf(i)`.
    template <typename IndexOf>
    void put(std::int32_t x, std::int32_t y, std::int32_t count, IndexOf indexOf) {
        if (y < 0 || y >= bitmap_.height() || x >= width_) return;
        const std::int32_t end = std::min(width_, x + count);
        std::uint8_t* row = bitmap_.bits() + std::size_t(y) * std::size_t(bitmap_.stride());
        for (std::int32_t i = x; i < end; ++i) {
            const std::uint8_t index = indexOf(i - x);
            if (!fourBit_) {
                row[i] = index;
            } else if (i % 2 == 0) {
                row[i / 2] = std::uint8_t((row[i / 2] & 0x0F) | (index << 4));
            } else {
                row[i / 2] = std::uint8_t((row[i / 2] & 0xF0) | (index & 0x0F));
            }
        }
    }
    // A run of one index (8 bits) or of two alternating ones (4 bits).
    void run(std::int32_t x, std::int32_t y, std::int32_t count, std::uint8_t value) {
        if (!fourBit_) {
            if (y < 0 || y >= bitmap_.height() || x >= width_) return;
            std::uint8_t* row = bitmap_.bits() + std::size_t(y) * std::size_t(bitmap_.stride());
            std::memset(row + x, value, std::size_t(std::min(width_, x + count) - x));
            return;
        }
        put(x, y, count, [value](std::int32_t i) {
            return std::uint8_t(i % 2 == 0 ? value >> 4 : value & 0x0F);
        });
    }

  private:
    platform::Bitmap& bitmap_;
    bool fourBit_;
    std::int32_t width_;
};

}  // namespace

bool expandRunLength(const std::uint8_t* data, std::size_t size, bool fourBit,
                     platform::Bitmap& bitmap) {
    IndexWriter writer(bitmap, fourBit);
    const std::int64_t height = bitmap.height();
    std::int64_t x = 0, y = 0;
    std::size_t at = 0;
    // Positions are kept in 64 bits and checked against the bitmap before
    // use, so no skip can make them wrap.
    while (y < height) {
        // Data that ends before the rows do is a cut file, unless only the
        // end of the last row is missing.
        if (size - at < 2) return y == height - 1 && x >= bitmap.width();
        const std::uint8_t count = data[at];
        const std::uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {
            if (x < bitmap.width()) writer.run(std::int32_t(x), std::int32_t(y), count, value);
            x += count;
            continue;
        }
        switch (value) {
            case 0:  // end of the row
                x = 0;
                ++y;
                break;
            case 1:  // end of the picture; the rest keeps index 0
                return true;
            case 2:  // skip right and up
                if (size - at < 2) return false;
                x += data[at];
                y += data[at + 1];
                at += 2;
                break;
            default: {  // that many indices as they are, padded to whole words
                const std::size_t bytes = fourBit ? (value + 1u) / 2 : value;
                const std::size_t padded = bytes + (bytes & 1);
                if (size - at < bytes) return false;
                const std::uint8_t* literal = data + at;
                if (x < bitmap.width()) {
                    writer.put(std::int32_t(x), std::int32_t(y), value,
                               [literal, fourBit](std::int32_t i) {
                                   if (!fourBit) return literal[i];
                                   const std::uint8_t pair = literal[i / 2];
                                   return std::uint8_t(i % 2 == 0 ? pair >> 4 : pair & 0x0F);
                               });
                }
                x += value;
                at += std::min(padded, size - at);
                break;
            }
        }
    }
    // Every row is filled; what follows (an end marker, usually) is not needed.
    return true;
}

void reverseRows(platform::Bitmap& bitmap) {
    const std::size_t stride = std::size_t(bitmap.stride());
    std::uint8_t* low = bitmap.bits();
    std::uint8_t* high = bitmap.bits() + std::size_t(bitmap.height() - 1) * stride;
    for (; low < high; low += stride, high -= stride)
        std::swap_ranges(low, low + stride, high);
}
