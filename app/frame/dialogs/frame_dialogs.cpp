#include "app/frame/dialogs/about_box.h"
#include "app/frame/dialogs/canvas_size_dialog.h"
#include "app/frame/dialogs/colour_picker_dialog.h"
#include "app/frame/dialogs/opacity_slider_dialog.h"
#include "app/frame/main_frame.h"
#include "app/frame/pictures/picture_library.h"
#include "document/document.h"
#include "platform/gdi/bitmap.h"

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
    platform::NumberFieldsRequest request = canvasSizeRequest(*this, canvasWindow);
    if (platform::modalDialogs().runNumberFields(request) == platform::dialogOk)
        acceptCanvasSize(*this, request);
}

std::int32_t MainFrame::colourButton(MainFrame& frame, std::int32_t) {
    frame.chooseColour();
    return 0;
}

std::int32_t MainFrame::opacityButton(MainFrame& frame, std::int32_t) {
    frame.chooseOpacity();
    return 0;
}

void MainFrame::showAboutBox() {
    // The box belongs to the main window, which the view is a child of. A
    // picture that cannot be loaded leaves its place empty.
    platform::AboutBoxRequest request = aboutBoxRequest(canvasWindow);
    const auto picture = loadPicture(PictureId::ProductPicture);
    request.picture = picture.get();
    platform::modalDialogs().runAboutBox(request);
}
