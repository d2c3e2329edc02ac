#include "app/frame/dialogs/opacity_slider_dialog.h"

#include <algorithm>
#include <new>

#include "app/frame/main_frame.h"
#include "app/frame/memory_error.h"
#include "app/frame/pictures/picture_library.h"
#include "app/frame/tool_button_table.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"

namespace {

constexpr PopupDialog::StaticText sliderTexts[] = {
    {2, 2, u"Opacity:"}, {5, 20, u"0%"}, {55, 20, u"100%"}};

constexpr std::int32_t maxOpacity = 127;

}  // namespace

struct OpacitySliderDialog::Record {
    bool dragging = false;
    std::int16_t lastValue = -1;
    std::int16_t lastColumn = -1;
    std::unique_ptr<platform::Bitmap> knobBitmap;
};

OpacitySliderDialog::OpacitySliderDialog(MainFrame& frame)
    : PopupDialog("opacity", OptionCommand::Opacity, 80, 33, sliderTexts),
      frame_(frame),
      openingOpacity_(frame.opacity) {
    if (!client()) return;
    record_.reset(new (std::nothrow) Record);
    if (!record_) {
        showMemoryError();
        return;
    }
    record_->knobBitmap = loadPicture(PictureId::OpacityKnob);
}

OpacitySliderDialog::~OpacitySliderDialog() = default;

void OpacitySliderDialog::freeRecord() {
    record_.reset();
}

void OpacitySliderDialog::cancel() {
    // The knob may have moved the opacity already; nobody chose it.
    if (!closed()) frame_.opacity = openingOpacity_;
    PopupDialog::cancel();
}

std::int32_t OpacitySliderDialog::opacityAt(std::int32_t x, bool fromTheRight) {
    // The opacities whose knob tip lands on this column: the inverse of
    // `knobLeft`, rounded up at both ends of the column.
    const std::int32_t column = std::clamp(x, pressLeft, pressRight) - pressLeft;
    if (!fromTheRight) return std::min((column * 128 + 99) / 100, maxOpacity);
    return std::min(((column + 1) * 128 + 99) / 100 - 1, maxOpacity);
}

std::int32_t OpacitySliderDialog::knobLeft(std::uint16_t opacity) {
    return (opacity * 100 >> 7) + 8;
}

void OpacitySliderDialog::paintControls(platform::Surface& surface) {
    surface.fillRect(trackArea, platform::Brush::solid(0x000000));
    surface.fillRect(knobArea, platform::Brush::solid(surface.backgroundColour()));
    if (!record_ || !record_->knobBitmap) return;
    const platform::Surface knob(record_->knobBitmap.get());
    surface.blit(knobLeft(frame_.currentOpacity()), knobTop, record_->knobBitmap->width(),
                 record_->knobBitmap->height(), knob, 0, 0);
}

void OpacitySliderDialog::slideTo(std::int32_t x, bool fromTheRight) {
    record_->lastColumn = std::int16_t(x);
    // The value last set is the one compared with: dragging back to where
    // the knob was two steps ago must move it there too.
    const std::int32_t value = opacityAt(x, fromTheRight);
    if (value == record_->lastValue) return;
    invalidate(redrawArea);
    record_->lastValue = std::int16_t(value);
    frame_.opacity = std::uint16_t(value);
}

void OpacitySliderDialog::onStylusDown(std::int16_t x, std::int16_t y) {
    if (!record_) return;
    if (x < pressLeft || x > pressRight || y < pressTop || y > pressBottom) return;
    record_->dragging = true;
    slideTo(x, false);
}

void OpacitySliderDialog::onStylusMove(std::int16_t x, std::int16_t) {
    // While dragging only the column matters: the stylus may leave the
    // slider's rows and the knob still follows.
    if (!record_ || !record_->dragging) return;
    if (x < pressLeft || x > pressRight || x == record_->lastColumn) return;
    slideTo(x, x < record_->lastColumn);
}

void OpacitySliderDialog::onStylusUp(std::int16_t, std::int16_t) {
    // Without its record the slider cannot be used: the lift closes it
    // rather than leaving a pop-up nobody can dismiss.
    if (!record_) {
        end(platform::dialogCancel);
        return;
    }
    if (record_->dragging) end(platform::dialogOk);
}
