#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The main window's menus as data: shells build their menus from it and send
// each item's command back to the main window.
struct MenuItem {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    std::u16string_view text;         // empty for a separator
    std::int32_t command = 0;         // Command items only
    std::span<const MenuItem> items;  // Submenu items only
};

// One menu of the menu bar: its button's text and command, and its items.
struct MenuBarMenu {
    std::u16string_view title;
    std::int32_t command;
    std::span<const MenuItem> items;
};

// File, Edit and Tools, in the menu bar's order.
std::span<const MenuBarMenu> mainMenus();

// A key that sends a command while the Control key is held.
struct Accelerator {
    char16_t key;  // an upper-case letter
    std::int32_t command;
};

// Control+A for the About box and Control+Q to close.
std::span<const Accelerator> mainAccelerators();
