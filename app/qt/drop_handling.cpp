#include "app/qt/drop_handling.h"

#include <QImage>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "app/qt/canvas_viewport.h"
#include "app/qt/image_pictures.h"
#include "app/startup/application.h"
#include "document/dropped_files.h"
#include "platform/gdi/bitmap.h"

namespace {

// The first local file in the drag that the program opens or imports; empty
// when there is none.
std::u16string takenFile(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) continue;
        std::u16string path = url.toLocalFile().toStdU16String();
        if (dropActionFor(path) != DropAction::Ignore) return path;
    }
    return {};
}

}  // namespace

bool acceptsDrop(const QMimeData& data) {
    return !takenFile(data).empty() || data.hasImage();
}

bool dropInto(Application& app, const QMimeData& data, CanvasViewport& view, QPointF position) {
    // The program places things in view pixels, which are device pixels.
    const qreal ratio = view.pixelRatio();
    const auto x = std::int32_t(std::floor(position.x() * ratio));
    const auto y = std::int32_t(std::floor(position.y() * ratio));
    const std::u16string file = takenFile(data);
    if (!file.empty()) {
        QTimer::singleShot(0, &view, [&app, file, x, y] { app.dropFile(file, x, y); });
        return true;
    }
    if (!data.hasImage()) return false;
    // The drag's data goes with the drop; the image's pixels are shared, not copied.
    const QImage image = qvariant_cast<QImage>(data.imageData());
    QTimer::singleShot(0, &view, [&app, image, x, y] {
        const Canvas& canvas = app.document().canvas;
        app.dropPicture(toPicture(image, canvas.width(), canvas.height()), x, y);
    });
    return true;
}
