#pragma once

#include "tools/shape_tool.h"

// The ellipse inscribed in the spanned rectangle, filled with the colour.
class FilledEllipseTool : public ShapeTool {
  public:
    ToolId toolId() const override { return ToolId::FilledEllipse; }
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
};
