#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// The round mark a pen leaves at each pixel of a line: a disc `width` pixels
// across, as runs of column offsets from that pixel, one per row. Odd widths
// are centred on the pixel; even ones reach one pixel further right and down.
// Every row holds the pixel itself (and, for even widths, its right
// neighbour), so the marks of neighbouring line pixels always touch.
class PenStamp {
  public:
    // Wider pens than this are stamped at this width: it already covers any
    // bitmap, and keeps the stamp's rows a modest table.
    static constexpr std::int32_t maxWidth = 1 << 16;

    struct Row {
        std::int32_t left;
        std::int32_t right;
    };

    // Widths below 1 stamp a single pixel.
    explicit PenStamp(std::int32_t width);

    std::int32_t width() const { return width_; }
    // Offset of the first row from the pixel (zero or negative).
    std::int32_t top() const { return top_; }
    // Column offsets covered by some row: [left(), right()).
    std::int32_t left() const { return top_; }
    std::int32_t right() const { return top_ + width_; }
    std::int32_t rowCount() const { return width_; }
    const Row& row(std::int32_t index) const { return rows_[std::size_t(index)]; }

  private:
    std::int32_t width_;
    std::int32_t top_;
    std::vector<Row> rows_;
};

}  // namespace platform
