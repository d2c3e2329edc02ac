#pragma once

#include <cstdint>

#include "tools/stroke_points.h"
#include "tools/tool.h"

// The pencil: a solid square of the current colour at every pixel of the
// stylus path, blended at the current opacity. The blend reads the
// committed picture, so the stroke has one even opacity however its squares
// overlap.
class BrushTool : public Tool {
  public:
    void onRelease(SketchDocument& document) override;
    ToolId toolId() const override { return ToolId::Brush; }
    void setColour(COLORREF newColour) override { colour = newColour; }
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

    StrokePoint points[strokeCapacity];
    std::uint16_t count = 0;
    StrokePoint lastPoint;
    COLORREF colour = 0;
    std::int16_t size = 0;
    std::int16_t opacity = 0;
    std::int16_t drawnCount = 0;
    // 1 when the first stamp is the one a full predecessor ended with.
    std::int16_t leadStamps = 0;
};
