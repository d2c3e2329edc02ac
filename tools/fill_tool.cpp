#include "tools/fill_tool.h"

#include "canvas/canvas.h"

void FillTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    setFlag(ToolFlags::RedrawWhole, true);
    seedX = seedY = -1;
    colour = 0;
}

void FillTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    if (seedX == -1 || seedY == -1) return;
    // The fill writes the live picture itself, so it must run only when the
    // document asks for the tool's effect in the picture. A preview draw (the
    // view refresh that comes with the commit when a selection was cleared)
    // would fill first, and the commit's own draw would then find nothing
    // left to change and shrink `bounds` to the seed: undo could no longer
    // restore the filled area.
    if (!has(drawFlags, DrawFlags::IntoPicture)) return;
    // The fill grows the rectangle from the seed to what it changed; when the
    // area already has the colour it stays empty and undo copies nothing.
    bounds = RECT{seedX, seedY, seedX, seedY};
    canvas.floodFill(seedX, seedY, colour, bounds);
}

ToolResult FillTool::onPointerButton(SketchDocument&, const POINT& point, bool) {
    seedX = point.x;
    seedY = point.y;
    return ToolResult::Commit;
}

ToolResult FillTool::finish(SketchDocument&) {
    return ToolResult::Commit;
}
