#pragma once

#include <QPixmap>
#include <QToolBar>
#include <cstdint>
#include <map>
#include <vector>

#include "app/frame/frame_bar.h"

class QAction;
class QToolButton;

// A bar of command buttons as the frame drives it: each button has a command
// id, a picture from the bar's image list, and the pressed, enabled and
// visible states the frame gives it. Pressing a button only reports its
// command; whether it stays pressed is the frame's decision. The frame also
// places the bar (`place`) and shows or hides it (`setVisible`).
class ButtonBar final : public QToolBar, public FrameBar {
    Q_OBJECT

  public:
    explicit ButtonBar(const QString& title, QWidget* parent = nullptr);
    ~ButtonBar() override;

    // What a button is called in its tool tip and by screen readers.
    static QString buttonName(std::int32_t command);

    // Null for a command the bar has no button for.
    QAction* action(std::int32_t command) const;
    QToolButton* button(std::int32_t command) const;
    bool isButtonPressed(std::int32_t command) const;
    bool isButtonVisible(std::int32_t command) const;
    // The picture image `image` shows, null when removed or never added.
    QPixmap image(std::int32_t image) const;
    // The resource id image `image` was made from; -1 for an empty slot.
    std::int32_t pictureIdOf(std::int32_t image) const;

    // FrameBar
    std::int32_t addImage(std::int32_t pictureId, const platform::Bitmap& picture,
                          const platform::Bitmap* mask) override;
    void removeImage(std::int32_t image) override;
    void addButton(std::int32_t command, std::int32_t image, std::int32_t data) override;
    bool hasButton(std::int32_t command) const override;
    void setButtonEnabled(std::int32_t command, bool enabled) override;
    bool isButtonEnabled(std::int32_t command) const override;
    void setButtonPressed(std::int32_t command, bool pressed) override;
    void setButtonVisible(std::int32_t command, bool visible) override;
    void setButtonImage(std::int32_t command, std::int32_t image) override;
    std::int32_t buttonImage(std::int32_t command) const override;
    bool buttonRect(std::int32_t command, RECT& rect) const override;
    // Whether the bar is shown in its window (it is, before the window
    // itself is shown, when nobody hid it).
    bool isVisible() const override;
    void setVisible(bool visible) override;
    // The bar's own height: one row of buttons.
    std::int32_t height() const override;
    void place(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) override;

  signals:
    void commandTriggered(int command);

  private:
    struct Button {
        QAction* action = nullptr;
        bool pressed = false;
        std::int32_t image = -1;
    };
    struct Image {
        QPixmap pixmap;
        std::int32_t pictureId = -1;
    };
    void showImage(Button& button);

    std::map<std::int32_t, Button> buttons_;
    // Indices stay valid when an image is removed: its slot is only emptied.
    std::vector<Image> images_;
};
