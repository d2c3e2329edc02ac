#pragma once

#include <cstdint>

class MainFrame;
class SketchDocument;
namespace platform {
class Window;
}

// What the main window's creation does once its canvas view exists: the
// frame learns the view and the canvas size, the document is attached (and
// its canvas made), the pencil is selected and the scroll range fitted to
// the view. Every shell starts a document this way.
void startDocument(MainFrame& frame, SketchDocument& document, platform::Window& canvasView,
                   std::uint16_t canvasWidth, std::uint16_t canvasHeight);
