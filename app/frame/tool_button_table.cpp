#include "app/frame/tool_button_table.h"

namespace {

// The shape group's palette is the shell's; the frame only knows which rows
// belong to the group.
constexpr ToolButtonRow toolRow(std::int32_t command, std::int32_t bitmap, std::int32_t mask,
                                std::int32_t selectedBitmap, std::int32_t selectedMask,
                                std::int32_t index, std::int32_t group, std::uint8_t size,
                                std::uint8_t opacity, std::uint8_t colour, std::uint8_t font,
                                std::uint8_t fontSize) {
    return ToolButtonRow{command,
                         bitmap,
                         mask,
                         selectedBitmap,
                         selectedMask,
                         index,
                         group,
                         nullptr,
                         {size, opacity, colour, font, fontSize},
                         -1,
                         -1,
                         group};
}

constexpr ToolButtonRow optionRow(std::int32_t command, std::int32_t bitmap, std::int32_t mask,
                                  std::int32_t data) {
    return ToolButtonRow{command, bitmap,          mask, -1, -1,     data, command,
                         nullptr, {0, 0, 0, 0, 0}, -1,   -1, command};
}

}  // namespace

ToolButtonTable initialToolButtonTable() {
    return ToolButtonTable{{
        toolRow(40013, 184, 235, 115, 236, 0, 40013, 1, 1, 1, 0, 0),   // pencil
        toolRow(40048, 253, 254, 251, 252, 6, 40048, 1, 0, 1, 0, 0),   // airbrush
        toolRow(40050, 272, 271, 274, 273, 7, 40050, 1, 0, 0, 0, 0),   // smudge
        toolRow(40016, 183, 233, 163, 234, 2, 40016, 1, 0, 1, 0, 0),   // rectangle
        toolRow(40023, 182, 230, 165, 232, 3, 40016, 0, 0, 1, 0, 0),   // filled rectangle
        toolRow(40015, 186, 239, 161, 241, 1, 40016, 1, 0, 1, 0, 0),   // line
        toolRow(40017, 190, 247, 167, 248, 4, 40016, 1, 0, 1, 0, 0),   // ellipse
        toolRow(40022, 189, 245, 169, 246, 5, 40016, 0, 0, 1, 0, 0),   // filled ellipse
        toolRow(40051, 278, 277, 280, 279, 8, 40051, 1, 0, 0, 0, 0),   // eraser
        toolRow(40020, 180, 227, 179, 228, 11, 40020, 0, 0, 1, 1, 1),  // text
        toolRow(40052, 282, 281, 284, 283, 15, 40052, 0, 0, 1, 0, 0),  // fill bucket
        toolRow(40019, 181, 229, 173, 231, 9, 40019, 0, 0, 0, 0, 0),   // selection
        toolRow(40021, 187, 242, 177, 240, 14, 40021, 0, 0, 0, 0, 0),  // hand
        toolRow(-1, -1, -1, -1, 0, endOfTableIndex, 0, 0, 0, 0, 0, 0),
    }};
}

OptionButtonTable initialOptionButtonTable() {
    return OptionButtonTable{{
        optionRow(40014, 201, 223, 0),
        optionRow(40057, 287, 286, 6),
        optionRow(40024, 195, 226, 1),
        optionRow(40018, 188, 243, 9),
        optionRow(40025, 158, 224, 2),
        optionRow(40028, 198, 220, 5),
        optionRow(40026, 196, 219, 3),
        optionRow(40027, 197, 225, 4),
        optionRow(40029, 199, 221, 7),
        optionRow(40030, 200, 222, 8),
        optionRow(-1, -1, -1, 0),
    }};
}

int findToolRow(const ToolButtonTable& table, std::int32_t index) {
    for (std::size_t row = 0; table[row].buttonIndex != endOfTableIndex; ++row)
        if (table[row].buttonIndex == index) return int(row);
    return -1;
}
