#pragma once

#include <array>
#include <cstdint>

#include "app/frame/command_ids.h"

class MainFrame;

// Which option buttons a tool uses, in the order size, opacity, colour,
// font, font size.
enum OptionSlot { SizeOption = 0, OpacityOption, ColourOption, FontOption, FontSizeOption };

// One button of the tool bar or the option bar. A table ends with a row
// whose command is -1. The last three fields change at run time, so every
// frame keeps its own copy of the tables.
struct ToolButtonRow {
    std::int32_t command;
    std::int32_t bitmap;
    std::int32_t mask;
    std::int32_t selectedBitmap;
    std::int32_t selectedMask;
    // Tool bar: the tool-button index; option bar: the button's data value.
    std::int32_t buttonIndex;
    // Rows are shown on the bar only when this equals `command`; the other
    // rows of a group share their head's button.
    std::int32_t groupCommand;
    // Opens the group's palette and returns the chosen member's command, or -1.
    std::int32_t (*handler)(MainFrame& frame, std::int32_t command);
    std::uint8_t optionMask[5];
    std::int32_t image;
    std::int32_t selectedImage;
    std::int32_t lastGroupMember;
};

inline constexpr std::size_t toolButtonRows = 14;    // 13 tools and the end row
inline constexpr std::size_t optionButtonRows = 11;  // 10 options and the end row
inline constexpr std::int32_t endOfTableIndex = 0xFFFF;

using ToolButtonTable = std::array<ToolButtonRow, toolButtonRows>;
using OptionButtonTable = std::array<ToolButtonRow, optionButtonRows>;

// The tables as the program starts with them.
ToolButtonTable initialToolButtonTable();
OptionButtonTable initialOptionButtonTable();

// The row of `table` whose tool-button index is `index`, or -1.
int findToolRow(const ToolButtonTable& table, std::int32_t index);
