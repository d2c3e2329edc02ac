#include "tools/line_tool.h"

#include "canvas/canvas.h"

void LineTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    if (has(drawFlags, DrawFlags::FrameOnly)) {
        canvas.drawSelectionFrame(bounds);
        return;
    }
    // The canvas maps the points in place, and mapping them back to canvas
    // pixels loses the low bits below 100 %; drawing from a copy keeps the
    // end points exactly where the stylus put them for the next draw.
    POINT line[2] = {start, end};
    canvas.drawPolyline(line, 2, lineWidth, colour, Canvas::polylineMapBack);
}
