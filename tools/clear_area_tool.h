#pragma once

#include "tools/tool.h"

// Fills `bounds` with the background colour: the pixel half of Cut. The
// document hands it the area and puts it straight into the history, so it
// is only ever drawn by the history's replay.
class ClearAreaTool : public Tool {
  public:
    ToolId toolId() const override { return ToolId::ClearArea; }
    void onAcquire(SketchDocument& document) override;
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
    ToolResult finish(SketchDocument& document) override;
};
