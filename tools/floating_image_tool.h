#pragma once

#include <cstdint>
#include <memory>

#include "canvas/raster_image.h"
#include "tools/tool.h"

// An image brought into the picture but not yet put down: a paste, an
// imported file, or the picture itself carried across a change of canvas
// size. It floats above the picture where the user drags it and is put down
// as one history entry by a tap outside it or by a command.
class FloatingImageTool : public Tool {
  public:
    void onRelease(SketchDocument& document) override;
    ToolId toolId() const override { return ToolId::FloatingImage; }
    void onAcquire(SketchDocument& document) override;
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
    ToolResult onPointerButton(SketchDocument& document, const POINT& point, bool down) override;
    ToolResult onPointerMove(SketchDocument& document, POINT* points, unsigned count,
                             int* consumed) override;
    ToolResult finish(SketchDocument& document) override;

    // Fill the tool; each shows its own message and returns false on failure.
    bool loadJpeg(SketchDocument& document, const char16_t* path);
    bool loadBitmap(SketchDocument& document, const char16_t* path);
    bool takeImage(SketchDocument& document, const RasterImage& clipboard);

    std::int32_t grabX = 0;
    std::int32_t grabY = 0;
    std::int32_t posX = 0;
    std::int32_t posY = 0;
    std::unique_ptr<RasterImage> image;
    bool awaitingPlacement = true;

  private:
    void freeImage();
    void updateBounds();
    bool load(SketchDocument& document, const char16_t* path, bool jpeg);
};
