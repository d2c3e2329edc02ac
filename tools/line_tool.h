#pragma once

#include "tools/shape_tool.h"

// A straight line of the pen's width from the stylus-down point to the current one.
class LineTool : public ShapeTool {
  public:
    ToolId toolId() const override { return ToolId::Line; }
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
};
