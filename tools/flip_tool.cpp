#include "tools/flip_tool.h"

#include "canvas/canvas.h"
#include "document/sketch_document.h"

void FlipTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    setFlag(ToolFlags::RedrawWhole, true);
    setFlag(ToolFlags::Floating, true);
    horizontal = true;
}

void FlipTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    if (has(drawFlags, DrawFlags::FrameOnly)) {
        canvas.drawSelectionFrame(bounds);
        return;
    }
    // The mirror works on the live picture whatever the pass draws into, so a
    // preview of the view must not do it: the picture would be flipped once
    // more than the history says.
    if (!has(drawFlags, DrawFlags::IntoPicture)) return;
    // The flip cuts the left and top of `bounds` to the canvas in place; what
    // lies beyond the right and bottom is left to the copies of undo and
    // flatten, which clip on their own.
    canvas.flipRegion(bounds, horizontal);
}

ToolResult FlipTool::finish(SketchDocument& document) {
    document.setSelection(bounds.left, bounds.top, bounds.right, bounds.bottom);
    return ToolResult::Commit;
}
