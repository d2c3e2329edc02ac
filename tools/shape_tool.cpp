#include "tools/shape_tool.h"

#include <algorithm>

#include "app/frame/main_frame.h"
#include "document/sketch_document.h"

void ShapeTool::setColour(COLORREF newColour) {
    colour = newColour;
}

void ShapeTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    // The figure is drawn whole on a freshly rebuilt view each time, which
    // wipes the previous extent of the rubber band.
    setFlag(ToolFlags::RedrawWhole, true);
    lineWidth = document.frame ? std::int16_t(document.frame->lineWidth) : std::int16_t(1);
    colour = 0;
    start = end = POINT{};
    shapeRect = RECT{};
}

ToolResult ShapeTool::onPointerButton(SketchDocument&, const POINT& point, bool down) {
    // Lifting the stylus ends the shape where the last move left it.
    if (!down) return ToolResult::Commit;
    start = end = point;
    spanRectangles();
    // Nothing shows until the stylus moves.
    return ToolResult::None;
}

ToolResult ShapeTool::onPointerMove(SketchDocument&, POINT* points, unsigned count, int* consumed) {
    *consumed = int(count);
    if (count == 0) return ToolResult::None;
    // Only where the stylus is now matters; the path it took does not.
    end = points[count - 1];
    spanRectangles();
    return ToolResult::Refresh;
}

ToolResult ShapeTool::finish(SketchDocument&) {
    return ToolResult::Commit;
}

void ShapeTool::spanRectangles() {
    shapeRect = RECT{std::min(start.x, end.x), std::min(start.y, end.y), std::max(start.x, end.x),
                     std::max(start.y, end.y)};
    const std::int32_t margin = 2 * std::int32_t(lineWidth);
    bounds = RECT{shapeRect.left - margin, shapeRect.top - margin, shapeRect.right + margin,
                  shapeRect.bottom + margin};
}
