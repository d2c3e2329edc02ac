#include "platform/dialogs/popup_menus.h"

namespace platform {

namespace {

// Dismisses every menu: without a shell nobody can choose.
class NoPopupMenus final : public PopupMenus {
  public:
    int track(const PopupMenuRequest&) override { return -1; }
};

NoPopupMenus fallbackMenus;
// Only the user-interface thread shows menus, so a plain pointer will do.
PopupMenus* thePopupMenus = nullptr;

}  // namespace

PopupMenus& popupMenus() {
    return thePopupMenus ? *thePopupMenus : fallbackMenus;
}

void setPopupMenus(PopupMenus* installed) {
    thePopupMenus = installed;
}

}  // namespace platform
