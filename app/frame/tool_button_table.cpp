#include "app/frame/tool_button_table.h"

#include "app/frame/main_frame.h"

namespace {

using Handler = std::int32_t (*)(MainFrame& frame, std::int32_t command);

constexpr ToolButtonRow toolRow(std::int32_t command, std::int32_t bitmap, std::int32_t mask,
                                std::int32_t selectedBitmap, std::int32_t selectedMask,
                                std::int32_t index, std::int32_t group, Handler handler,
                                std::uint8_t size, std::uint8_t opacity, std::uint8_t colour,
                                std::uint8_t font, std::uint8_t fontSize) {
    return ToolButtonRow{command,
                         bitmap,
                         mask,
                         selectedBitmap,
                         selectedMask,
                         index,
                         group,
                         handler,
                         {size, opacity, colour, font, fontSize},
                         -1,
                         -1,
                         group};
}

constexpr ToolButtonRow optionRow(std::int32_t command, std::int32_t bitmap, std::int32_t mask,
                                  std::int32_t data, Handler handler) {
    return ToolButtonRow{command, bitmap,          mask, -1, -1,     data, command,
                         handler, {0, 0, 0, 0, 0}, -1,   -1, command};
}

}  // namespace

ToolButtonTable initialToolButtonTable() {
    using namespace ToolCommand;
    namespace B = ToolButton;
    constexpr Handler shapes = &MainFrame::shapePalette;
    return ToolButtonTable{{
        toolRow(Pencil, 184, 235, 115, 236, B::Pencil, Pencil, nullptr, 1, 1, 1, 0, 0),
        toolRow(Airbrush, 253, 254, 251, 252, B::Airbrush, Airbrush, nullptr, 1, 0, 1, 0, 0),
        toolRow(Smudge, 272, 271, 274, 273, B::Smudge, Smudge, nullptr, 1, 0, 0, 0, 0),
        toolRow(Rectangle, 183, 233, 163, 234, B::Rectangle, Rectangle, shapes, 1, 0, 1, 0, 0),
        toolRow(FilledRectangle, 182, 230, 165, 232, B::FilledRectangle, Rectangle, shapes, 0, 0, 1,
                0, 0),
        toolRow(Line, 186, 239, 161, 241, B::Line, Rectangle, shapes, 1, 0, 1, 0, 0),
        toolRow(Ellipse, 190, 247, 167, 248, B::Ellipse, Rectangle, shapes, 1, 0, 1, 0, 0),
        toolRow(FilledEllipse, 189, 245, 169, 246, B::FilledEllipse, Rectangle, shapes, 0, 0, 1, 0,
                0),
        toolRow(Eraser, 278, 277, 280, 279, B::Eraser, Eraser, nullptr, 1, 0, 0, 0, 0),
        toolRow(Text, 180, 227, 179, 228, B::Text, Text, nullptr, 0, 0, 1, 1, 1),
        toolRow(Fill, 282, 281, 284, 283, B::Fill, Fill, nullptr, 0, 0, 1, 0, 0),
        toolRow(Selection, 181, 229, 173, 231, B::Selection, Selection, nullptr, 0, 0, 0, 0, 0),
        toolRow(Hand, 187, 242, 177, 240, B::Hand, Hand, nullptr, 0, 0, 0, 0, 0),
        toolRow(-1, -1, -1, -1, 0, endOfTableIndex, 0, nullptr, 0, 0, 0, 0, 0),
    }};
}

OptionButtonTable initialOptionButtonTable() {
    using namespace OptionCommand;
    return OptionButtonTable{{
        optionRow(Size, 201, 223, 0, &MainFrame::sizePalette),
        optionRow(Opacity, 287, 286, 6, &MainFrame::opacityButton),
        optionRow(Colour, 195, 226, 1, &MainFrame::colourButton),
        optionRow(Eyedropper, 188, 243, 9, &MainFrame::eyedropperButton),
        optionRow(Grid, 158, 224, 2, &MainFrame::snapPalette),
        optionRow(Zoom, 198, 220, 5, &MainFrame::zoomPalette),
        optionRow(Font, 196, 219, 3, &MainFrame::fontPalette),
        optionRow(FontSize, 197, 225, 4, &MainFrame::fontSizePalette),
        optionRow(Undo, 199, 221, 7, &MainFrame::undoButton),
        optionRow(Redo, 200, 222, 8, &MainFrame::redoButton),
        optionRow(-1, -1, -1, 0, nullptr),
    }};
}

int findToolRow(const ToolButtonTable& table, std::int32_t index) {
    for (std::size_t row = 0; table[row].buttonIndex != endOfTableIndex; ++row)
        if (table[row].buttonIndex == index) return int(row);
    return -1;
}
