#include "tools/move_selection_tool.h"

#include "app/frame/main_frame.h"
#include "canvas/canvas.h"
#include "document/sketch_document.h"

void MoveSelectionTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    setFlag(ToolFlags::Floating, true);
    setFlag(ToolFlags::RedrawWhole, true);
    // A recycled tool must not show the area of its last move before this
    // one is lifted.
    areaWidth = areaHeight = 0;
    sourceX = sourceY = grabX = grabY = 0;
    destX = destY = 0;
    awaitingLift = true;
}

RECT MoveSelectionTool::sourceRect() const {
    return RECT{sourceX, sourceY, sourceX + areaWidth, sourceY + areaHeight};
}

void MoveSelectionTool::draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) {
    if (has(drawFlags, DrawFlags::FrameOnly)) {
        canvas.drawSelectionFrame(bounds);
        return;
    }
    const RECT source = sourceRect();
    canvas.drawRectangle(source, document.backgroundColour(), 0, true);
    canvas.blitRegion(source, POINT{destX, destY}, true, false);
}

ToolResult MoveSelectionTool::onPointerButton(SketchDocument& document, const POINT& point,
                                              bool down) {
    // Lifting the stylus leaves the area floating where it is.
    if (!down) return ToolResult::None;
    if (awaitingLift) {
        sourceX = destX = bounds.left;
        sourceY = destY = bounds.top;
        grabX = point.x - bounds.left;
        grabY = point.y - bounds.top;
        areaWidth = std::int16_t(bounds.right - bounds.left);
        areaHeight = std::int16_t(bounds.bottom - bounds.top);
        awaitingLift = false;
        return ToolResult::Refresh;
    }
    // Edges count as inside, as they do for the selection that was lifted.
    const bool inside = point.x >= bounds.left && point.x <= bounds.right &&
                        point.y >= bounds.top && point.y <= bounds.bottom;
    if (!inside || !document.frame || document.frame->currentTool != ToolButton::Selection) {
        // Put the area down; the document starts the current button's tool here.
        return ToolResult::Commit;
    }
    grabX = point.x - destX;
    grabY = point.y - destY;
    return ToolResult::Refresh;
}

ToolResult MoveSelectionTool::onPointerMove(SketchDocument&, POINT* points, unsigned count,
                                            int* consumed) {
    *consumed = int(count);
    if (count == 0 || awaitingLift) return ToolResult::None;
    destX = points[count - 1].x - grabX;
    destY = points[count - 1].y - grabY;
    bounds = RECT{destX, destY, destX + areaWidth, destY + areaHeight};
    return ToolResult::Refresh;
}

ToolResult MoveSelectionTool::finish(SketchDocument& document) {
    document.setSelection(bounds.left, bounds.top, bounds.right, bounds.bottom);
    return ToolResult::Commit;
}

bool MoveSelectionTool::syncPictures(SketchDocument& document, bool liveToCommitted) {
    return document.canvas.copyPictureRect(sourceRect(), liveToCommitted) &&
           document.canvas.copyPictureRect(bounds, liveToCommitted);
}
