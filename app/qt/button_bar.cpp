#include "app/qt/button_bar.h"

#include <QAction>
#include <QImage>
#include <QToolButton>

#include "app/frame/command_ids.h"
#include "app/qt/pixel_pictures.h"
#include "platform/gdi/bitmap.h"

ButtonBar::ButtonBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {
    setObjectName(title);
    setAccessibleName(title);
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The pictures set the buttons' size as they come.
    setIconSize(QSize(1, 1));
}

ButtonBar::~ButtonBar() = default;

QString ButtonBar::buttonName(std::int32_t command) {
    switch (command) {
        case ToolCommand::Pencil:
            return QStringLiteral("Pencil");
        case ToolCommand::Airbrush:
            return QStringLiteral("Airbrush");
        case ToolCommand::Smudge:
            return QStringLiteral("Smudge");
        case ToolCommand::Rectangle:
            return QStringLiteral("Shapes");
        case ToolCommand::Eraser:
            return QStringLiteral("Eraser");
        case ToolCommand::Text:
            return QStringLiteral("Text");
        case ToolCommand::Fill:
            return QStringLiteral("Fill");
        case ToolCommand::Selection:
            return QStringLiteral("Selection");
        case ToolCommand::Hand:
            return QStringLiteral("Hand");
        case OptionCommand::Size:
            return QStringLiteral("Size");
        case OptionCommand::Opacity:
            return QStringLiteral("Opacity");
        case OptionCommand::Colour:
            return QStringLiteral("Colour");
        case OptionCommand::Eyedropper:
            return QStringLiteral("Eyedropper");
        case OptionCommand::Grid:
            return QStringLiteral("Snap grid");
        case OptionCommand::Zoom:
            return QStringLiteral("Zoom");
        case OptionCommand::Font:
            return QStringLiteral("Font");
        case OptionCommand::FontSize:
            return QStringLiteral("Font size");
        case OptionCommand::Undo:
            return QStringLiteral("Undo");
        case OptionCommand::Redo:
            return QStringLiteral("Redo");
        case MenuCommand::ToggleToolBar:
            return QStringLiteral("Tool bar");
        case MenuCommand::ToggleOptionBar:
            return QStringLiteral("Option bar");
        default:
            return QString::number(command);
    }
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
    return images_[std::size_t(image)].pixmap;
}

std::int32_t ButtonBar::pictureIdOf(std::int32_t image) const {
    if (image < 0 || std::size_t(image) >= images_.size()) return -1;
    return images_[std::size_t(image)].pictureId;
}

std::int32_t ButtonBar::addImage(std::int32_t pictureId, const platform::Bitmap& picture,
                                 const platform::Bitmap* mask) {
    const QPixmap pixmap = toPixmap(toImage(picture, mask), devicePixelRatioF());
    if (pixmap.isNull()) return -1;
    const QSize shown = pixmap.deviceIndependentSize().toSize();
    if (shown.width() > iconSize().width() || shown.height() > iconSize().height())
        setIconSize(shown.expandedTo(iconSize()));
    images_.push_back(Image{pixmap, pictureId});
    const auto index = std::int32_t(images_.size() - 1);
    // A button that was waiting for this index shows it now.
    for (auto& [command, button] : buttons_)
        if (button.image == index) showImage(button);
    return index;
}

void ButtonBar::removeImage(std::int32_t image) {
    if (image < 0 || std::size_t(image) >= images_.size()) return;
    images_[std::size_t(image)] = Image{};
}

void ButtonBar::addButton(std::int32_t command, std::int32_t image, std::int32_t) {
    const QString name = buttonName(command);
    QAction* action = addAction(name);
    action->setCheckable(true);
    action->setToolTip(name);
    if (QWidget* widget = widgetForAction(action)) widget->setAccessibleName(name);
    Button& button = buttons_[command];
    button.action = action;
    button.image = image;
    showImage(button);
    connect(action, &QAction::triggered, this, [this, command] {
        // Qt flips a checkable button on every click; the frame says what it shows.
        Button& b = buttons_[command];
        b.action->setChecked(b.pressed);
        emit commandTriggered(command);
    });
}

bool ButtonBar::hasButton(std::int32_t command) const {
    return buttons_.count(command) != 0;
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

bool ButtonBar::buttonRect(std::int32_t command, RECT& rect) const {
    const QToolButton* b = button(command);
    if (!b) return false;
    const QPoint topLeft = b->mapToGlobal(QPoint(0, 0));
    rect = RECT{topLeft.x(), topLeft.y(), topLeft.x() + b->width(), topLeft.y() + b->height()};
    return true;
}

bool ButtonBar::isVisible() const {
    return !isHidden();
}

void ButtonBar::setVisible(bool visible) {
    QToolBar::setVisible(visible);
}

std::int32_t ButtonBar::height() const {
    return sizeHint().height();
}

void ButtonBar::place(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    setGeometry(x, y, width, height);
}
