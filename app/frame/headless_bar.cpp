#include "app/frame/headless_bar.h"

std::int32_t HeadlessBar::addImage(std::int32_t pictureId, const platform::Bitmap&,
                                   const platform::Bitmap*) {
    images_.push_back(pictureId);
    return std::int32_t(images_.size()) - 1;
}

void HeadlessBar::removeImage(std::int32_t image) {
    if (image >= 0 && std::size_t(image) < images_.size()) images_[std::size_t(image)] = -1;
}

void HeadlessBar::addButton(std::int32_t command, std::int32_t image, std::int32_t data) {
    Button button;
    button.command = command;
    button.image = image;
    button.data = data;
    buttons_.push_back(button);
}

const HeadlessBar::Button* HeadlessBar::find(std::int32_t command) const {
    for (const Button& button : buttons_)
        if (button.command == command) return &button;
    return nullptr;
}

HeadlessBar::Button* HeadlessBar::findMutable(std::int32_t command) {
    for (Button& button : buttons_)
        if (button.command == command) return &button;
    return nullptr;
}

void HeadlessBar::setButtonEnabled(std::int32_t command, bool enabled) {
    if (Button* button = findMutable(command)) button->enabled = enabled;
}

bool HeadlessBar::isButtonEnabled(std::int32_t command) const {
    const Button* button = find(command);
    return button && button->enabled;
}

void HeadlessBar::setButtonPressed(std::int32_t command, bool pressed) {
    if (Button* button = findMutable(command)) button->pressed = pressed;
}

void HeadlessBar::setButtonVisible(std::int32_t command, bool visible) {
    if (Button* button = findMutable(command)) button->visible = visible;
}

void HeadlessBar::setButtonImage(std::int32_t command, std::int32_t image) {
    if (Button* button = findMutable(command)) button->image = image;
}

std::int32_t HeadlessBar::buttonImage(std::int32_t command) const {
    const Button* button = find(command);
    return button ? button->image : -1;
}

bool HeadlessBar::buttonRect(std::int32_t command, RECT& rect) const {
    std::int32_t left = placement_.left;
    for (const Button& button : buttons_) {
        if (!button.visible) continue;
        if (button.command == command) {
            const std::int32_t top = placement_.top + 2;
            rect = RECT{left, top, left + buttonWidth, top + buttonHeight};
            return true;
        }
        left += buttonWidth;
    }
    return false;
}

void HeadlessBar::place(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    placement_ = RECT{x, y, x + width, y + height};
}

std::int32_t HeadlessBar::pictureIdOf(std::int32_t image) const {
    if (image < 0 || std::size_t(image) >= images_.size()) return -1;
    return images_[std::size_t(image)];
}
