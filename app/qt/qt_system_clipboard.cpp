#include "app/qt/qt_system_clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "app/qt/image_pictures.h"
#include "app/qt/pixel_pictures.h"
#include "platform/gdi/bitmap.h"

namespace {

const QString ownerFormat = QStringLiteral("application/x-mirabo-owner");
const QString pngFormat = QStringLiteral("image/png");

const QMimeData* content() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->mimeData() : nullptr;
}

}  // namespace

QtSystemClipboard::QtSystemClipboard()
    : mark_(QByteArray::number(QCoreApplication::applicationPid())) {}

bool QtSystemClipboard::setPicture(const platform::Bitmap& picture) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Opaque pixels: a PNG without an alpha channel.
    const QImage image = toImage(picture).convertToFormat(QImage::Format_RGB32);
    if (!clipboard || image.isNull()) return false;
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return false;
    auto* data = new QMimeData;
    data->setImageData(image);
    data->setData(pngFormat, png);
    data->setData(ownerFormat, mark_);
    clipboard->setMimeData(data);
    return true;
}

bool QtSystemClipboard::ownedByOtherProgram() const {
    const QMimeData* data = content();
    return !data || !data->hasFormat(ownerFormat) || data->data(ownerFormat) != mark_;
}

bool QtSystemClipboard::offersImage() const {
    const QMimeData* data = content();
    return data && (data->hasImage() || data->hasFormat(pngFormat));
}

std::unique_ptr<platform::Bitmap> QtSystemClipboard::picture(std::int32_t maxWidth,
                                                             std::int32_t maxHeight) const {
    const QMimeData* data = content();
    if (!data) return nullptr;
    QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull() && data->hasFormat(pngFormat))
        image = QImage::fromData(data->data(pngFormat), "PNG");
    return toPicture(image, maxWidth, maxHeight);
}
