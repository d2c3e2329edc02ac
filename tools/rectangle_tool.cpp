#include "tools/rectangle_tool.h"

#include "canvas/canvas.h"

void RectangleTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    if (has(drawFlags, DrawFlags::FrameOnly)) {
        canvas.drawSelectionFrame(shapeRect);
        return;
    }
    canvas.drawRectangle(shapeRect, colour, lineWidth, false);
}
