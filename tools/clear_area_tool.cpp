#include "tools/clear_area_tool.h"

#include "canvas/canvas.h"
#include "document/sketch_document.h"

void ClearAreaTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    setFlag(ToolFlags::RedrawWhole, true);
}

void ClearAreaTool::draw(SketchDocument& document, Canvas& canvas, DrawFlags) {
    canvas.drawRectangle(bounds, document.backgroundColour(), 0, true);
}

ToolResult ClearAreaTool::finish(SketchDocument&) {
    return ToolResult::Commit;
}
