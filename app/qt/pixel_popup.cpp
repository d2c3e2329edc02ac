#include "app/qt/pixel_popup.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "app/qt/pixel_pictures.h"
#include "app/qt/xrgb_rows.h"
#include "platform/dialogs/modal_dialogs.h"
#include "platform/gdi/bitmap.h"

namespace {

// The black frame around the client area, in client pixels.
constexpr int border = 1;

}  // namespace

PixelPopup::PixelPopup(platform::PixelDialog& dialog, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint), dialog_(dialog) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The press that closes the pop-up from outside goes nowhere else.
    setAttribute(Qt::WA_NoMouseReplay);
    setObjectName(QString::fromUtf8(dialog.name().data(), qsizetype(dialog.name().size())));
    setAccessibleName(objectName());
    if (const platform::Bitmap* client = dialog.clientArea()) {
        const qreal scale = perPixel();
        setFixedSize(int(std::ceil((client->width() + 2 * border) * scale)),
                     int(std::ceil((client->height() + 2 * border) * scale)));
        // The client area keeps its size for the dialog's life, so one image
        // serves every paint.
        pixels_ = QImage(client->width(), client->height(), QImage::Format_RGB32);
    }
}

PixelPopup::~PixelPopup() = default;

int PixelPopup::factor() const {
    return pictureFactor(devicePixelRatioF());
}

qreal PixelPopup::perPixel() const {
    return factor() / devicePixelRatioF();
}

QPoint PixelPopup::clientPoint(QPointF position) const {
    const qreal scale = perPixel();
    return QPoint(int(std::floor(position.x() / scale)) - border,
                  int(std::floor(position.y() / scale)) - border);
}

QPointF PixelPopup::widgetPoint(QPoint client) const {
    const qreal scale = perPixel();
    return QPointF((client.x() + border + 0.5) * scale, (client.y() + border + 0.5) * scale);
}

int PixelPopup::run(QPoint origin) {
    if (!dialog_.clientArea()) {
        // Without its pixels there is nothing to show.
        dialog_.cancel();
        return dialog_.result();
    }
    if (dialog_.needsPaint()) dialog_.paint();
    // Kept on the screen it opens on.
    if (const QScreen* s = QGuiApplication::screenAt(origin)) {
        const QRect room = s->availableGeometry();
        origin.setX(std::max(room.left(), std::min(origin.x(), room.right() + 1 - width())));
        origin.setY(std::max(room.top(), std::min(origin.y(), room.bottom() + 1 - height())));
    }
    move(origin);
    QEventLoop loop;
    loop_ = &loop;
    show();
    if (!dialog_.closed()) loop.exec();
    loop_ = nullptr;
    hide();
    return dialog_.result();
}

void PixelPopup::afterEvent() {
    if (dialog_.closed()) {
        if (loop_) loop_->quit();
        return;
    }
    if (dialog_.needsPaint()) dialog_.paint();
    // The handlers also draw into the client area straight away.
    update();
}

void PixelPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const platform::Bitmap* client = dialog_.clientArea();
    if (!client || dialog_.closed() || pixels_.isNull()) return;
    copyAsXrgb(*client, client->bounds(), pixels_.bits(), pixels_.bytesPerLine());
    const qreal scale = perPixel();
    painter.drawImage(
        QRectF(border * scale, border * scale, client->width() * scale, client->height() * scale),
        pixels_);
}

void PixelPopup::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (!rect().contains(event->position().toPoint())) {
        // A press outside the pop-up closes it, as a tap beside it would.
        dialog_.cancel();
        afterEvent();
        return;
    }
    stylusDown_ = true;
    const QPoint p = clientPoint(event->position());
    dialog_.stylusDown(p.x(), p.y());
    afterEvent();
}

void PixelPopup::mouseMoveEvent(QMouseEvent* event) {
    if (!stylusDown_) return;
    const QPoint p = clientPoint(event->position());
    dialog_.stylusMove(p.x(), p.y());
    afterEvent();
}

void PixelPopup::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !stylusDown_) return;
    stylusDown_ = false;
    const QPoint p = clientPoint(event->position());
    dialog_.stylusUp(p.x(), p.y());
    afterEvent();
}

void PixelPopup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        dialog_.cancel();
        afterEvent();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PixelPopup::closeEvent(QCloseEvent* event) {
    // Closed from outside (another window took the focus, the program is
    // closing): the dialog ends without a choice.
    if (!dialog_.closed()) dialog_.cancel();
    afterEvent();
    event->accept();
}
