#include "app/frame/headless_main_window.h"

#include "platform/window/headless_window.h"

HeadlessMainWindow::HeadlessMainWindow(std::int32_t width, std::int32_t height,
                                       platform::HeadlessWindow& view)
    : width_(width), height_(height), view_(view) {}

void HeadlessMainWindow::placeCanvasView(const RECT& area) {
    viewArea_ = area;
    const RECT client = view_.clientRect();
    const std::int32_t width = area.right - area.left, height = area.bottom - area.top;
    // Only a new size costs a new backing store and a repaint. A view
    // squeezed to nothing keeps its last store: a window needs some area.
    if (width == client.right && height == client.bottom) return;
    if (width >= 1 && height >= 1) view_.resize(width, height);
}

void HeadlessMainWindow::setClientSize(std::int32_t width, std::int32_t height) {
    width_ = width;
    height_ = height;
}
