#pragma once

#include <cstdint>

#include "platform/gdi/types.h"
#include "tools/tool.h"

// Lifts the selected area and drags it. The document flattens its history
// when this tool starts, so the committed picture holds the area as it was
// before the move: every draw fills the place it came from with the
// background colour and copies the area from the committed picture to where
// it is now. The moved pixels therefore need no buffer of their own, and the
// same draw serves the preview and the picture. The area keeps floating
// after the stylus is lifted; the tool ends when the stylus goes down
// outside it, another tool button is used, or a command finishes it.
class MoveSelectionTool : public Tool {
  public:
    ToolId toolId() const override { return ToolId::MoveSelection; }
    void onAcquire(SketchDocument& document) override;
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
    ToolResult onPointerButton(SketchDocument& document, const POINT& point, bool down) override;
    ToolResult onPointerMove(SketchDocument& document, POINT* points, unsigned count,
                             int* consumed) override;
    ToolResult finish(SketchDocument& document) override;
    // Both the place the area came from and the place it went.
    bool syncPictures(SketchDocument& document, bool liveToCommitted) override;

    std::int16_t areaWidth = 0;
    std::int16_t areaHeight = 0;
    std::int32_t sourceX = 0;  // top-left corner the area was lifted from
    std::int32_t sourceY = 0;
    std::int32_t grabX = 0;  // stylus position relative to the area's top-left corner
    std::int32_t grabY = 0;
    std::int32_t destX = 0;  // top-left corner the area is at now
    std::int32_t destY = 0;
    bool awaitingLift = true;  // until the first stylus-down lifts the area

  private:
    RECT sourceRect() const;
};
