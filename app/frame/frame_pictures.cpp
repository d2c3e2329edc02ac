#include "app/frame/frame_pictures.h"

#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"

namespace {

struct PictureSize {
    std::int32_t first;
    std::int32_t last;
    std::int32_t width;
    std::int32_t height;
};

// Every picture the bars, palettes and dialogs use, by ranges of ids.
constexpr PictureSize pictureSizes[] = {
    {115, 115, 18, 17},   // pencil, selected
    {149, 150, 16, 16},   // menu-bar buttons
    {158, 158, 18, 17},   // grid
    {161, 169, 18, 17},   // shapes, selected
    {173, 173, 18, 17},   // selection, selected
    {176, 176, 11, 6},    // opacity knob
    {177, 177, 18, 17},   // hand, selected
    {178, 178, 200, 68},  // product picture
    {179, 190, 18, 17},   // tool buttons
    {191, 193, 32, 20},   // shape palette: ellipse, filled ellipse, rectangle
    {195, 201, 18, 17},   // option buttons
    {202, 217, 48, 16},   // square widths, selected then normal
    {218, 248, 18, 17},   // swatch frame and the masks
    {249, 249, 32, 20},   // shape palette: filled rectangle
    {251, 254, 18, 17},   // airbrush
    {255, 260, 48, 16},   // circular sizes, selected
    {263, 268, 48, 16},   // circular sizes, normal
    {271, 284, 18, 17},   // smudge, eraser, fill
    {285, 285, 32, 20},   // shape palette: line
    {286, 287, 18, 17},   // opacity button
};

}  // namespace

std::unique_ptr<platform::Bitmap> loadFramePicture(std::int32_t id) {
    for (const PictureSize& size : pictureSizes) {
        if (id < size.first || id > size.last) continue;
        auto picture = platform::Bitmap::createCompatible(size.width, size.height);
        if (!picture) return nullptr;
        // A plain frame stands in for the drawing until the pictures are drawn.
        platform::Surface surface(picture.get());
        surface.fillRect(picture->bounds(), platform::Brush::solid(0x000000));
        surface.fillRect(RECT{1, 1, size.width - 1, size.height - 1},
                         platform::Brush::solid(0xFFFFFF));
        return picture;
    }
    return nullptr;
}
