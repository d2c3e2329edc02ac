#pragma once

#include "tools/shape_tool.h"

// A rectangle outline of the pen's width, inside the spanned rectangle.
class RectangleTool : public ShapeTool {
  public:
    ToolId toolId() const override { return ToolId::Rectangle; }
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
};
