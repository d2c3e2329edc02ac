#include "tools/filled_ellipse_tool.h"

#include "canvas/canvas.h"

void FilledEllipseTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    if (has(drawFlags, DrawFlags::FrameOnly)) {
        canvas.drawSelectionFrame(shapeRect);
        return;
    }
    canvas.drawEllipse(shapeRect, colour, lineWidth, true);
}
