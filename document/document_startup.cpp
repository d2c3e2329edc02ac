#include "document/document_startup.h"

#include "app/frame/main_frame.h"
#include "document/sketch_document.h"

void startDocument(MainFrame& frame, SketchDocument& document, platform::Window& canvasView,
                   std::uint16_t canvasWidth, std::uint16_t canvasHeight) {
    frame.canvasWindow = &canvasView;
    frame.canvasWidth = canvasWidth;
    frame.canvasHeight = canvasHeight;
    document.attachFrame(&frame);
    frame.selectTool(0);
    frame.updateScrollRange();
}
