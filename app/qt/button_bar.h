#pragma once

#include <QPixmap>
#include <QToolBar>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "app/frame/frame_bar.h"

class QAction;
class QToolButton;

// A bar of command buttons as the frame drives it: each button has a
// command id, a picture from the bar's image list (or its name while it has
// none), and the pressed, enabled and visible states the frame gives it.
// Pressing a button only reports its command; whether it stays pressed is
// the frame's decision.
class ButtonBar final : public QToolBar, public FrameBar {
    Q_OBJECT

  public:
    // Finds the mask picture a resource id names; null when there is none.
    using MaskSource = std::function<const platform::Bitmap*(std::int32_t resource)>;

    explicit ButtonBar(const QString& title, QWidget* parent = nullptr);
    ~ButtonBar() override;

    // Appends a button; `name` is its tool tip, its accessible name and
    // what it shows until it gets a picture.
    void addButton(std::int32_t command, const QString& name);
    void setMaskSource(MaskSource source) { maskSource_ = std::move(source); }

    // Null for a command the bar has no button for.
    QAction* action(std::int32_t command) const;
    QToolButton* button(std::int32_t command) const;
    bool isButtonPressed(std::int32_t command) const;
    bool isButtonVisible(std::int32_t command) const;
    // The picture image `image` shows, null when removed or never added.
    QPixmap image(std::int32_t image) const;

    // FrameBar
    void setButtonEnabled(std::int32_t command, bool enabled) override;
    bool isButtonEnabled(std::int32_t command) const override;
    void setButtonPressed(std::int32_t command, bool pressed) override;
    void setButtonVisible(std::int32_t command, bool visible) override;
    void setButtonImage(std::int32_t command, std::int32_t image) override;
    std::int32_t buttonImage(std::int32_t command) const override;
    std::int32_t addImage(const platform::Bitmap& picture, std::int32_t maskResource) override;
    void removeImage(std::int32_t image) override;

  signals:
    void commandTriggered(int command);

  private:
    struct Button {
        QAction* action = nullptr;
        bool pressed = false;
        std::int32_t image = -1;
    };
    void showImage(Button& button);

    std::map<std::int32_t, Button> buttons_;
    // Indices stay valid when an image is removed: its slot is only emptied.
    std::vector<QPixmap> images_;
    MaskSource maskSource_;
};
