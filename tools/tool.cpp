#include "tools/tool.h"

#include "canvas/canvas.h"
#include "document/sketch_document.h"

void Tool::onRelease(SketchDocument&) {
    flags &= ~ToolFlags::Acquired;
}

void Tool::setBounds(const RECT& area) {
    bounds = area;
}

void Tool::setColour(COLORREF) {}

void Tool::onAcquire(SketchDocument&) {
    flags = ToolFlags::Acquired;
    bounds = RECT{};
}

void Tool::draw(SketchDocument&, Canvas&, DrawFlags) {}

ToolResult Tool::onChar(SketchDocument&, char16_t) {
    return ToolResult::None;
}

ToolResult Tool::onPointerButton(SketchDocument&, const POINT&, bool) {
    return ToolResult::None;
}

ToolResult Tool::onPointerMove(SketchDocument&, POINT*, unsigned count, int* consumed) {
    *consumed = int(count);
    return ToolResult::None;
}

void Tool::continueStroke(const Tool&) {}

bool Tool::joinsStylusPath(const SketchDocument&) const {
    return false;
}

void Tool::onUndo(SketchDocument&) {}

void Tool::onRedo(SketchDocument&) {}

bool Tool::syncPictures(SketchDocument& document, bool liveToCommitted) {
    if (hasFlag(ToolFlags::NoPixels) || hasFlag(ToolFlags::NoSync)) return true;
    return document.canvas.copyPictureRect(bounds, liveToCommitted);
}

ToolResult Tool::onSettingChanged(SketchDocument&, ToolSetting) {
    return ToolResult::None;
}

bool Tool::setFlag(ToolFlags bit, bool on) {
    if (on) {
        if (hasFlag(bit)) return false;
        if (bit == ToolFlags::Suppressed && hasFlag(ToolFlags::Marquee)) return false;
        flags |= bit;
        return true;
    }
    if (!hasFlag(bit)) return false;
    flags &= ~bit;
    return true;
}
