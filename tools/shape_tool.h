#pragma once

#include <cstdint>

#include "platform/gdi/types.h"
#include "tools/tool.h"

// A figure spanned by the stylus-down point and the current stylus point,
// dragged as a rubber band. While the stylus moves, every redraw rebuilds the
// view from the live picture and draws the figure on it, so the picture only
// changes when the stylus is lifted and the document draws the committed
// tool into it. The concrete tools differ only in the figure they draw.
class ShapeTool : public Tool {
  public:
    void setColour(COLORREF newColour) override;
    void onAcquire(SketchDocument& document) override;
    ToolResult onPointerButton(SketchDocument& document, const POINT& point, bool down) override;
    ToolResult onPointerMove(SketchDocument& document, POINT* points, unsigned count,
                             int* consumed) override;
    ToolResult finish(SketchDocument& document) override;

    // The rectangle spanned by `start` and `end`, with left <= right and
    // top <= bottom.
    RECT shapeRect{};
    // Pen width in canvas pixels, taken from the frame when the tool starts;
    // a later change of the setting leaves a shape being dragged alone.
    std::int16_t lineWidth = 1;
    COLORREF colour = 0;
    POINT start{};
    POINT end{};

  protected:
    // Normalises `start` and `end` into `shapeRect`, and makes `bounds` that
    // rectangle widened by twice the pen width, which holds every pixel a
    // pen of that width can reach from the figure's edge.
    void spanRectangles();
};
