#pragma once

#include <cstdint>

namespace platform {

// Columns [left, right) of one row; empty when left >= right.
struct RowSpan {
    std::int64_t left = 0;
    std::int64_t right = 0;
    bool empty() const { return left >= right; }
};

// The rows of the ellipse inscribed in the box [left, right) x [top, bottom).
// A pixel belongs when its centre lies inside or on the ellipse, decided
// exactly in integers. The middle row(s) and column(s) of the box always
// belong, so a flat or narrow ellipse still spans its box in both directions
// and no row or column of the box is empty. Every row is a single run, and
// the shape is symmetric left-right and top-bottom within the box.
class EllipseRows {
  public:
    // Boxes as wide or as high as this are beyond exact 128-bit arithmetic and
    // far beyond any surface; they are not valid.
    static constexpr std::int64_t maxSide = std::int64_t(1) << 30;

    EllipseRows(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

    // False for an empty or inverted box, or one too large.
    bool valid() const { return valid_; }
    std::int64_t top() const { return top_; }
    std::int64_t bottom() const { return bottom_; }

    // The run of row y; empty outside the box or when the box is not valid.
    RowSpan row(std::int64_t y) const;

  private:
    std::int64_t left_;
    std::int64_t top_;
    std::int64_t right_;
    std::int64_t bottom_;
    std::int64_t width_;
    std::int64_t height_;
    bool valid_;
};

}  // namespace platform
