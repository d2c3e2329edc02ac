#include "app/qt/pixel_pictures.h"

#include <cmath>

#include "app/qt/xrgb_rows.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/pixel_row.h"

QImage toImage(const platform::Bitmap& picture, const platform::Bitmap* mask) {
    const std::int32_t w = picture.width(), h = picture.height();
    QImage image(w, h, QImage::Format_ARGB32);
    if (image.isNull()) return image;
    if (picture.bitCount() == 24) {
        copyAsXrgb(picture, RECT{0, 0, w, h}, image.bits(), image.bytesPerLine());
    } else {
        // Palettised rows go through the colour table, straight into the image.
        for (std::int32_t y = 0; y < h; ++y) {
            const std::uint8_t* row = picture.row(y);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (std::int32_t x = 0; x < w; ++x) {
                const std::uint8_t* bgr = platform::pixelBgr(picture, row, x);
                out[x] = qRgb(bgr[2], bgr[1], bgr[0]);
            }
        }
    }
    if (!mask || mask->width() < w || mask->height() < h) return image;

    // White in the mask, whatever its depth, is transparent.
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* m = mask->row(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::int32_t x = 0; x < w; ++x) {
            const std::uint8_t* bgr = platform::pixelBgr(*mask, m, x);
            if (bgr[0] == 0xFF && bgr[1] == 0xFF && bgr[2] == 0xFF) out[x] = 0;
        }
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
