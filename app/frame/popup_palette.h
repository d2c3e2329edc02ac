#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs/popup_menus.h"
#include "platform/gdi/types.h"

namespace platform {
class Bitmap;
}

// A pop-up palette built for one showing: text items, one of which may carry
// a check mark. `MainFrame::trackPalette` shows it through the platform's
// pop-up menus.
class PopupPalette {
  public:
    // `name` says what the palette is for ("zoom", "fontsize").
    explicit PopupPalette(std::string name);
    virtual ~PopupPalette();
    PopupPalette(const PopupPalette&) = delete;
    PopupPalette& operator=(const PopupPalette&) = delete;

    void appendText(std::u16string_view text, bool checked);
    std::size_t itemCount() const { return request_.items.size(); }
    // The text of item `index`; empty for a picture item or an index past the end.
    std::u16string_view itemText(std::size_t index) const;

    platform::PopupMenuRequest& request() { return request_; }
    const platform::PopupMenuRequest& request() const { return request_; }

  protected:
    platform::PopupMenuRequest request_;
};

// A palette of pictures, each shown at its own size. The palette owns the
// pictures while it is shown.
class BitmapPalette : public PopupPalette {
  public:
    explicit BitmapPalette(std::string name);
    ~BitmapPalette() override;

    // An item showing the picture with resource id `id`; when the picture
    // cannot be loaded the item is still there, empty, so the items keep
    // their positions.
    void appendBitmap(std::int32_t id, bool checked);

  private:
    std::vector<std::unique_ptr<platform::Bitmap>> pictures_;
};

// Where a pop-up of `size` that wants its top-left corner at `wanted` opens.
// Along each axis it is moved just far enough to lie inside `window` (the
// main window, where the user is looking) when it fits there, and then onto
// `screen`; one larger than the screen starts at the screen's top or left
// edge. A palette at a button near the window's edge thus opens in full
// beside the button instead of past the edge. All in screen coordinates.
POINT keepPopupInside(POINT wanted, SIZE size, const RECT& window, const RECT& screen);
