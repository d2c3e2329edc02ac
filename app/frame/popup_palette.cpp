#include "app/frame/popup_palette.h"

#include <algorithm>

#include "app/frame/pictures/picture_library.h"
#include "platform/gdi/bitmap.h"

namespace {

// One axis of `keepPopupInside`: `start` moved so that [start, start +
// extent) lies within [low, high) when it fits there, unchanged otherwise.
std::int32_t keepWithin(std::int32_t start, std::int32_t extent, std::int32_t low,
                        std::int32_t high) {
    if (extent > high - low) return start;
    return std::clamp(start, low, high - extent);
}

// One axis: inside the window where it fits, then on the screen.
std::int32_t placeAxis(std::int32_t start, std::int32_t extent, std::int32_t windowLow,
                       std::int32_t windowHigh, std::int32_t screenLow, std::int32_t screenHigh) {
    start = keepWithin(start, extent, windowLow, windowHigh);
    if (extent > screenHigh - screenLow) return screenLow;
    return keepWithin(start, extent, screenLow, screenHigh);
}

}  // namespace

PopupPalette::PopupPalette(std::string name) {
    request_.name = std::move(name);
}

PopupPalette::~PopupPalette() = default;

void PopupPalette::appendText(std::u16string_view text, bool checked) {
    if (checked) request_.checked = int(request_.items.size());
    platform::PopupItem item;
    item.text = std::u16string(text);
    request_.items.push_back(std::move(item));
}

std::u16string_view PopupPalette::itemText(std::size_t index) const {
    if (index >= request_.items.size()) return {};
    return request_.items[index].text;
}

BitmapPalette::BitmapPalette(std::string name) : PopupPalette(std::move(name)) {}

BitmapPalette::~BitmapPalette() = default;

void BitmapPalette::appendBitmap(std::int32_t id, bool checked) {
    if (checked) request_.checked = int(request_.items.size());
    pictures_.push_back(loadPicture(id));
    platform::PopupItem item;
    item.picture = pictures_.back().get();
    item.pictureId = id;
    request_.items.push_back(std::move(item));
}

POINT keepPopupInside(POINT wanted, SIZE size, const RECT& window, const RECT& screen) {
    return POINT{
        placeAxis(wanted.x, size.cx, window.left, window.right, screen.left, screen.right),
        placeAxis(wanted.y, size.cy, window.top, window.bottom, screen.top, screen.bottom)};
}
