#include <algorithm>

#include "app/frame/main_frame.h"
#include "app/frame/size_lists.h"
#include "canvas/canvas.h"
#include "document/document.h"

namespace {

constexpr std::int64_t smallestCanvasSide = 1;
constexpr std::int64_t largestCanvasSide = Canvas::maxSide;

}  // namespace

std::int32_t* MainFrame::brushSizeField() {
    switch (currentTool) {
        case ToolButton::Airbrush:
            return &airbrushSizeIndex;
        case ToolButton::Smudge:
            return &smudgeSizeIndex;
        case ToolButton::Eraser:
            return &eraserSizeIndex;
        default:
            return nullptr;
    }
}

void MainFrame::documentCommand(DocCommand command) {
    if (document) document->executeCommand(command, 0);
    updateOptionBar();
}

void MainFrame::setColour(COLORREF colour) {
    currentColour = colour;
    updateColourButton();
    if (document) document->executeCommand(DocCommand::ColourChanged, 0);
}

void MainFrame::setOpacity(std::uint16_t value) {
    opacity = value;
    if (document) document->executeCommand(DocCommand::OpacityChanged, 0);
}

void MainFrame::setLineWidth(std::int32_t width) {
    lineWidth = width;
    documentCommand(DocCommand::BrushSizeChanged);
}

bool MainFrame::setBrushSize(std::int32_t sizeIndex) {
    std::int32_t* field = brushSizeField();
    if (!field) return false;
    *field = sizeIndex;
    documentCommand(DocCommand::BrushSizeChanged);
    return true;
}

void MainFrame::setSnapGrid(std::int32_t step) {
    // The grid is square: both steps always change together.
    snapGridX = snapGridY = step;
    documentCommand(DocCommand::GridChanged);
}

void MainFrame::setFontName(std::u16string_view name) {
    // The face name field holds 63 units and its terminator; a longer name
    // is cut rather than written past the field.
    const std::size_t n = std::min(name.size(), std::size(fontName) - 1);
    std::copy_n(name.begin(), n, fontName);
    fontName[n] = 0;
    documentCommand(DocCommand::FontFaceChanged);
}

void MainFrame::setFontSize(std::int32_t size) {
    fontSize = size;
    documentCommand(DocCommand::FontSizeChanged);
}

bool MainFrame::setCanvasSize(std::int64_t width, std::int64_t height) {
    const auto w = std::uint16_t(std::clamp(width, smallestCanvasSide, largestCanvasSide));
    const auto h = std::uint16_t(std::clamp(height, smallestCanvasSide, largestCanvasSide));
    if (w == canvasWidth && h == canvasHeight) return false;
    canvasWidth = w;
    canvasHeight = h;
    documentCommand(DocCommand::CanvasSizeChanged);
    return true;
}

void MainFrame::toggleEyedropper() {
    // Picking needs a picture to pick from.
    if (!document) return;
    optionToggle = !optionToggle;
    updateOptionBar();
}

void MainFrame::stepZoom(int steps, POINT keep) {
    std::int32_t lowest = zoomList[0].value, highest = lowest;
    for (const TextEntry* entry = zoomList; entry->text; ++entry)
        highest = entry->value;
    const std::int32_t shift =
        std::clamp<std::int64_t>(std::int64_t(zoomShift) + steps, lowest, highest);
    if (shift != zoomShift) changeZoom(shift, keep);
}
