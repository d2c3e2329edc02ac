#pragma once

#include <cstdint>

namespace platform {
class Bitmap;
}

// A bar of command buttons as the frame drives it: the tool bar, the option
// bar and the menu bar. The shell implements it with real widgets; without
// one the frame keeps its state in its own fields.
class FrameBar {
  public:
    virtual ~FrameBar() = default;

    virtual void setButtonEnabled(std::int32_t command, bool enabled) = 0;
    virtual bool isButtonEnabled(std::int32_t command) const = 0;
    virtual void setButtonPressed(std::int32_t command, bool pressed) = 0;
    virtual void setButtonVisible(std::int32_t command, bool visible) = 0;
    // Images are held in the bar's image list and named by their index.
    virtual void setButtonImage(std::int32_t command, std::int32_t image) = 0;
    virtual std::int32_t buttonImage(std::int32_t command) const = 0;
    // Adds a picture to the image list; -1 when it cannot be added.
    virtual std::int32_t addImage(const platform::Bitmap& picture, std::int32_t maskResource) = 0;
    virtual void removeImage(std::int32_t image) = 0;
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
