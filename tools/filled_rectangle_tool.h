#pragma once

#include "tools/shape_tool.h"

// The spanned rectangle filled with the colour.
class FilledRectangleTool : public ShapeTool {
  public:
    ToolId toolId() const override { return ToolId::FilledRectangle; }
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
};
