#include "tools/mask_brush_tool.h"

#include "app/frame/main_frame.h"
#include "canvas/canvas.h"
#include "document/sketch_document.h"

void MaskBrushTool::onRelease(SketchDocument& document) {
    count = 0;
    Tool::onRelease(document);
}

void MaskBrushTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    shape = document.frame ? document.frame->lineStyleEntry() : &airbrushShapes[0];
    colour = 0;
    count = 0;
    drawnCount = 0;
    leadStamps = 0;
}

ToolResult MaskBrushTool::onPointerButton(SketchDocument& document, const POINT& point, bool down) {
    if (down) {
        // The stroke's pixels are already in the live picture; drawing them
        // again on commit would stamp every soft edge twice.
        if (count > 0) return ToolResult::Commit | ToolResult::Quiet;
        bounds = RECT{point.x, point.y, point.x + shape->width, point.y + shape->height};
        if (!addPoint(document, point)) return ToolResult::Discard;
        return leadStamps ? ToolResult::None : ToolResult::Draw;
    }
    if (count == 0) return ToolResult::Discard;
    addPoint(document, point);
    return ToolResult::Commit | ToolResult::Draw | ToolResult::Quiet;
}

ToolResult MaskBrushTool::onPointerMove(SketchDocument& document, POINT* stylus, unsigned n,
                                        int* consumed) {
    return takeStrokePoints(*this, document, stylus, n, consumed, shape->width / 2,
                            shape->height / 2);
}

void MaskBrushTool::continueStroke(const Tool&) {
    leadStamps = 1;
}

ToolResult MaskBrushTool::finish(SketchDocument&) {
    return ToolResult::Commit | ToolResult::Quiet;
}

bool MaskBrushTool::sprays(const SketchDocument& document) {
    return document.frame && document.frame->currentTool == ToolButton::Airbrush;
}

bool MaskBrushTool::joinsStylusPath(const SketchDocument& document) const {
    return !sprays(document);
}

bool MaskBrushTool::addPoint(SketchDocument& document, POINT stylus) {
    if (sprays(document)) return addSpaced(stylus);
    if (count >= strokeCapacity) return false;
    addJoined(stylus);
    return true;
}

bool MaskBrushTool::addSpaced(POINT stylus) {
    const std::int64_t area =
        std::int64_t(bounds.bottom - bounds.top) * (bounds.right - bounds.left);
    if (area >= maxSpacedArea) return false;
    if (count >= strokeCapacity) return false;
    const StrokePoint corner = stampCorner(stylus, shape->width, shape->height);
    addSpacedPoint(points, count, lastPoint, corner);
    if (corner.x < bounds.left)
        bounds.left = corner.x;
    else if (corner.x + shape->width > bounds.right)
        bounds.right = corner.x + shape->width;
    if (corner.y < bounds.top)
        bounds.top = corner.y;
    else if (corner.y + shape->height > bounds.bottom)
        bounds.bottom = corner.y + shape->height;
    return true;
}

void MaskBrushTool::addJoined(POINT stylus) {
    joinStrokePoint(points, count, lastPoint, stampCorner(stylus, shape->width, shape->height));
    if (count == 0) return;
    const RECT extent = strokeExtent(points, count);
    bounds =
        RECT{extent.left, extent.top, extent.right + shape->width, extent.bottom + shape->height};
}

void MaskBrushTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
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
        canvas.stampMask(points[i].x, points[i].y, *shape, colour);
    drawnCount = std::int16_t(count);
    if (!has(drawFlags, DrawFlags::IntoPicture))
        canvas.blitRegion(bounds, POINT{bounds.left, bounds.top}, false, true);
}
