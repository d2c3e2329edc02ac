#include "app/qt/button_bar.h"

#include <QAction>
#include <QImage>
#include <QToolButton>
#include <cmath>

#include "app/qt/xrgb_rows.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"

namespace {

// Any picture the frame hands over, as 32-bit pixels; palettised pictures
// go through their colour table. Pixels that the mask has white are left
// transparent.
QImage toImage(const platform::Bitmap& picture, const platform::Bitmap* mask) {
    const std::int32_t w = picture.width(), h = picture.height();
    std::unique_ptr<platform::Bitmap> plain;
    const platform::Bitmap* source = &picture;
    if (picture.bitCount() != 24) {
        plain = platform::Bitmap::createCompatible(w, h);
        if (!plain) return QImage();
        platform::Surface from(const_cast<platform::Bitmap*>(&picture));
        platform::Surface(plain.get()).blit(0, 0, w, h, from, 0, 0);
        source = plain.get();
    }
    QImage image(w, h, QImage::Format_ARGB32);
    if (image.isNull()) return image;
    copyAsXrgb(*source, RECT{0, 0, w, h}, image.bits(), image.bytesPerLine());
    if (mask && mask->width() >= w && mask->height() >= h) {
        platform::Surface masks(const_cast<platform::Bitmap*>(mask));
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                if (masks.pixel(x, y) == 0xFFFFFF) image.setPixel(x, y, 0);
    }
    return image;
}

}  // namespace

ButtonBar::ButtonBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {
    setObjectName(title);
    setMovable(false);
    setFloatable(false);
    // A button without a picture shows its name instead.
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

ButtonBar::~ButtonBar() = default;

void ButtonBar::addButton(std::int32_t command, const QString& name) {
    QAction* action = addAction(name);
    action->setCheckable(true);
    action->setToolTip(name);
    if (QWidget* widget = widgetForAction(action)) widget->setAccessibleName(name);
    buttons_[command].action = action;
    connect(action, &QAction::triggered, this, [this, command] {
        // Qt flips a checkable button on every click; the frame says what it shows.
        Button& b = buttons_[command];
        b.action->setChecked(b.pressed);
        emit commandTriggered(command);
    });
}

QAction* ButtonBar::action(std::int32_t command) const {
    const auto it = buttons_.find(command);
    return it == buttons_.end() ? nullptr : it->second.action;
}

QToolButton* ButtonBar::button(std::int32_t command) const {
    QAction* a = action(command);
    return a ? qobject_cast<QToolButton*>(widgetForAction(a)) : nullptr;
}

bool ButtonBar::isButtonPressed(std::int32_t command) const {
    const auto it = buttons_.find(command);
    return it != buttons_.end() && it->second.pressed;
}

bool ButtonBar::isButtonVisible(std::int32_t command) const {
    QAction* a = action(command);
    return a && a->isVisible();
}

QPixmap ButtonBar::image(std::int32_t image) const {
    if (image < 0 || std::size_t(image) >= images_.size()) return QPixmap();
    return images_[std::size_t(image)];
}

void ButtonBar::setButtonEnabled(std::int32_t command, bool enabled) {
    if (QAction* a = action(command)) a->setEnabled(enabled);
}

bool ButtonBar::isButtonEnabled(std::int32_t command) const {
    QAction* a = action(command);
    return !a || a->isEnabled();
}

void ButtonBar::setButtonPressed(std::int32_t command, bool pressed) {
    const auto it = buttons_.find(command);
    if (it == buttons_.end()) return;
    it->second.pressed = pressed;
    it->second.action->setChecked(pressed);
}

void ButtonBar::setButtonVisible(std::int32_t command, bool visible) {
    if (QAction* a = action(command)) a->setVisible(visible);
}

void ButtonBar::setButtonImage(std::int32_t command, std::int32_t image) {
    const auto it = buttons_.find(command);
    if (it == buttons_.end()) return;
    it->second.image = image;
    showImage(it->second);
}

std::int32_t ButtonBar::buttonImage(std::int32_t command) const {
    const auto it = buttons_.find(command);
    return it == buttons_.end() ? -1 : it->second.image;
}

void ButtonBar::showImage(Button& button) {
    const QPixmap pixmap = image(button.image);
    button.action->setIcon(pixmap.isNull() ? QIcon() : QIcon(pixmap));
}

std::int32_t ButtonBar::addImage(const platform::Bitmap& picture, std::int32_t maskResource) {
    const platform::Bitmap* mask = maskSource_ ? maskSource_(maskResource) : nullptr;
    const QImage image = toImage(picture, mask);
    if (image.isNull()) return -1;
    // Pixel pictures grow by whole factors without smoothing, and are shown
    // one image pixel to one device pixel.
    const qreal ratio = devicePixelRatioF();
    const int factor = std::max(1, int(std::lround(ratio)));
    QPixmap pixmap =
        QPixmap::fromImage(image.scaled(image.width() * factor, image.height() * factor,
                                        Qt::IgnoreAspectRatio, Qt::FastTransformation));
    pixmap.setDevicePixelRatio(ratio);
    const QSize shown = (QSizeF(pixmap.size()) / ratio).toSize();
    if (shown.width() > iconSize().width() || shown.height() > iconSize().height())
        setIconSize(shown.expandedTo(iconSize()));
    images_.push_back(pixmap);
    const auto index = std::int32_t(images_.size() - 1);
    // A button that was waiting for this index shows it now.
    for (auto& [command, button] : buttons_)
        if (button.image == index) showImage(button);
    return index;
}

void ButtonBar::removeImage(std::int32_t image) {
    if (image < 0 || std::size_t(image) >= images_.size()) return;
    images_[std::size_t(image)] = QPixmap();
}
