#pragma once

#include <cstdint>

#include "platform/gdi/types.h"
#include "tools/tool.h"

class SketchDocument;

// The top-left corner of one stamp of a freehand stroke, in canvas pixels.
// Corners are worked out in 16-bit arithmetic and kept widened.
struct StrokePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Every freehand tool keeps a fixed list of this many stamps, so painting
// never allocates; a longer stroke continues in a new tool.
inline constexpr std::uint16_t strokeCapacity = 256;

// Where the stamp for a stylus position goes: half the stamp size up and to
// the left of it, so the stamp is centred on the stylus.
StrokePoint stampCorner(POINT stylus, std::int32_t width, std::int32_t height);

// Extends the list along a digital line from `lastPoint` to `corner`,
// storing every position that differs from the one stored before, so the
// stamps of a fast stroke still touch each other. Stops when the list is
// full; `lastPoint` becomes the last stored position. The first corner of an
// empty list is stored as it is. The caller refuses points once the list is
// full, so there is always room for at least one.
void joinStrokePoint(StrokePoint* points, std::uint16_t& count, StrokePoint& lastPoint,
                     StrokePoint corner);

// Stores the corner on its own, without a line to the previous one, so a
// stylus that lingers keeps adding stamps at one place. `lastPoint` becomes
// the stamp stored before this one.
void addSpacedPoint(StrokePoint* points, std::uint16_t& count, StrokePoint& lastPoint,
                    StrokePoint corner);

// The smallest and largest corner coordinates of the stored stamps, as
// left, top, right, bottom (all inclusive); zero for an empty list.
RECT strokeExtent(const StrokePoint* points, std::uint16_t count);

// The stylus moves of a freehand tool, taken in order. A position equal to
// the tool's `lastPoint` is skipped. When the tool refuses a point, or its
// list is full after taking one, the tool ends itself: the point is replaced
// by the centre of the last stored stamp, so the next tool of the stroke
// starts exactly there and is then given the stylus position again. Ending
// as soon as the list is full matters for the stylus-up: a full tool would
// have to drop the last stretch of the path. Asks for a draw only when a
// stamp was added. The tool provides `points`, `count`, `lastPoint` and
// `addPoint`.
template <typename StrokeTool>
ToolResult takeStrokePoints(StrokeTool& tool, SketchDocument& document, POINT* points,
                            unsigned pointCount, int* consumed, std::int32_t halfWidth,
                            std::int32_t halfHeight) {
    const std::uint16_t countBefore = tool.count;
    for (unsigned i = 0; i < pointCount; ++i) {
        if (points[i].x == tool.lastPoint.x && points[i].y == tool.lastPoint.y) continue;
        if (tool.addPoint(document, points[i]) && tool.count < strokeCapacity) continue;
        if (tool.count > 0) {
            const StrokePoint& last = tool.points[tool.count - 1];
            points[i] = POINT{last.x + halfWidth, last.y + halfHeight};
        }
        *consumed = int(i);
        return ToolResult::Commit | ToolResult::Draw | ToolResult::Quiet;
    }
    *consumed = int(pointCount);
    return tool.count != countBefore ? ToolResult::Draw : ToolResult::None;
}

// The first stamp of a tool that continues a stroke is the ended tool's last
// one, already painted: it joins the path on but is not painted again, or
// soft stamps would build up where one tool hands over to the next.
inline std::int32_t firstStampToPaint(std::int32_t drawnCount, std::int16_t leadStamps) {
    return drawnCount > leadStamps ? drawnCount : leadStamps;
}
