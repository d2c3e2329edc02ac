#pragma once

#include "platform/dialogs/popup_menus.h"

// The pop-up palettes as Qt pop-up menus: text items with the check mark,
// picture items at the picture's own size (grown by a whole factor on a
// screen with more device pixels to a pixel), the menu's top-left corner at
// the request's point. Install it with `platform::setPopupMenus`.
class QtPopupMenus final : public platform::PopupMenus {
  public:
    int track(const platform::PopupMenuRequest& request) override;
};
