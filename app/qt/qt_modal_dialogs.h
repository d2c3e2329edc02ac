#pragma once

#include <cstdint>

#include "platform/dialogs/modal_dialogs.h"

class QPoint;
class QWidget;

// The program's modal dialogs on a Qt desktop: the colour picker and the
// opacity slider as pop-ups under their option-bar buttons (`PixelPopup`),
// the Canvas Size dialog as an ordinary dialog of number fields, and the
// About box. Install it with `platform::setModalDialogs`.
class QtModalDialogs final : public platform::ModalDialogs {
  public:
    int runPixelDialog(platform::Window* owner, platform::PixelDialog& dialog) override;
    int runNumberFields(platform::NumberFieldsRequest& request) override;
    int runAboutBox(const platform::AboutBoxRequest& request) override;

    // Where a pop-up of `owner`'s window opens for the option-bar button of
    // `command`, in global coordinates; false when the window has no such
    // button.
    static bool anchorOrigin(QWidget* window, std::int32_t command, QPoint& origin);
};
