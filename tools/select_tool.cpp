#include "tools/select_tool.h"

#include <algorithm>
#include <utility>

#include "canvas/canvas.h"
#include "document/sketch_document.h"

void SelectTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    setFlag(ToolFlags::Floating, true);
    setFlag(ToolFlags::RedrawWhole, true);
    setFlag(ToolFlags::NoPixels, true);
    setFlag(ToolFlags::Marquee, true);
    anchor = corner = POINT{};
}

void SelectTool::spanBounds() {
    bounds = RECT{std::min(anchor.x, corner.x), std::min(anchor.y, corner.y),
                  std::max(anchor.x, corner.x), std::max(anchor.y, corner.y)};
}

void SelectTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    // The rubber band is only ever the dashed frame over the picture.
    if (!has(drawFlags, DrawFlags::FrameOnly)) return;
    spanBounds();
    // Both end pixels belong to the rectangle, so the frame runs just outside
    // the larger ones.
    canvas.drawSelectionFrame(RECT{bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1});
}

ToolResult SelectTool::onPointerButton(SketchDocument& document, const POINT& point, bool down) {
    corner = point;
    if (down) {
        anchor = point;
        spanBounds();
        return ToolResult::None;
    }
    if (anchor.x > corner.x) std::swap(anchor.x, corner.x);
    if (anchor.y > corner.y) std::swap(anchor.y, corner.y);
    // The selection holds the stylus-up pixel too; its right and bottom are
    // exclusive like every rectangle of the picture.
    ++corner.x;
    ++corner.y;
    document.setSelection(anchor.x, anchor.y, corner.x, corner.y);
    return ToolResult::Discard;
}

ToolResult SelectTool::onPointerMove(SketchDocument&, POINT* points, unsigned count,
                                     int* consumed) {
    *consumed = int(count);
    if (count == 0) return ToolResult::None;
    corner = points[count - 1];
    spanBounds();
    return ToolResult::Draw;
}

ToolResult SelectTool::finish(SketchDocument&) {
    // A rectangle still being dragged when a command comes is dropped.
    return ToolResult::Discard;
}
