#pragma once

#include <cstdint>
#include <memory>

namespace platform {
class Bitmap;
}

// Resource ids of the pictures the frame shows outside its tables.
namespace FramePicture {
inline constexpr std::int32_t OptionBarToggle = 149;  // the menu bar's dots-and-line button
inline constexpr std::int32_t ToolBarToggle = 150;    // the menu bar's paint-pot button
inline constexpr std::int32_t SwatchFrame = 218;      // the colour button's empty swatch
inline constexpr std::int32_t SwatchMask = 226;
}  // namespace FramePicture

// A fresh copy of the program's picture with resource id `id`, as a 24-bit
// bitmap the caller owns; null for an id the program has no picture for.
std::unique_ptr<platform::Bitmap> loadFramePicture(std::int32_t id);
