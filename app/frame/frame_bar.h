#pragma once

#include <cstdint>

#include "platform/gdi/types.h"

namespace platform {
class Bitmap;
}

// A bar of command buttons as the frame drives it: the tool bar, the option
// bar and the menu bar's two picture buttons. The shell implements it with
// real widgets; `HeadlessBar` keeps the same state without any. Buttons are
// named by the command they send.
class FrameBar {
  public:
    virtual ~FrameBar() = default;

    // Pictures are held in the bar's image list and named by their index.
    // `mask` is black where the picture shows and white where the bar's
    // background shows through; without one the whole picture shows.
    // `pictureId` is the picture's resource id. -1 when it cannot be added.
    virtual std::int32_t addImage(std::int32_t pictureId, const platform::Bitmap& picture,
                                  const platform::Bitmap* mask) = 0;
    // Frees the slot; the other images keep their indices.
    virtual void removeImage(std::int32_t image) = 0;

    // Appends an enabled, released button showing `image`. `data` is the
    // tool-button index of a tool button, the option's value of an option
    // button; shells may ignore it.
    virtual void addButton(std::int32_t command, std::int32_t image, std::int32_t data) = 0;
    virtual bool hasButton(std::int32_t command) const = 0;

    // Commands without a button are ignored.
    virtual void setButtonEnabled(std::int32_t command, bool enabled) = 0;
    virtual bool isButtonEnabled(std::int32_t command) const = 0;
    virtual void setButtonPressed(std::int32_t command, bool pressed) = 0;
    virtual void setButtonVisible(std::int32_t command, bool visible) = 0;
    virtual void setButtonImage(std::int32_t command, std::int32_t image) = 0;
    virtual std::int32_t buttonImage(std::int32_t command) const = 0;
    // The button's rectangle in screen coordinates, where pop-ups open;
    // false when the bar has no such button.
    virtual bool buttonRect(std::int32_t command, RECT& rect) const = 0;

    // The bar as a whole, placed in the main window's client coordinates.
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual std::int32_t height() const = 0;
    virtual void place(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) = 0;
};

// The canvas view's two scroll bars.
class ViewScrollBars {
  public:
    virtual ~ViewScrollBars() = default;
    // Range 0..maximum with the thumb at `position`; a bar that cannot
    // scroll is shown disabled rather than hidden.
    virtual void setRange(bool horizontal, std::int32_t maximum, std::int32_t position,
                          bool enabled) = 0;
    virtual void setPosition(bool horizontal, std::int32_t position) = 0;
};

// The main window as the frame arranges it: the bars go along its top and
// bottom edges and the canvas view between them.
class FrameMainWindow {
  public:
    virtual ~FrameMainWindow() = default;
    // (0, 0, width, height) of the client area.
    virtual RECT clientRect() const = 0;
    // Moves the canvas view's window, scroll bars included, to `area` of the
    // client area, above the bars where they overlap.
    virtual void placeCanvasView(const RECT& area) = 0;
};

// The items of a menu about to open, enabled or grayed by command.
class MenuEnabling {
  public:
    virtual ~MenuEnabling() = default;
    // Commands the menu does not have are ignored.
    virtual void enableItem(std::int32_t command, bool enabled) = 0;
};
