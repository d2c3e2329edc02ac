#pragma once

#include <cstdint>

// Every command the main window receives, by the id its menu item,
// accelerator or button sends. Shells build their menus and bars with these
// ids and hand them back unchanged; the values are those of the program's
// tables and must not change.

// Menus, accelerators and the menu bar's own buttons.
namespace MenuCommand {
inline constexpr std::int32_t Close = 1;  // Control+Q
inline constexpr std::int32_t ToolsMenu = 40001;
inline constexpr std::int32_t About = 40003;  // also Control+A
inline constexpr std::int32_t ToggleToolBar = 40010;
inline constexpr std::int32_t ToggleOptionBar = 40011;
inline constexpr std::int32_t Exit = 40031;
inline constexpr std::int32_t EditMenu = 40032;
inline constexpr std::int32_t Undo = 40033;  // also Control+Z
inline constexpr std::int32_t Redo = 40039;  // also Control+Shift+Z and Control+Y
inline constexpr std::int32_t Copy = 40035;
inline constexpr std::int32_t Cut = 40036;
inline constexpr std::int32_t Delete = 40034;    // also the Delete key
inline constexpr std::int32_t Deselect = 40040;  // also Escape and Control+Shift+A
inline constexpr std::int32_t Paste = 40037;
inline constexpr std::int32_t FileMenu = 40038;
inline constexpr std::int32_t Open = 40041;
inline constexpr std::int32_t Save = 40043;
inline constexpr std::int32_t New = 40045;
inline constexpr std::int32_t SaveAs = 40046;
inline constexpr std::int32_t ExportBitmap = 40047;
inline constexpr std::int32_t ImportBitmap = 40049;
inline constexpr std::int32_t FlipHorizontal = 40053;
inline constexpr std::int32_t FlipVertical = 40054;
inline constexpr std::int32_t ImportJpeg = 40056;
inline constexpr std::int32_t ExportJpeg = 40058;
inline constexpr std::int32_t ImportPng = 40055;
inline constexpr std::int32_t ExportPng = 40059;
inline constexpr std::int32_t CanvasSize = 40060;
}  // namespace MenuCommand

// The tool bar's buttons and the members of the shape group.
namespace ToolCommand {
inline constexpr std::int32_t Pencil = 40013;
inline constexpr std::int32_t Line = 40015;
inline constexpr std::int32_t Rectangle = 40016;  // also the shape group's button
inline constexpr std::int32_t Ellipse = 40017;
inline constexpr std::int32_t Selection = 40019;
inline constexpr std::int32_t Text = 40020;
inline constexpr std::int32_t Hand = 40021;
inline constexpr std::int32_t FilledEllipse = 40022;
inline constexpr std::int32_t FilledRectangle = 40023;
inline constexpr std::int32_t Airbrush = 40048;
inline constexpr std::int32_t Smudge = 40050;
inline constexpr std::int32_t Eraser = 40051;
inline constexpr std::int32_t Fill = 40052;
}  // namespace ToolCommand

// The option bar's buttons.
namespace OptionCommand {
inline constexpr std::int32_t Size = 40014;
inline constexpr std::int32_t Opacity = 40057;
inline constexpr std::int32_t Colour = 40024;
inline constexpr std::int32_t Eyedropper = 40018;
inline constexpr std::int32_t Grid = 40025;
inline constexpr std::int32_t Zoom = 40028;
inline constexpr std::int32_t Font = 40026;
inline constexpr std::int32_t FontSize = 40027;
inline constexpr std::int32_t Undo = 40029;
inline constexpr std::int32_t Redo = 40030;
}  // namespace OptionCommand

// A pop-up palette's items get ids from here on, in order. They are only
// ever returned by the palette, never sent to the main window.
inline constexpr std::int32_t firstPaletteItem = 40061;

// The tool-button index `MainFrame::currentTool` holds: which tool the
// stylus uses. Not a tool kind: the document maps it to one when the stylus
// goes down, and the hand is the view's own panning.
namespace ToolButton {
inline constexpr std::uint16_t Pencil = 0;
inline constexpr std::uint16_t Line = 1;
inline constexpr std::uint16_t Rectangle = 2;
inline constexpr std::uint16_t FilledRectangle = 3;
inline constexpr std::uint16_t Ellipse = 4;
inline constexpr std::uint16_t FilledEllipse = 5;
inline constexpr std::uint16_t Airbrush = 6;
inline constexpr std::uint16_t Smudge = 7;
inline constexpr std::uint16_t Eraser = 8;
inline constexpr std::uint16_t Selection = 9;
inline constexpr std::uint16_t Text = 11;
inline constexpr std::uint16_t Hand = 14;
inline constexpr std::uint16_t Fill = 15;
}  // namespace ToolButton

// What a scroll bar asks for, as `MainFrame::scrollTo` takes it.
enum class ScrollRequest : int {
    LineUp = 0,  // or left
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8,  // the drag is over; the position stays
};
