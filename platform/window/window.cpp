#include "platform/window/window.h"

#include "platform/gdi/surface.h"

namespace platform {

void Window::presentOnRelease(Surface& surface) {
    surface.presentOnRelease(this);
}

}  // namespace platform
