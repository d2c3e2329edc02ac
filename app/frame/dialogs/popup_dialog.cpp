#include "app/frame/dialogs/popup_dialog.h"

#include "app/frame/memory_error.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"
#include "platform/text/font.h"

namespace {

// The templates' system font is 8 points, 11 pixels at 96 pixels per inch;
// the faces found on a desktop run wider than the one the layout was made
// for, so the texts are set a pixel smaller to keep clear of the controls.
constexpr std::int32_t systemFontHeight = -10;

}  // namespace

PopupDialog::PopupDialog(std::string_view name, std::int32_t anchorCommand, std::int32_t widthUnits,
                         std::int32_t heightUnits, std::span<const StaticText> statics)
    : name_(name), anchorCommand_(anchorCommand), statics_(statics) {
    client_ = platform::Bitmap::createCompatible(dialogUnitsToPixels(widthUnits),
                                                 dialogUnitsToPixels(heightUnits));
    if (!client_) {
        showMemoryError();
        return;
    }
    invalid_ = client_->bounds();
}

PopupDialog::~PopupDialog() = default;

void PopupDialog::invalidate(const RECT& area) {
    if (!client_) return;
    const RECT clipped = platform::intersect(area, client_->bounds());
    if (platform::isEmpty(clipped)) return;
    invalid_ = platform::unite(invalid_, clipped);
}

void PopupDialog::paint() {
    if (!client_ || !needsPaint()) return;
    platform::Surface surface(client_.get());
    surface.setClipRect(invalid_);
    if (eraseNeeded_) {
        // The first paint shows the window itself: its background and the
        // template's static texts, which later repaints never cover.
        surface.fillRect(invalid_, platform::Brush::solid(surface.backgroundColour()));
        if (auto font = platform::Font::create(u"", systemFontHeight)) {
            surface.selectFont(font.get());
            surface.setTextColour(0x000000);
            surface.setBackgroundMode(platform::BackgroundMode::Transparent);
            for (const StaticText& text : statics_)
                surface.textOut(dialogUnitsToPixels(text.x), dialogUnitsToPixels(text.y),
                                text.text);
            surface.selectFont(nullptr);
        }
        eraseNeeded_ = false;
    }
    paintControls(surface);
    invalid_ = RECT{};
}

void PopupDialog::stylusDown(std::int32_t x, std::int32_t y) {
    if (!closed_) onStylusDown(std::int16_t(x), std::int16_t(y));
}

void PopupDialog::stylusMove(std::int32_t x, std::int32_t y) {
    if (!closed_) onStylusMove(std::int16_t(x), std::int16_t(y));
}

void PopupDialog::stylusUp(std::int32_t x, std::int32_t y) {
    if (!closed_) onStylusUp(std::int16_t(x), std::int16_t(y));
}

void PopupDialog::end(int result) {
    if (closed_) return;
    freeRecord();
    closed_ = true;
    result_ = result;
    invalid_ = RECT{};
}
