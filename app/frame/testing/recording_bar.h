#pragma once

#include <map>
#include <vector>

#include "app/frame/frame_bar.h"

// A bar without widgets that remembers the state the frame gave each button.
class RecordingBar : public FrameBar {
  public:
    struct Button {
        bool enabled = true;
        bool pressed = false;
        bool visible = true;
        std::int32_t image = -1;
    };

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
    std::int32_t addImage(const platform::Bitmap&, std::int32_t) override {
        images.push_back(true);
        return std::int32_t(images.size()) - 1;
    }
    void removeImage(std::int32_t image) override {
        if (image >= 0 && std::size_t(image) < images.size()) images[std::size_t(image)] = false;
    }

    std::map<std::int32_t, Button> buttons;
    std::vector<bool> images;  // true while the image is in the list
    int enableChanges = 0;
};
