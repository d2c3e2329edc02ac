#include "tools/ellipse_tool.h"

#include "canvas/canvas.h"

void EllipseTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    if (has(drawFlags, DrawFlags::FrameOnly)) {
        canvas.drawSelectionFrame(shapeRect);
        return;
    }
    canvas.drawEllipse(shapeRect, colour, lineWidth, false);
}
