#include "platform/gdi/ellipse_rows.h"

#include <cmath>

namespace platform {

namespace {

__extension__ typedef unsigned __int128 Wide;

// The largest s with s * s <= n.
std::uint64_t squareRoot(std::uint64_t n) {
    auto s = std::uint64_t(std::sqrt(double(n)));
    while (s > 0 && s * s > n)
        --s;
    while ((s + 1) * (s + 1) <= n)
        ++s;
    return s;
}

}  // namespace

EllipseRows::EllipseRows(std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom)
    : left_(left),
      top_(top),
      right_(right),
      bottom_(bottom),
      width_(right - left),
      height_(bottom - top),
      valid_(width_ > 0 && height_ > 0 && width_ <= maxSide && height_ <= maxSide) {}

RowSpan EllipseRows::row(std::int64_t y) const {
    if (!valid_ || y < top_ || y >= bottom_) return RowSpan{};
    // Doubled offsets from the box centre keep half-pixel centres integral:
    // pixel (x, y) is inside when dx^2 h^2 + dy^2 w^2 <= w^2 h^2 with
    // dx = 2x + 1 - (left + right) and dy = 2y + 1 - (top + bottom).
    const std::int64_t dy = 2 * y + 1 - (top_ + bottom_);
    const std::int64_t ady = dy < 0 ? -dy : dy;
    // The middle row(s) span the whole box.
    if (ady <= 1) return RowSpan{left_, right_};

    const Wide w = Wide(width_), h = Wide(height_), a = Wide(ady);
    // dx^2 <= w^2 (h^2 - dy^2) / h^2, and dx^2 is an integer, so the floor of
    // the quotient decides exactly. The quotient is at most w^2 < 2^60.
    const auto limit = std::uint64_t(w * w * (h * h - a * a) / (h * h));
    auto reach = std::int64_t(squareRoot(limit));
    // dx has the parity of width - 1: even for odd widths, odd for even ones.
    if ((reach ^ (width_ - 1)) & 1) --reach;
    // The middle column(s) belong to every row.
    const std::int64_t least = (width_ - 1) & 1;
    if (reach < least) reach = least;
    // left + right - 1 - reach is even, so the halves are exact.
    return RowSpan{(left_ + right_ - 1 - reach) / 2, (left_ + right_ + 1 + reach) / 2};
}

}  // namespace platform
