#pragma once

#include "tools/tool.h"

// Mirrors `bounds` of the live picture in place. Mirroring is its own
// inverse, so the tool keeps no pixels: each draw into the picture mirrors
// the rectangle once more, which is exactly one flip per commit and per
// replay of the history after an undo restored the area.
class FlipTool : public Tool {
  public:
    ToolId toolId() const override { return ToolId::Flip; }
    void onAcquire(SketchDocument& document) override;
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
    ToolResult finish(SketchDocument& document) override;

    bool horizontal = true;  // left to right; false: top to bottom
};
