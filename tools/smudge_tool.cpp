#include "tools/smudge_tool.h"

#include <algorithm>
#include <cstring>

#include "app/frame/main_frame.h"
#include "canvas/canvas.h"
#include "document/sketch_document.h"

namespace {

// The area under the newest point while a step is painted. Only one smudge
// stroke paints at a time (the active tool or a history entry being
// replayed), so every smudge tool shares it.
std::uint8_t smudgeScratch[SmudgeTool::carriedBytes];

}  // namespace

void SmudgeTool::onRelease(SketchDocument& document) {
    count = 0;
    Tool::onRelease(document);
}

void SmudgeTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    count = 0;
    drawnCount = 0;
    leadStamps = 0;
    const std::int32_t index = document.frame ? document.frame->smudgeSizeIndex : 0;
    sizeIndex = std::int16_t(std::clamp(index, 0, maskShapeCount - 1));
}

ToolResult SmudgeTool::onPointerButton(SketchDocument& document, const POINT& point, bool down) {
    if (down) {
        // Whatever was smeared is already in the live picture; smearing it
        // again on commit would drag the paint twice.
        if (count > 0) return ToolResult::Commit | ToolResult::Quiet;
        bounds = RECT{point.x, point.y, point.x, point.y};
        addPoint(document, point);
        // One point carries nothing anywhere yet.
        return ToolResult::None;
    }
    if (count == 0) return ToolResult::Discard;
    addPoint(document, point);
    return ToolResult::Commit | ToolResult::Draw | ToolResult::Quiet;
}

ToolResult SmudgeTool::onPointerMove(SketchDocument& document, POINT* stylus, unsigned n,
                                     int* consumed) {
    return takeStrokePoints(*this, document, stylus, n, consumed, shape().width / 2,
                            shape().height / 2);
}

void SmudgeTool::continueStroke(const Tool& ended) {
    // The smear goes on with the paint the ended tool picked up last, not
    // with a fresh pick-up where that paint was just laid down.
    std::memcpy(startPaint, static_cast<const SmudgeTool&>(ended).carried, carriedBytes);
    leadStamps = 1;
}

ToolResult SmudgeTool::finish(SketchDocument&) {
    if (count > 0) return ToolResult::Commit | ToolResult::Draw | ToolResult::Quiet;
    return ToolResult::Discard;
}

bool SmudgeTool::addPoint(SketchDocument&, POINT stylus) {
    if (count >= strokeCapacity) return false;
    const MaskShape& mask = shape();
    joinStrokePoint(points, count, lastPoint, stampCorner(stylus, mask.width, mask.height));
    if (count == 0) return true;
    const RECT extent = strokeExtent(points, count);
    bounds = RECT{extent.left, extent.top, extent.right + mask.width, extent.bottom + mask.height};
    return true;
}

void SmudgeTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    if (has(drawFlags, DrawFlags::FrameOnly)) {
        canvas.drawSelectionFrame(bounds);
        return;
    }
    // Without a render pass nothing can be painted; the points stay pending
    // for the next pass instead of being counted as painted.
    if (canvas.renderState() == RenderState::Idle) return;
    if (has(drawFlags, DrawFlags::IntoPicture)) drawnCount = 0;
    if (count >= 2) {
        const MaskShape& mask = shape();
        const auto w = std::int16_t(mask.width), h = std::int16_t(mask.height);
        const std::size_t bytes = std::size_t(w) * std::size_t(h) * 3;
        std::int32_t first = drawnCount;
        if (first == 0) {
            if (leadStamps)
                std::memcpy(carried, startPaint, bytes);
            else
                canvas.copyOut(carried, points[0].x, points[0].y, w, h);
            first = 1;
        }
        for (std::int32_t i = first; i < count; ++i) {
            canvas.copyOut(smudgeScratch, points[i].x, points[i].y, w, h);
            canvas.stampMaskImage(mask, carried, points[i].x, points[i].y);
            std::memcpy(carried, smudgeScratch, bytes);
        }
        drawnCount = std::int16_t(count);
    }
    if (!has(drawFlags, DrawFlags::IntoPicture))
        canvas.blitRegion(bounds, POINT{bounds.left, bounds.top}, false, true);
}
