#pragma once

#include <cstdint>
#include <vector>

#include "app/frame/frame_bar.h"

// A bar without widgets: it keeps every button's state and the resource id
// of every picture in its image list, so the command-line driver and tests
// can show exactly what a real bar would. Buttons sit side by side from the
// bar's left edge, hidden ones taking no room; screen coordinates are the
// main window's client coordinates.
class HeadlessBar : public FrameBar {
  public:
    static constexpr std::int32_t buttonWidth = 18;
    static constexpr std::int32_t buttonHeight = 17;
    // A row of buttons with two pixels of border above and below.
    static constexpr std::int32_t barHeight = buttonHeight + 4;

    struct Button {
        std::int32_t command = 0;
        std::int32_t image = -1;
        std::int32_t data = 0;
        bool enabled = true;
        bool pressed = false;
        bool visible = true;
    };

    std::int32_t addImage(std::int32_t pictureId, const platform::Bitmap& picture,
                          const platform::Bitmap* mask) override;
    void removeImage(std::int32_t image) override;
    void addButton(std::int32_t command, std::int32_t image, std::int32_t data) override;
    bool hasButton(std::int32_t command) const override { return find(command) != nullptr; }
    void setButtonEnabled(std::int32_t command, bool enabled) override;
    bool isButtonEnabled(std::int32_t command) const override;
    void setButtonPressed(std::int32_t command, bool pressed) override;
    void setButtonVisible(std::int32_t command, bool visible) override;
    void setButtonImage(std::int32_t command, std::int32_t image) override;
    std::int32_t buttonImage(std::int32_t command) const override;
    bool buttonRect(std::int32_t command, RECT& rect) const override;
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    std::int32_t height() const override { return barHeight; }
    void place(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) override;

    const std::vector<Button>& buttons() const { return buttons_; }
    const Button* find(std::int32_t command) const;
    // The resource id of the picture in slot `image`; -1 for an empty or
    // unknown slot.
    std::int32_t pictureIdOf(std::int32_t image) const;
    // Where the bar was last placed.
    RECT placement() const { return placement_; }

  private:
    Button* findMutable(std::int32_t command);

    std::vector<Button> buttons_;
    std::vector<std::int32_t> images_;  // picture ids, -1 for freed slots
    bool visible_ = true;
    RECT placement_{};
};
