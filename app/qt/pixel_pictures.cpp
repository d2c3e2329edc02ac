#include "app/qt/pixel_pictures.h"

#include <cmath>
#include <memory>

#include "app/qt/xrgb_rows.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"

namespace {

// A 24-bit copy of a palettised picture, through its colour table.
std::unique_ptr<platform::Bitmap> plainCopy(const platform::Bitmap& picture) {
    auto plain = platform::Bitmap::createCompatible(picture.width(), picture.height());
    if (!plain) return nullptr;
    platform::Surface from(const_cast<platform::Bitmap*>(&picture));
    platform::Surface(plain.get()).blit(0, 0, picture.width(), picture.height(), from, 0, 0);
    return plain;
}

// Whether pixel x of a mask row is white (transparent): a two-colour mask
// is read bit by bit through its colour table, any other through a copy.
bool whiteInMonochrome(const platform::Bitmap& mask, const std::uint8_t* row, std::int32_t x) {
    const int index = (row[x >> 3] >> (7 - (x & 7))) & 1;
    if (index >= mask.colourCount()) return false;
    const platform::RgbQuad& c = mask.colourTable()[index];
    return c.rgbRed == 0xFF && c.rgbGreen == 0xFF && c.rgbBlue == 0xFF;
}

}  // namespace

QImage toImage(const platform::Bitmap& picture, const platform::Bitmap* mask) {
    const std::int32_t w = picture.width(), h = picture.height();
    std::unique_ptr<platform::Bitmap> plain;
    const platform::Bitmap* source = &picture;
    if (picture.bitCount() != 24) {
        plain = plainCopy(picture);
        if (!plain) return QImage();
        source = plain.get();
    }
    QImage image(w, h, QImage::Format_ARGB32);
    if (image.isNull()) return image;
    copyAsXrgb(*source, RECT{0, 0, w, h}, image.bits(), image.bytesPerLine());
    if (!mask || mask->width() < w || mask->height() < h) return image;

    if (mask->bitCount() == 1) {
        for (std::int32_t y = 0; y < h; ++y) {
            const std::uint8_t* m = mask->row(y);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (std::int32_t x = 0; x < w; ++x)
                if (whiteInMonochrome(*mask, m, x)) out[x] = 0;
        }
        return image;
    }
    std::unique_ptr<platform::Bitmap> plainMask;
    if (mask->bitCount() != 24) {
        plainMask = plainCopy(*mask);
        if (!plainMask) return image;
        mask = plainMask.get();
    }
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* m = mask->row(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::int32_t x = 0; x < w; ++x, m += 3)
            if (m[0] == 0xFF && m[1] == 0xFF && m[2] == 0xFF) out[x] = 0;
    }
    return image;
}

int pictureFactor(qreal devicePixelRatio) {
    return std::max(1, int(std::lround(devicePixelRatio)));
}

QPixmap toPixmap(const QImage& image, qreal devicePixelRatio) {
    if (image.isNull()) return QPixmap();
    const int factor = pictureFactor(devicePixelRatio);
    QPixmap pixmap =
        QPixmap::fromImage(image.scaled(image.width() * factor, image.height() * factor,
                                        Qt::IgnoreAspectRatio, Qt::FastTransformation));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}
