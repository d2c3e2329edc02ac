#pragma once

#include <cstdint>

#include "platform/gdi/types.h"
#include "tools/bit_set.h"

class Canvas;
class SketchDocument;

// The kinds of tool; each has its own free list in the factory.
enum class ToolId : int {
    Brush = 0,
    Line = 1,
    Rectangle = 2,
    FilledRectangle = 3,
    Ellipse = 4,
    FilledEllipse = 5,
    MoveSelection = 6,
    Text = 7,
    ClearArea = 8,
    Select = 9,
    MaskBrush = 10,
    Smudge = 11,
    FloatingImage = 12,
    Fill = 13,
    Flip = 14,
};
inline constexpr int toolIdCount = 15;

enum class ToolFlags : std::uint16_t {
    None = 0,
    Acquired = 0x01,
    NoPixels = 0x02,     // changes no pixels: nothing to sync, nothing to replay
    Marquee = 0x04,      // while set, Suppressed cannot be set
    Suppressed = 0x08,   // skipped by the history replay
    NoSync = 0x10,       // nothing to sync
    Floating = 0x20,     // framed by the document and standing for the selection
    RedrawWhole = 0x40,  // every redraw rebuilds the view before drawing the tool
};
constexpr bool isBitSet(ToolFlags) {
    return true;
}

// What an event asks of the document.
enum class ToolResult : std::uint32_t {
    None = 0,
    Commit = 0x01,      // into the history; no tool active afterwards
    Draw = 0x02,        // draw the active tool
    Replay = 0x04,      // draw the active tool into the picture first
    Refresh = 0x08,     // rebuild the view and draw the active tool on it
    RefreshAll = 0x10,  // rebuild the view with a replay of the history
    Discard = 0x20,     // throw the active tool away, then refresh
    Quiet = 0x40,       // no redraw after the commit: the pixels are already there
};
constexpr bool isBitSet(ToolResult) {
    return true;
}

enum class DrawFlags : std::uint32_t {
    None = 0,
    IntoPicture = 0x1,  // into the live picture, the whole effect again from the stored data
    ViewRebuilt = 0x2,  // the view was rebuilt before this draw
    FrameOnly = 0x4,    // only the dashed frame
};
constexpr bool isBitSet(DrawFlags) {
    return true;
}

enum class ToolSetting : int { Colour = 0, BrushSize = 1, FontFace = 2, FontSize = 3 };

// One replayable operation on the picture: it collects the input of one
// gesture, draws its effect, keeps the rectangle it changed, and can draw the
// same effect again from what it stored. The document keeps finished tools
// in its history, linked through `next` and `prev`; the factory recycles them.
class Tool {
  public:
    Tool() = default;
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;
    virtual ~Tool() = default;

    virtual void onRelease(SketchDocument& document);
    virtual ToolId toolId() const = 0;
    virtual void setBounds(const RECT& area);
    virtual void setColour(COLORREF colour);
    virtual void onAcquire(SketchDocument& document);
    virtual void draw(SketchDocument& document, Canvas& canvas, DrawFlags flags);
    virtual ToolResult onChar(SketchDocument& document, char16_t character);
    virtual ToolResult onPointerButton(SketchDocument& document, const POINT& point, bool down);
    // Takes the points in order and reports in `consumed` how many it took.
    virtual ToolResult onPointerMove(SketchDocument& document, POINT* points, unsigned count,
                                     int* consumed);
    virtual ToolResult finish(SketchDocument& document) = 0;
    // This tool goes on with a stroke that `ended` (a tool of the same kind)
    // had no room left for; it starts where the ended tool's last stamp is.
    virtual void continueStroke(const Tool& ended);
    // Whether the tool paints every pixel of the stylus path, so that the
    // way to where the stylus lifts must be walked like a move.
    virtual bool joinsStylusPath(const SketchDocument& document) const;
    virtual void onUndo(SketchDocument& document);
    virtual void onRedo(SketchDocument& document);
    virtual bool syncPictures(SketchDocument& document, bool liveToCommitted);
    virtual ToolResult onSettingChanged(SketchDocument& document, ToolSetting setting);

    // Setting a bit already set, or Suppressed while Marquee is set, changes
    // nothing and returns false; clearing returns whether the bit was set.
    bool setFlag(ToolFlags bit, bool on);
    bool hasFlag(ToolFlags bit) const { return has(flags, bit); }

    RECT bounds{};
    Tool* next = nullptr;
    Tool* prev = nullptr;
    ToolFlags flags = ToolFlags::None;
};
