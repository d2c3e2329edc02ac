#include "document/sketch_document.h"

#include "app/frame/main_frame.h"
#include "platform/window/window.h"

SketchDocument::SketchDocument() = default;

SketchDocument::~SketchDocument() {
    if (clipboard) clipboard->release();
    clipboard.reset();
    clearDocument();
    if (frame && frame->document == this) frame->document = nullptr;
}

bool SketchDocument::attachFrame(MainFrame* mainFrame) {
    frame = mainFrame;
    frame->document = this;
    canvas.create(frame->canvasWindow, frame->canvasWidth, frame->canvasHeight,
                  Canvas::defaultViewWidth, Canvas::defaultViewHeight);
    return true;
}

bool SketchDocument::canUndo() const {
    return canUndoLatestGroup() || earlierStates.canUndo();
}

bool SketchDocument::canRedo() const {
    if (activeTool) return false;
    if (earlierStates.canRedo()) return true;
    return historyCursor ? historyCursor->next != nullptr : historyHead != nullptr;
}

bool SketchDocument::canUndoLatestGroup() const {
    return activeTool || historyCursor;
}

bool SketchDocument::canCut() const {
    return selectionActive || (activeTool && activeTool->hasFlag(ToolFlags::Floating));
}
bool SketchDocument::canDelete() const {
    // The Delete key belongs to the text being typed, not to its frame.
    return canCut() && !(activeTool && activeTool->toolId() == ToolId::Text);
}
bool SketchDocument::canCopy() const {
    return canCut();
}
bool SketchDocument::canPaste() const {
    return clipboard != nullptr;
}
bool SketchDocument::isModified() const {
    return modified;
}
bool SketchDocument::canFlip() const {
    return canCut();
}

bool SketchDocument::selectionArea(RECT& area) const {
    if (activeTool && activeTool->hasFlag(ToolFlags::Floating)) {
        area = activeTool->bounds;
        return true;
    }
    if (!selectionActive) return false;
    area = selection;
    return true;
}

COLORREF SketchDocument::backgroundColour() const {
    return canvas.viewWindow() ? canvas.viewWindow()->backgroundColour() : 0xFFFFFF;
}

void SketchDocument::setSelection(std::int32_t left, std::int32_t top, std::int32_t right,
                                  std::int32_t bottom) {
    selection = RECT{left, top, right, bottom};
    selectionActive = 1;
}

void SketchDocument::clearSelection() {
    selectionActive = 0;
}

// All four edges count as inside, so a tap on the frame itself grabs the area.
bool SketchDocument::isInsideSelection(POINT point) const {
    return selectionActive && point.x >= selection.left && point.x <= selection.right &&
           point.y >= selection.top && point.y <= selection.bottom;
}

void SketchDocument::snapToGrid(POINT& point) const {
    if (!frame || (frame->snapGridX == 0 && frame->snapGridY == 0)) return;
    const auto snap = [](std::int32_t& coordinate, std::int32_t spacing) {
        if (spacing == 0) return;
        const std::int32_t remainder = coordinate % spacing;
        coordinate -= remainder;
        if (remainder > spacing / 2) coordinate += spacing;
    };
    snap(point.x, frame->snapGridX);
    snap(point.y, frame->snapGridY);
}

void SketchDocument::viewToCanvas(POINT& point) const {
    if (!frame) return;
    const std::int32_t z = frame->zoomShift;
    if (z >= 0) {
        point.x = (point.x + frame->scrollX) / (1 << z);
        point.y = (point.y + frame->scrollY) / (1 << z);
    } else {
        point.x = (point.x + frame->scrollX) * (1 << -z);
        point.y = (point.y + frame->scrollY) * (1 << -z);
    }
    point.x = std::max(0, std::min<std::int32_t>(point.x, frame->canvasWidth - 1));
    point.y = std::max(0, std::min<std::int32_t>(point.y, frame->canvasHeight - 1));
}

void SketchDocument::releaseTool(Tool*& tool) {
    toolFactory.release(*this, tool);
    tool = nullptr;
}

void SketchDocument::clearDocument() {
    if (activeTool) releaseTool(activeTool);
    for (Tool* entry = historyHead; entry;) {
        Tool* following = entry->next;
        toolFactory.release(*this, entry);
        entry = following;
    }
    historyHead = historyCursor = nullptr;
    earlierStates.clear();
    modified = false;
    documentPath.clear();
    if (frame) {
        frame->resetScroll();
        frame->updateOptionBar();
    }
    clearSelection();
    canvas.clear();
}
