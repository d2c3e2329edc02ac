#include "tools/stroke_points.h"

#include <algorithm>
#include <cstdlib>

StrokePoint stampCorner(POINT stylus, std::int32_t width, std::int32_t height) {
    return StrokePoint{std::int16_t(stylus.x - width / 2), std::int16_t(stylus.y - height / 2)};
}

void joinStrokePoint(StrokePoint* points, std::uint16_t& count, StrokePoint& lastPoint,
                     StrokePoint corner) {
    if (count >= strokeCapacity) return;
    if (count == 0) {
        lastPoint = corner;
        points[0] = corner;
        count = 1;
        return;
    }
    std::int16_t x = std::int16_t(lastPoint.x);
    std::int16_t y = std::int16_t(lastPoint.y);
    const std::int16_t targetX = std::int16_t(corner.x);
    const std::int16_t targetY = std::int16_t(corner.y);
    const std::int32_t dx = std::abs(targetX - x);
    const std::int32_t dy = std::abs(targetY - y);
    const std::int16_t stepX = targetX >= x ? 1 : -1;
    const std::int16_t stepY = targetY >= y ? 1 : -1;
    const bool alongX = dx >= dy;
    const std::int32_t major = alongX ? dx : dy;
    const std::int32_t minor = alongX ? dy : dx;

    // The first position is the stamp stored last, so it is never stored
    // twice; the last is the target corner.
    std::int32_t error = major >> 1;
    for (std::int32_t step = 0; step <= major; ++step) {
        const StrokePoint& previous = points[count - 1];
        if (x != previous.x || y != previous.y) {
            points[count] = StrokePoint{x, y};
            if (++count == strokeCapacity) break;
        }
        error += minor;
        if (error >= major) {
            error -= major;
            x = std::int16_t(x + stepX);
            y = std::int16_t(y + stepY);
        } else if (alongX) {
            x = std::int16_t(x + stepX);
        } else {
            y = std::int16_t(y + stepY);
        }
    }
    lastPoint = points[count - 1];
}

void addSpacedPoint(StrokePoint* points, std::uint16_t& count, StrokePoint& lastPoint,
                    StrokePoint corner) {
    if (count >= strokeCapacity) return;
    lastPoint = count == 0 ? corner : points[count - 1];
    points[count] = corner;
    ++count;
}

RECT strokeExtent(const StrokePoint* points, std::uint16_t count) {
    if (count == 0) return RECT{};
    RECT extent{points[0].x, points[0].y, points[0].x, points[0].y};
    for (std::uint16_t i = 1; i < count; ++i) {
        extent.left = std::min(extent.left, points[i].x);
        extent.top = std::min(extent.top, points[i].y);
        extent.right = std::max(extent.right, points[i].x);
        extent.bottom = std::max(extent.bottom, points[i].y);
    }
    return extent;
}
