#pragma once

#include <cstdint>
#include <string_view>

#include "platform/dialogs/modal_dialogs.h"

class MainFrame;

// The Canvas Size dialog: two number fields showing the frame's canvas
// size. OK hands what they hold to `MainFrame::setCanvasSize`, which keeps
// each side within the sizes a canvas can have.
namespace CanvasSizeField {
inline constexpr std::int32_t Width = 1010;
inline constexpr std::int32_t Height = 1011;
}  // namespace CanvasSizeField

// The dialog as it opens: "Set Canvas Size", "Width:" and "Height:" with the
// frame's sizes in decimal.
platform::NumberFieldsRequest canvasSizeRequest(const MainFrame& frame, platform::Window* owner);

// What OK does: each field read as an unsigned number and the frame's canvas
// set to that size, 0 becoming 1 and anything above 1024 becoming 1024. Text
// that is not a number reads as 0; a number too large for the 16-bit size
// reads as the largest one, never as its low bits. The document hears of it
// only when the size changed; true when it did.
bool acceptCanvasSize(MainFrame& frame, const platform::NumberFieldsRequest& request);

// Digits only, spaces around them allowed; 0 for anything else. Saturates.
std::uint32_t readUnsignedNumber(std::u16string_view text);
