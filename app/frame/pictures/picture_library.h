#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform {
class Bitmap;
}

// The program's own pictures, compiled in from the XPM sources in
// app/resources/, so the window and the headless driver show the same
// pixels. Pictures are named by their resource ids: the button tables name
// them, and the other ones are below.
namespace PictureId {
inline constexpr std::int32_t OptionBarToggle = 149;  // menu bar: dots and a line
inline constexpr std::int32_t ToolBarToggle = 150;    // menu bar: a paint pot
inline constexpr std::int32_t OpacityKnob = 176;
inline constexpr std::int32_t ProductPicture = 178;
inline constexpr std::int32_t ShapeEllipse = 191;
inline constexpr std::int32_t ShapeFilledEllipse = 192;
inline constexpr std::int32_t ShapeRectangle = 193;
inline constexpr std::int32_t ShapeFilledRectangle = 249;
inline constexpr std::int32_t ShapeLine = 285;
inline constexpr std::int32_t SwatchFrame = 218;
inline constexpr std::int32_t SwatchMask = 226;
// The size lists: widths 1..8 selected 202..209 and normal 210..217;
// circular sizes 0..5 selected 255..260 and normal 263..268.
inline constexpr std::int32_t FirstSelectedWidth = 202;
inline constexpr std::int32_t FirstWidth = 210;
inline constexpr std::int32_t FirstSelectedCircle = 255;
inline constexpr std::int32_t FirstCircle = 263;
// Icons, each at every size of `iconSizes()`.
inline constexpr std::int32_t ProgramIcon = 101;
inline constexpr std::int32_t DocumentIcon = 169;
}  // namespace PictureId

// The picture with the resource id: 24 bits, except the masks of the button
// pictures and of the swatch, which are monochrome (1 bit, colour table
// black and white; white where the picture is transparent, and the picture
// itself is black there). Null for an id that names no picture, or when the
// memory cannot be had.
std::unique_ptr<platform::Bitmap> loadPicture(std::int32_t resourceId);

// The monochrome mask of a picture's transparent pixels, for pictures that
// have no mask resource of their own (the menu-bar pictures); all black for a
// picture drawn edge to edge. Null as for `loadPicture`.
std::unique_ptr<platform::Bitmap> loadPictureMask(std::int32_t resourceId);

// Every id `loadPicture` knows, in increasing order.
std::vector<std::int32_t> pictureIds();

// The sizes, in pixels, each icon is drawn at, in increasing order: what
// desktops ask for.
std::span<const std::int32_t> iconSizes();

// An icon at exactly `pixels` by `pixels` (one of `iconSizes()`): the
// picture, black where transparent, and its monochrome mask.
struct IconPicture {
    std::unique_ptr<platform::Bitmap> picture;
    std::unique_ptr<platform::Bitmap> mask;
};
// Both null for an unknown icon or size, or when the memory cannot be had.
IconPicture loadIcon(std::int32_t resourceId, std::int32_t pixels);

// A short text that changes whenever an icon's picture at any size does,
// read from the sources without drawing them: icon files written from
// pictures of the same key need not be drawn again.
std::string iconPicturesKey();
