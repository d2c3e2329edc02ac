#pragma once

#include "tools/shape_tool.h"

// An ellipse outline of the pen's width, inscribed in the spanned rectangle.
class EllipseTool : public ShapeTool {
  public:
    ToolId toolId() const override { return ToolId::Ellipse; }
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
};
