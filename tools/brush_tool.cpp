#include "tools/brush_tool.h"

#include "app/frame/main_frame.h"
#include "canvas/canvas.h"
#include "document/sketch_document.h"

void BrushTool::onRelease(SketchDocument& document) {
    count = 0;
    Tool::onRelease(document);
}

void BrushTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    count = 0;
    const MainFrame* frame = document.frame;
    size = frame ? std::int16_t(frame->lineWidth) : std::int16_t(1);
    colour = 0;
    opacity = frame ? std::int16_t(frame->currentOpacity()) : std::int16_t(127);
    drawnCount = 0;
    leadStamps = 0;
}

ToolResult BrushTool::onPointerButton(SketchDocument& document, const POINT& point, bool down) {
    if (down) {
        if (count > 0) return ToolResult::Commit;
        bounds = RECT{point.x - size, point.y - size, point.x + size, point.y + size};
        if (!addPoint(document, point)) return ToolResult::Discard;
        return leadStamps ? ToolResult::None : ToolResult::Draw;
    }
    if (count == 0) return ToolResult::Discard;
    addPoint(document, point);
    return ToolResult::Commit | ToolResult::Draw | ToolResult::Quiet;
}

ToolResult BrushTool::onPointerMove(SketchDocument& document, POINT* stylus, unsigned n,
                                    int* consumed) {
    return takeStrokePoints(*this, document, stylus, n, consumed, size / 2, size / 2);
}

void BrushTool::continueStroke(const Tool&) {
    leadStamps = 1;
}

ToolResult BrushTool::finish(SketchDocument&) {
    return ToolResult::Commit | ToolResult::Quiet;
}

bool BrushTool::addPoint(SketchDocument&, POINT stylus) {
    if (count >= strokeCapacity) return false;
    joinStrokePoint(points, count, lastPoint, stampCorner(stylus, size, size));
    // Generous by a square on every side, so the rectangle synced and shown
    // always covers the squares whatever their size.
    const RECT extent = strokeExtent(points, count);
    bounds = count == 0 ? RECT{}
                        : RECT{extent.left - size, extent.top - size, extent.right + size,
                               extent.bottom + size};
    return true;
}

void BrushTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    if (has(drawFlags, DrawFlags::FrameOnly)) {
        canvas.drawSelectionFrame(bounds);
        return;
    }
    // Without a render pass nothing can be painted; the points stay pending
    // for the next pass instead of being counted as painted.
    if (canvas.renderState() == RenderState::Idle) return;
    if (has(drawFlags, DrawFlags::IntoPicture)) drawnCount = 0;
    if (count == 0) return;
    for (std::int32_t i = firstStampToPaint(drawnCount, leadStamps); i < count; ++i)
        canvas.blendSquare(points[i].x, points[i].y, size, size, colour, std::uint16_t(opacity));
    drawnCount = std::int16_t(count);
    if (!has(drawFlags, DrawFlags::IntoPicture))
        canvas.blitRegion(bounds, POINT{bounds.left, bounds.top}, false, true);
}
