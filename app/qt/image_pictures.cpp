#include "app/qt/image_pictures.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "platform/gdi/bitmap.h"

std::unique_ptr<platform::Bitmap> toPicture(const QImage& image, std::int32_t maxWidth,
                                            std::int32_t maxHeight) {
    const int w = std::min(image.width(), maxWidth);
    const int h = std::min(image.height(), maxHeight);
    if (image.isNull() || w <= 0 || h <= 0) return nullptr;
    // Blue, green, red bytes as the bitmap keeps them; only the part that is
    // kept is converted.
    QImage rows(w, h, QImage::Format_BGR888);
    if (rows.isNull()) return nullptr;
    rows.fill(Qt::white);
    {
        QPainter painter(&rows);
        painter.drawImage(QPoint(0, 0), image, QRect(0, 0, w, h));
    }
    auto picture = platform::Bitmap::createCompatible(w, h);
    if (!picture) return nullptr;
    for (int y = 0; y < h; ++y)
        std::memcpy(picture->row(y), rows.constScanLine(y), std::size_t(w) * 3);
    return picture;
}
