#include <algorithm>
#include <string>

#include "app/frame/frame_bar.h"
#include "app/frame/main_frame.h"
#include "app/frame/pictures/picture_library.h"
#include "app/frame/popup_palette.h"
#include "app/frame/size_lists.h"
#include "document/document.h"
#include "platform/text/font_catalog.h"

namespace {

// Palettes open above a tool-bar button and just below an option-bar
// button, centred on it.
constexpr std::int32_t aboveToolButton = 20;
constexpr std::int32_t intoOptionButton = 10;

// The position of the chosen item in a palette of `count` items, or -1 for
// a dismissed palette or an id it never gave.
int chosenIndex(std::int32_t id, std::size_t count) {
    if (id < firstPaletteItem || id >= firstPaletteItem + std::int32_t(count)) return -1;
    return int(id - firstPaletteItem);
}

// Shows `palette` at the button of `command` on `bar`; the chosen index or -1.
int showAtButton(MainFrame& frame, PopupPalette& palette, const FrameBar* bar,
                 std::int32_t command) {
    POINT at;
    if (palette.itemCount() == 0 || !frame.paletteOrigin(bar, command, at)) return -1;
    return chosenIndex(frame.trackPalette(&palette, at.x, at.y), palette.itemCount());
}

// A text palette of `list`, the entry whose value is `current` checked.
int showTextList(MainFrame& frame, const char* name, const TextEntry* list, std::int32_t current,
                 std::int32_t command, std::int32_t& chosenValue) {
    PopupPalette palette(name);
    for (const TextEntry* entry = list; entry->text; ++entry)
        palette.appendText(entry->text, entry->value == current);
    const int index = showAtButton(frame, palette, frame.optionBar, command);
    if (index >= 0) chosenValue = list[index].value;
    return index;
}

// The shape group's members in the order the palette shows them.
struct ShapeItem {
    std::int32_t bitmap;
    std::int32_t command;
};
constexpr ShapeItem shapeItems[] = {
    {PictureId::ShapeEllipse, ToolCommand::Ellipse},
    {PictureId::ShapeFilledEllipse, ToolCommand::FilledEllipse},
    {PictureId::ShapeRectangle, ToolCommand::Rectangle},
    {PictureId::ShapeFilledRectangle, ToolCommand::FilledRectangle},
    {PictureId::ShapeLine, ToolCommand::Line},
};

}  // namespace

std::int32_t MainFrame::trackPalette(PopupPalette* palette, std::int32_t x, std::int32_t y) {
    if (!palette) return -1;
    // The palette is the active one while it is shown.
    activePalette = palette;
    platform::PopupMenuRequest& request = palette->request();
    request.owner = canvasWindow;
    request.at = POINT{x, y};
    const int index = platform::popupMenus().track(request);
    activePalette = nullptr;
    return index < 0 ? 0 : firstPaletteItem + index;
}

bool MainFrame::paletteOrigin(const FrameBar* bar, std::int32_t command, POINT& at) const {
    RECT button;
    if (!bar || !bar->buttonRect(command, button)) return false;
    at.x = button.left + (button.right - button.left) / 2;
    at.y = bar == toolBar ? button.top - aboveToolButton : button.bottom - intoOptionButton;
    return true;
}

std::int32_t MainFrame::shapePalette(MainFrame& frame, std::int32_t command) {
    BitmapPalette palette("shape");
    for (const ShapeItem& item : shapeItems)
        palette.appendBitmap(item.bitmap, false);
    const int index = showAtButton(frame, palette, frame.toolBar, command);
    return index < 0 ? -1 : shapeItems[index].command;
}

std::int32_t MainFrame::sizePalette(MainFrame& frame, std::int32_t command) {
    // The airbrush, smudge and eraser have circular sizes; every other tool
    // a square pen width.
    std::int32_t* circular = frame.brushSizeField();
    std::int32_t& field = circular ? *circular : frame.lineWidth;
    const SizeEntry* list = circular ? circularSizes : squareWidths;
    BitmapPalette palette(circular ? "sizes" : "widths");
    for (const SizeEntry* entry = list; entry->selectedBitmap != -1; ++entry) {
        const bool current = entry->value == field;
        palette.appendBitmap(current ? entry->selectedBitmap : entry->normalBitmap, current);
    }
    const int index = showAtButton(frame, palette, frame.optionBar, command);
    if (index < 0) return 0;
    field = list[index].value;
    frame.documentCommand(DocCommand::BrushSizeChanged);
    return 0;
}

std::int32_t MainFrame::snapPalette(MainFrame& frame, std::int32_t command) {
    std::int32_t step = 0;
    if (showTextList(frame, "grid", snapGridList, frame.snapGridX, command, step) >= 0)
        frame.setSnapGrid(step);
    return 0;
}

std::int32_t MainFrame::zoomPalette(MainFrame& frame, std::int32_t command) {
    std::int32_t shift = 0;
    if (showTextList(frame, "zoom", zoomList, frame.zoomShift, command, shift) >= 0)
        frame.changeZoom(shift);
    return 0;
}

std::int32_t MainFrame::fontPalette(MainFrame& frame, std::int32_t command) {
    PopupPalette palette("font");
    for (const std::u16string& family : platform::listFontFamilies()) {
        // Until a face is chosen the first family is the text tool's face.
        if (frame.fontName[0] == 0) {
            const std::size_t n = std::min(family.size(), std::size(frame.fontName) - 1);
            std::copy_n(family.begin(), n, frame.fontName);
            frame.fontName[n] = 0;
        }
        palette.appendText(family, family == frame.fontName);
    }
    const int index = showAtButton(frame, palette, frame.optionBar, command);
    if (index < 0) return 0;
    frame.setFontName(palette.itemText(std::size_t(index)));
    return 0;
}

std::int32_t MainFrame::fontSizePalette(MainFrame& frame, std::int32_t command) {
    std::int32_t size = 0;
    if (showTextList(frame, "fontsize", fontSizeList, frame.fontSize, command, size) >= 0)
        frame.setFontSize(size);
    return 0;
}

std::int32_t MainFrame::eyedropperButton(MainFrame& frame, std::int32_t) {
    frame.toggleEyedropper();
    return 0;
}

std::int32_t MainFrame::undoButton(MainFrame& frame, std::int32_t) {
    // Without a document the button does nothing, not even refresh the bar.
    if (frame.document) frame.documentCommand(DocCommand::Undo);
    return 0;
}

std::int32_t MainFrame::redoButton(MainFrame& frame, std::int32_t) {
    // Without a document the button does nothing, not even refresh the bar.
    if (frame.document) frame.documentCommand(DocCommand::Redo);
    return 0;
}
