#include "app/frame/dialogs/canvas_size_dialog.h"
#include "app/frame/dialogs/colour_picker_dialog.h"
#include "app/frame/dialogs/opacity_slider_dialog.h"
#include "app/frame/main_frame.h"
#include "document/document.h"

// Each opener runs its dialog owned by the canvas view and tells the document
// only when the setting really changed, so an unchanged choice costs nothing.

void MainFrame::chooseColour() {
    const COLORREF before = currentColour;
    ColourPickerDialog picker(*this);
    const int result = platform::modalDialogs().runPixelDialog(canvasWindow, picker);
    if (result == platform::dialogOk && currentColour != before && document)
        document->executeCommand(DocCommand::ColourChanged, 0);
}

void MainFrame::chooseOpacity() {
    const std::uint16_t before = currentOpacity();
    OpacitySliderDialog slider(*this);
    const int result = platform::modalDialogs().runPixelDialog(canvasWindow, slider);
    if (result == platform::dialogOk && currentOpacity() != before && document)
        document->executeCommand(DocCommand::OpacityChanged, 0);
}

void MainFrame::chooseCanvasSize() {
    const std::uint16_t oldWidth = canvasWidth;
    const std::uint16_t oldHeight = canvasHeight;
    platform::NumberFieldsRequest request = canvasSizeRequest(*this, canvasWindow);
    if (platform::modalDialogs().runNumberFields(request) != platform::dialogOk) return;
    acceptCanvasSize(*this, request);
    canvasWidth = limitCanvasSide(canvasWidth);
    canvasHeight = limitCanvasSide(canvasHeight);
    if ((canvasWidth != oldWidth || canvasHeight != oldHeight) && document)
        document->executeCommand(DocCommand::CanvasSizeChanged, 0);
}
