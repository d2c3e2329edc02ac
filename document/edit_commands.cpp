#include <new>
#include <utility>

#include "app/frame/main_frame.h"
#include "app/frame/memory_error.h"
#include "document/bitmap_file.h"
#include "document/floating_placement.h"
#include "document/sketch_document.h"
#include "platform/clipboard/system_clipboard.h"
#include "platform/files/file.h"
#include "platform/gdi/bitmap.h"
#include "tools/flip_tool.h"
#include "tools/floating_image_tool.h"

namespace {
// The picture crosses a change of canvas size through this file. It is an
// uncropped 24-bit bitmap, so the crossing loses nothing.
constexpr const char16_t* resizeCarrier = u"\\Temp\\hibernate_sketch.bmp";
}  // namespace

void SketchDocument::copySelection() {
    if (clipboard) {
        clipboard->release();
        clipboard.reset();
    }
    RECT area;
    if (!selectionArea(area)) return;
    clipboard.reset(new (std::nothrow) RasterImage);
    bool copied = false;
    if (clipboard) {
        // The selection itself is clamped to the picture by the copy.
        RECT& edited = (activeTool && activeTool->hasFlag(ToolFlags::Floating)) ? area : selection;
        copied = canvas.copyRegionToImage(edited, *clipboard);
    }
    if (!copied) {
        showMemoryError();
        return;
    }
    // Other programs paste the copy too.
    if (clipboard->bitmap) platform::systemClipboard().setPicture(*clipboard->bitmap);
}

void SketchDocument::cutSelection() {
    RECT area;
    if (selectionArea(area)) copySelection();
    eraseSelection();
}

void SketchDocument::eraseSelection() {
    RECT area;
    Tool* clear = selectionArea(area) ? toolFactory.acquire(*this, ToolId::ClearArea) : nullptr;
    if (clear) {
        clear->setBounds(area);
        pushHistory(clear);
        modified = true;
    }
    const bool framed = selectionActive || (activeTool && activeTool->hasFlag(ToolFlags::Floating));
    if (selectionActive) clearSelection();
    if (activeTool && activeTool->hasFlag(ToolFlags::Floating)) releaseTool(activeTool);
    // Drawn once the selection has gone, so its frame does not stay on show.
    if (clear || framed) redraw(true, true, nullptr, nullptr);
}

// Floats an image freshly loaded into `tool` at the canvas point under view
// point (10, 10), as Paste and Import do.
void SketchDocument::placeFloatingImage(Tool* tool) {
    placeFloatingImageAt(*this, *tool, POINT{10, 10}, false);
}

void SketchDocument::pasteClipboard() {
    // A picture another program copied is newer than the program's own copy.
    // One larger than the canvas gives its top-left part, as a smaller
    // canvas keeps of the picture.
    platform::SystemClipboard& shared = platform::systemClipboard();
    if (shared.holdsOtherProgramsImage()) {
        if (auto picture = shared.picture(canvas.width(), canvas.height())) {
            floatPicture(*this, std::move(picture), POINT{10, 10});
            return;
        }
    }
    if (!clipboard) return;
    auto* tool = static_cast<FloatingImageTool*>(toolFactory.acquire(*this, ToolId::FloatingImage));
    if (!tool) return;
    if (!tool->takeImage(*this, *clipboard)) {
        toolFactory.release(*this, tool);
        return;
    }
    placeFloatingImage(tool);
    modified = true;
}

void SketchDocument::flipSelection(bool horizontal) {
    const RECT area = activeTool ? activeTool->bounds : selection;
    auto* flip = static_cast<FlipTool*>(toolFactory.acquire(*this, ToolId::Flip));
    if (!flip) return;
    flip->setBounds(area);
    flip->horizontal = horizontal;
    flattenHistory();
    activeTool = flip;
    applyToolResult(ToolResult::Commit);
}

void SketchDocument::setCanvasSize(std::uint16_t width, std::uint16_t height) {
    frame->canvasWidth = width;
    frame->canvasHeight = height;
    resizeCanvas(false);
}

void SketchDocument::resizeCanvas(bool keepPicture) {
    flattenHistory();
    const std::uint16_t oldWidth = canvas.width(), oldHeight = canvas.height();
    if (keepPicture && !writeBitmapFileUncropped(canvas, resizeCarrier)) {
        // The canvas keeps its size, so the frame must too: stylus points
        // are clamped to the frame's size.
        frame->canvasWidth = oldWidth;
        frame->canvasHeight = oldHeight;
        frame->updateScrollRange();
        return;
    }
    canvas.create(frame->canvasWindow, frame->canvasWidth, frame->canvasHeight,
                  Canvas::defaultViewWidth, Canvas::defaultViewHeight);
    // The earlier states were pictures of the old size; the history starts
    // again with the picture the new size keeps.
    earlierStates.clear();
    frame->updateScrollRange();
    if (!keepPicture) return;
    if (auto* tool =
            static_cast<FloatingImageTool*>(toolFactory.acquire(*this, ToolId::FloatingImage))) {
        if (tool->loadBitmap(*this, resizeCarrier)) {
            activeTool = tool;
            const ToolResult result = tool->onPointerButton(*this, POINT{0, 0}, true);
            flattenHistory();
            earlierStates.clear();
            clearSelection();
            applyToolResult(result);
        } else {
            toolFactory.release(*this, tool);
        }
    }
    platform::deleteFile(resizeCarrier);
}
