#include "platform/desktop_integration/icon_image.h"

#include "platform/gdi/bitmap.h"
#include "platform/gdi/pixel_row.h"

namespace platform {

IconImage IconImage::fromRows(std::int32_t size, const std::uint8_t* rows, std::ptrdiff_t stride,
                              int bytesPerPixel) {
    IconImage icon;
    if (size < 1 || !rows || (bytesPerPixel != 3 && bytesPerPixel != 4)) return icon;
    icon.size = size;
    icon.rgba.resize(std::size_t(size) * std::size_t(size) * 4);
    std::uint8_t* out = icon.rgba.data();
    for (std::int32_t y = 0; y < size; ++y) {
        const std::uint8_t* in = rows + std::ptrdiff_t(y) * stride;
        for (std::int32_t x = 0; x < size; ++x, in += bytesPerPixel, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = bytesPerPixel == 4 ? in[3] : 0xFF;
        }
    }
    return icon;
}

IconImage IconImage::fromBitmap(const Bitmap& picture, const Bitmap* mask) {
    IconImage icon;
    const std::int32_t size = picture.width();
    if (size < 1 || picture.height() != size) return icon;
    if (mask && (mask->width() != size || mask->height() != size)) return icon;
    icon.size = size;
    icon.rgba.resize(std::size_t(size) * std::size_t(size) * 4);
    std::uint8_t* out = icon.rgba.data();
    for (std::int32_t y = 0; y < size; ++y) {
        const std::uint8_t* row = picture.row(y);
        const std::uint8_t* maskRow = mask ? mask->row(y) : nullptr;
        for (std::int32_t x = 0; x < size; ++x, out += 4) {
            const std::uint8_t* bgr = pixelBgr(picture, row, x);
            out[0] = bgr[2];
            out[1] = bgr[1];
            out[2] = bgr[0];
            out[3] = 0xFF;
            if (maskRow) {
                const std::uint8_t* maskBgr = pixelBgr(*mask, maskRow, x);
                if (maskBgr[0] == 0xFF && maskBgr[1] == 0xFF && maskBgr[2] == 0xFF) {
                    // Transparent pixels carry no colour, so scaling the
                    // icon never bleeds the masked-out colour into its edge.
                    out[0] = out[1] = out[2] = out[3] = 0;
                }
            }
        }
    }
    return icon;
}

bool isThemeIconSize(std::int32_t size) {
    for (const std::int32_t known : {16, 22, 24, 32, 48, 64, 96, 128, 256, 512})
        if (size == known) return true;
    return false;
}

}  // namespace platform
