#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/types.h"

namespace platform {

class Bitmap;
class Window;

// One item of a pop-up menu: a line of text, or a picture shown at its own
// size with the rest of the item left in the menu's background colour.
struct PopupItem {
    std::u16string text;
    const Bitmap* picture = nullptr;  // not owned; only while the menu is shown
    std::int32_t pictureId = -1;      // the picture's resource id, for records
};

// A pop-up menu to show once, at a point, with at most one item checked.
// Picture menus show their checked item through its picture rather than a
// check mark.
struct PopupMenuRequest {
    // What the menu is for ("zoom", "widths"); shells may ignore it.
    std::string name;
    Window* owner = nullptr;
    POINT at{};  // screen coordinates of the menu's top-left corner
    std::vector<PopupItem> items;
    int checked = -1;  // -1 when no item is checked
};

// Pop-up menus that return the chosen item instead of sending a command. The
// call returns when the user has chosen or dismissed the menu.
class PopupMenus {
  public:
    virtual ~PopupMenus() = default;
    // The chosen item's index, or -1 when the menu was dismissed.
    virtual int track(const PopupMenuRequest& request) = 0;
};

// The pop-up menus the program currently shows. Until some are installed
// (and after `setPopupMenus(nullptr)`) every menu is dismissed at once. The
// pointer is not owned.
PopupMenus& popupMenus();
void setPopupMenus(PopupMenus* installed);

}  // namespace platform
