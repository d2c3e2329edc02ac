#include "app/frame/popup_palette.h"

#include "app/frame/pictures/picture_library.h"
#include "platform/gdi/bitmap.h"

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
