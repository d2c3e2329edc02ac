#pragma once

#include <memory>
#include <span>

namespace platform {
class Bitmap;
}

// The program's pictures are XPM sources compiled in as arrays of strings:
// a "width height colours characters-per-pixel" line, one line per colour
// ("<characters> c <colour>", the colour "#RRGGBB", "#RGB", a few names or
// "None" for a transparent pixel), then one line of characters per pixel row.
//
// Either layer is read into a bitmap of the picture's size:
// - the picture, 24 bits, transparent pixels black, which is what a masked
//   image needs under its mask;
// - the mask, 1 bit with the colour table black, white: white (1) where the
//   picture is transparent, black (0) where it is drawn.
// Null when the source is malformed (sizes, colour lines, rows of the wrong
// length, characters without a colour) or the memory cannot be had.
enum class XpmLayer { Picture, Mask };

std::unique_ptr<platform::Bitmap> readXpm(std::span<const char* const> lines, XpmLayer layer);
