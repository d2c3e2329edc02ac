#pragma once

#include <cstdint>

#include "tools/mask_shapes.h"
#include "tools/stroke_points.h"
#include "tools/tool.h"

// Soft-edged stamps from a mask table. As the airbrush it stamps only where
// the stylus was sampled, so paint builds up where the stylus lingers; as
// the eraser it stamps the background colour at every pixel of the path, so
// the trail has no gaps.
class MaskBrushTool : public Tool {
  public:
    // An airbrush stroke ends once its bounds cover this many pixels, which
    // keeps the rectangle that undo and flatten copy small.
    static constexpr std::int32_t maxSpacedArea = 4000;

    void onRelease(SketchDocument& document) override;
    ToolId toolId() const override { return ToolId::MaskBrush; }
    void setColour(COLORREF newColour) override { colour = newColour; }
    void onAcquire(SketchDocument& document) override;
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
    ToolResult onPointerButton(SketchDocument& document, const POINT& point, bool down) override;
    ToolResult onPointerMove(SketchDocument& document, POINT* points, unsigned count,
                             int* consumed) override;
    ToolResult finish(SketchDocument& document) override;
    void continueStroke(const Tool& ended) override;
    bool joinsStylusPath(const SketchDocument& document) const override;

    // Adds a stylus position to the stroke; false when the stroke is full.
    bool addPoint(SketchDocument& document, POINT stylus);

    StrokePoint points[strokeCapacity];
    std::uint16_t count = 0;
    StrokePoint lastPoint;
    COLORREF colour = 0;
    const MaskShape* shape = &airbrushShapes[0];
    std::int16_t drawnCount = 0;
    // 1 when the first stamp is the one a full predecessor ended with.
    std::int16_t leadStamps = 0;

  private:
    // The airbrush sprays spaced stamps; the eraser, the other button using
    // this tool, draws a joined stroke.
    static bool sprays(const SketchDocument& document);
    bool addSpaced(POINT stylus);
    void addJoined(POINT stylus);
};
