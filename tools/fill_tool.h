#pragma once

#include <cstdint>

#include "platform/gdi/types.h"
#include "tools/tool.h"

// The fill bucket: floods the area of one colour around the tapped point
// with the current colour. It commits at the stylus-down, and the document
// then draws it into the picture, which is when the fill runs. Replaying it
// fills again from the same seed over the picture as it stands then, so the
// tool stores only the seed and the colour, never the pixels.
class FillTool : public Tool {
  public:
    ToolId toolId() const override { return ToolId::Fill; }
    void setColour(COLORREF newColour) override { colour = newColour; }
    void onAcquire(SketchDocument& document) override;
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
    ToolResult onPointerButton(SketchDocument& document, const POINT& point, bool down) override;
    ToolResult finish(SketchDocument& document) override;

    // The tapped canvas point; -1, -1 until one is given.
    std::int32_t seedX = -1;
    std::int32_t seedY = -1;
    COLORREF colour = 0;
};
