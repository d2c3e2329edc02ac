#include "app/frame/dialogs/colour_picker_dialog.h"

#include <new>

#include "app/frame/dialogs/hue_colours.h"
#include "app/frame/main_frame.h"
#include "app/frame/memory_error.h"
#include "app/frame/tool_button_table.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/bitmap_info_header.h"
#include "platform/gdi/surface.h"

namespace {

constexpr PopupDialog::StaticText pickerTexts[] = {{4, 3, u"Preview:"}};

constexpr std::int32_t hueBarPositions = 150;
constexpr std::int32_t hueBarHeight = 13;
constexpr std::int32_t markerHalf = 2;
// The hue bar's surroundings: the marker reaches two pixels above and below
// the bar, and these bands are cleared before it is drawn again.
constexpr RECT hueArea{8, 101, 162, 118};
constexpr RECT hueBands[] = {{8, 101, 162, 103}, {8, 116, 162, 118}, {8, 101, 10, 118}};

bool within(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value < high;
}

bool inColumns(const RECT& area, std::int32_t x) {
    return within(x, area.left, area.right);
}

bool inRows(const RECT& area, std::int32_t y) {
    return within(y, area.top, area.bottom);
}

std::unique_ptr<platform::Bitmap> makeHueBar() {
    auto bar = platform::Bitmap::create(platform::makeHeader24(hueBarPositions, hueBarHeight));
    if (!bar) {
        showMemoryError();
        return nullptr;
    }
    fillHueBar(*bar);
    return bar;
}

}  // namespace

struct ColourPickerDialog::Record {
    std::unique_ptr<platform::Bitmap> fieldBitmap;
    std::unique_ptr<platform::Bitmap> hueBitmap;
    std::int32_t pickX = 0;
    std::int32_t pickY = 0;
    bool pickingField = false;
    bool draggingHue = false;
    std::int16_t lastHue = -1;
};

ColourPickerDialog::ColourPickerDialog(MainFrame& frame)
    : PopupDialog("colour", OptionCommand::Colour, 96, 70, pickerTexts), frame_(frame) {
    if (!client()) return;
    auto record = std::unique_ptr<Record>(new (std::nothrow) Record);
    std::uint8_t* fieldBits = nullptr;
    if (record) {
        const RECT& f = fieldArea;
        const platform::BitmapInfoHeader fieldHeader =
            platform::makeHeader24(f.right - f.left, f.bottom - f.top);
        record->fieldBitmap = platform::Bitmap::create(fieldHeader);
        if (record->fieldBitmap) fieldBits = record->fieldBitmap->bits();
    }
    // Without its field the picker cannot show anything to pick, so it
    // keeps no record and ignores the stylus.
    if (!record || !record->fieldBitmap || !fieldBits) {
        showMemoryError();
        return;
    }
    record_ = std::move(record);
    record_->hueBitmap = makeHueBar();
}

ColourPickerDialog::~ColourPickerDialog() = default;

void ColourPickerDialog::freeRecord() {
    record_.reset();
}

void ColourPickerDialog::drawField(platform::Surface& surface) const {
    const platform::Surface field(record_->fieldBitmap.get());
    surface.blit(fieldArea.left, fieldArea.top, fieldArea.right - fieldArea.left,
                 fieldArea.bottom - fieldArea.top, field, 0, 0);
}

COLORREF ColourPickerDialog::pickedColour() const {
    const std::uint8_t* pixel = record_->fieldBitmap->row(record_->pickY - fieldArea.top) +
                                3 * (record_->pickX - fieldArea.left);
    return rgb(pixel[2], pixel[1], pixel[0]);
}

void ColourPickerDialog::paintControls(platform::Surface& surface) {
    if (!record_) return;
    fillColourField(*record_->fieldBitmap, frame_.hue * hueSteps / hueBarPositions);
    drawField(surface);
    if (record_->hueBitmap) {
        const platform::Surface bar(record_->hueBitmap.get());
        surface.blit(hueBarArea.left, hueBarArea.top, hueBarPositions, hueBarHeight, bar, 0, 0);
    }
    const auto background = platform::Brush::solid(surface.backgroundColour());
    for (const RECT& band : hueBands)
        surface.fillRect(band, background);
    const std::int32_t markerLeft = frame_.hue + hueBarArea.left - 1;
    surface.fillRect(RECT{markerLeft, hueArea.top, markerLeft + 2, hueArea.bottom},
                     platform::Brush::solid(0x000000));
    surface.fillRect(previewArea, platform::Brush::solid(frame_.currentColour));
}

// The hue last set is the one later moves compare with, so dragging back to
// where the marker was two steps ago moves it there too.
void ColourPickerDialog::changeHue(std::int32_t value) {
    invalidate(hueArea);
    record_->lastHue = std::int16_t(value);
    frame_.hue = std::uint16_t(value);
    invalidate(fieldArea);
}

void ColourPickerDialog::onStylusDown(std::int16_t x, std::int16_t y) {
    if (!record_) return;
    if (inColumns(fieldArea, x) && inRows(fieldArea, y)) {
        record_->pickX = x;
        record_->pickY = y;
        record_->draggingHue = false;
        record_->pickingField = true;
    } else if (inColumns(hueBarArea, x) && inRows(hueBarArea, y)) {
        record_->draggingHue = true;
        record_->pickingField = false;
        if (x - hueBarArea.left != record_->lastHue) changeHue(x - hueBarArea.left);
    }
}

void ColourPickerDialog::onStylusMove(std::int16_t x, std::int16_t y) {
    if (!record_) return;
    if (record_->pickingField) {
        // Sliding off one side of the field keeps following along the other.
        const bool column = inColumns(fieldArea, x);
        const bool row = inRows(fieldArea, y);
        if (!column && !row) return;
        if (column) record_->pickX = x;
        if (row) record_->pickY = y;
        // The marker and the preview are drawn at once; the frame's colour
        // changes only when the stylus is lifted.
        platform::Surface surface(client());
        const COLORREF colour = pickedColour();
        drawField(surface);
        const std::int32_t px = record_->pickX;
        const std::int32_t py = record_->pickY;
        surface.fillRect(RECT{px - markerHalf, py - markerHalf, px + markerHalf, py + markerHalf},
                         platform::Brush::solid(0xFFFFFF));
        surface.fillRect(previewArea, platform::Brush::solid(colour));
        return;
    }
    if (!inColumns(hueBarArea, x)) return;
    // Once the hue is being dragged the stylus may wander above or below the
    // bar; before that only a move across the bar itself takes hold of it.
    if (!record_->draggingHue && !inRows(hueBarArea, y)) return;
    record_->draggingHue = true;
    if (x - hueBarArea.left != record_->lastHue) changeHue(x - hueBarArea.left);
}

void ColourPickerDialog::onStylusUp(std::int16_t, std::int16_t) {
    // Without its record the picker has nothing to offer: the lift closes it
    // rather than leaving a pop-up nobody can dismiss.
    if (!record_) {
        end(platform::dialogCancel);
        return;
    }
    if (record_->pickingField) {
        frame_.currentColour = pickedColour();
        frame_.updateColourButton();
        end(platform::dialogOk);
    } else if (record_->draggingHue) {
        // The picker stays open for a pick in the field.
        record_->draggingHue = false;
    } else {
        end(platform::dialogCancel);
    }
}
