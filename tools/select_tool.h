#pragma once

#include "platform/gdi/types.h"
#include "tools/tool.h"

// Drags out a rectangle with the stylus. Selecting changes no pixels, so the
// tool never enters the history: on release the rectangle becomes the
// document's selection and the tool is thrown away.
class SelectTool : public Tool {
  public:
    ToolId toolId() const override { return ToolId::Select; }
    void onAcquire(SketchDocument& document) override;
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
    ToolResult onPointerButton(SketchDocument& document, const POINT& point, bool down) override;
    ToolResult onPointerMove(SketchDocument& document, POINT* points, unsigned count,
                             int* consumed) override;
    ToolResult finish(SketchDocument& document) override;

    POINT anchor{};  // where the stylus went down
    POINT corner{};  // where it is now

  private:
    // `bounds` spanned by the two points, both of them inside it.
    void spanBounds();
};
