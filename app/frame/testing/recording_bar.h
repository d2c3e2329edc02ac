#pragma once

#include <map>
#include <vector>

#include "app/frame/frame_bar.h"

// A bar without widgets that remembers the state the frame gave each button,
// whether the bar has the button or not.
class RecordingBar : public FrameBar {
  public:
    struct Button {
        bool enabled = true;
        bool pressed = false;
        bool visible = true;
        std::int32_t image = -1;
    };

    std::int32_t addImage(std::int32_t pictureId, const platform::Bitmap&,
                          const platform::Bitmap*) override {
        images.push_back(true);
        pictureIds.push_back(pictureId);
        return std::int32_t(images.size()) - 1;
    }
    void removeImage(std::int32_t image) override {
        if (image >= 0 && std::size_t(image) < images.size()) images[std::size_t(image)] = false;
    }
    void addButton(std::int32_t command, std::int32_t image, std::int32_t) override {
        buttons[command].image = image;
        order.push_back(command);
    }
    bool hasButton(std::int32_t command) const override { return buttons.count(command) != 0; }
    void setButtonEnabled(std::int32_t command, bool enabled) override {
        buttons[command].enabled = enabled;
        ++enableChanges;
    }
    bool isButtonEnabled(std::int32_t command) const override {
        const auto it = buttons.find(command);
        return it == buttons.end() || it->second.enabled;
    }
    void setButtonPressed(std::int32_t command, bool pressed) override {
        buttons[command].pressed = pressed;
    }
    void setButtonVisible(std::int32_t command, bool visible) override {
        buttons[command].visible = visible;
    }
    void setButtonImage(std::int32_t command, std::int32_t image) override {
        buttons[command].image = image;
    }
    std::int32_t buttonImage(std::int32_t command) const override {
        const auto it = buttons.find(command);
        return it == buttons.end() ? -1 : it->second.image;
    }
    bool buttonRect(std::int32_t command, RECT& rect) const override {
        if (!hasButton(command)) return false;
        rect = RECT{0, 0, 18, 17};
        return true;
    }
    bool isVisible() const override { return barVisible; }
    void setVisible(bool shown) override { barVisible = shown; }
    std::int32_t height() const override { return 21; }
    void place(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}

    std::map<std::int32_t, Button> buttons;
    std::vector<std::int32_t> order;       // commands in the order buttons were added
    std::vector<bool> images;              // true while the image is in the list
    std::vector<std::int32_t> pictureIds;  // by image index
    bool barVisible = true;
    int enableChanges = 0;
};
