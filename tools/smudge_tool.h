#pragma once

#include <cstdint>

#include "tools/mask_shapes.h"
#include "tools/stroke_points.h"
#include "tools/tool.h"

// Smears the picture along the stylus path: at every step it picks up the
// colours under the new position and lays down, through a soft mask, what it
// picked up one step before.
class SmudgeTool : public Tool {
  public:
    // Room for the largest smudge shape, 16 by 16 pixels of 3 bytes.
    static constexpr std::size_t carriedBytes = 768;

    void onRelease(SketchDocument& document) override;
    ToolId toolId() const override { return ToolId::Smudge; }
    void onAcquire(SketchDocument& document) override;
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
    ToolResult onPointerButton(SketchDocument& document, const POINT& point, bool down) override;
    ToolResult onPointerMove(SketchDocument& document, POINT* points, unsigned count,
                             int* consumed) override;
    ToolResult finish(SketchDocument& document) override;
    void continueStroke(const Tool& ended) override;
    bool joinsStylusPath(const SketchDocument&) const override { return true; }

    // Joins a stylus position to the stroke; false when the list is full.
    bool addPoint(SketchDocument& document, POINT stylus);
    const MaskShape& shape() const { return smudgeShapes[sizeIndex]; }

    StrokePoint points[strokeCapacity];
    std::uint16_t count = 0;
    StrokePoint lastPoint;
    std::uint8_t carried[carriedBytes] = {};
    // What a full predecessor still carried when this tool took over.
    std::uint8_t startPaint[carriedBytes] = {};
    std::int16_t drawnCount = 0;
    // 1 when the first stamp is the one a full predecessor ended with.
    std::int16_t leadStamps = 0;
    std::int16_t sizeIndex = 0;
};
