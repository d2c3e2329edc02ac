#include "app/qt/canvas_viewport.h"

#include <QCoreApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "app/frame/canvas_view_events.h"
#include "app/qt/typed_keys.h"
#include "app/qt/xrgb_rows.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/surface.h"

using platform::intersect;
using platform::isEmpty;

namespace {

// Asks for the program's repaint at the next turn of the event loop.
const QEvent::Type repaintRequest = QEvent::Type(QEvent::registerEventType());

// The screen formats whose pixels are blue, green, red and a fourth byte in
// memory, which is what `copyAsXrgb` writes; the fourth byte is opaque.
bool takesXrgb(QImage::Format format) {
    if constexpr (std::endian::native != std::endian::little) return false;
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

CanvasViewport::CanvasViewport(QWidget* parent) : QWidget(parent) {
    // Every pixel of a paint comes from the backing store, so Qt need not
    // clear anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Canvas"));
}

CanvasViewport::~CanvasViewport() = default;

qreal CanvasViewport::pixelRatio() const {
    return devicePixelRatioF();
}

RECT CanvasViewport::clientRect() const {
    return RECT{0, 0, width_, height_};
}

void CanvasViewport::takeNewSize() {
    storeRatio_ = pixelRatio();
    const auto w = std::int32_t(std::lround(width() * storeRatio_));
    const auto h = std::int32_t(std::lround(height() * storeRatio_));
    if (w == width_ && h == height_) return;
    // The store follows at the next drawing: a window being laid out goes
    // through several sizes before anything is drawn at one of them.
    width_ = std::max(w, 0);
    height_ = std::max(h, 0);
    invalidate(nullptr);
}

bool CanvasViewport::ensureStore() {
    if (store_ && store_->width() == width_ && store_->height() == height_) return true;
    store_.reset();
    if (width_ < 1 || height_ < 1) return false;
    store_ = platform::Bitmap::createCompatible(width_, height_);
    if (!store_) return false;
    platform::Surface(store_.get()).fillRect(store_->bounds(), platform::Brush::solid(0xFFFFFF));
    return true;
}

std::unique_ptr<platform::Surface> CanvasViewport::getSurface() {
    if (!ensureStore()) return nullptr;
    auto surface = std::make_unique<platform::Surface>(store_.get());
    presentOnRelease(*surface);
    return surface;
}

void CanvasViewport::present(platform::Surface& surface) {
    const RECT drawn = intersect(surface.drawnArea(), clientRect());
    if (isEmpty(drawn)) return;
    ++presents_;
    // Only the drawn part is marked for the next paint, in logical pixels,
    // rounded outwards so no changed device pixel is left out.
    const qreal r = storeRatio_;
    const int left = int(std::floor(drawn.left / r));
    const int top = int(std::floor(drawn.top / r));
    const int right = int(std::ceil(drawn.right / r));
    const int bottom = int(std::ceil(drawn.bottom / r));
    update(QRect(left, top, right - left, bottom - top));
}

void CanvasViewport::invalidate(const RECT* area) {
    if (area && isEmpty(intersect(*area, clientRect()))) return;
    if (repaintPosted_) return;
    repaintPosted_ = true;
    QCoreApplication::postEvent(this, new QEvent(repaintRequest));
}

bool CanvasViewport::event(QEvent* event) {
    if (event->type() == repaintRequest) {
        repaintPosted_ = false;
        if (events_) events_->paintRequested();
        return true;
    }
    if (event->type() == QEvent::ScreenChangeInternal && pixelRatio() != storeRatio_) {
        // Another scale factor: the client area has another size in device pixels.
        takeNewSize();
        if (events_) events_->clientSizeChanged();
    }
    return QWidget::event(event);
}

void CanvasViewport::resizeEvent(QResizeEvent*) {
    takeNewSize();
    if (events_) events_->clientSizeChanged();
}

void CanvasViewport::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const ScreenTarget screen = screenTarget(painter);
    for (const QRect& rect : event->region())
        paintRect(painter, screen, rect);
}

CanvasViewport::ScreenTarget CanvasViewport::screenTarget(const QPainter& painter) const {
    // The usual case: the paint goes to a 32-bit image (the window's backing
    // store) at exactly our scale, so the rows can be converted straight
    // into it.
    QPaintEngine* engine = painter.paintEngine();
    QImage* screen = engine && engine->type() == QPaintEngine::Raster
                         ? dynamic_cast<QImage*>(engine->paintDevice())
                         : nullptr;
    if (!screen || !takesXrgb(screen->format())) return {};
    const QTransform t = painter.deviceTransform();
    const qreal r = storeRatio_;
    if (t.type() > QTransform::TxScale || !qFuzzyCompare(t.m11(), r) || !qFuzzyCompare(t.m22(), r))
        return {};
    return {screen, std::int32_t(std::lround(t.dx())), std::int32_t(std::lround(t.dy()))};
}

void CanvasViewport::paintRect(QPainter& painter, const ScreenTarget& screen,
                               const QRect& logical) {
    const qreal r = storeRatio_;
    const RECT wanted{std::int32_t(std::floor(logical.left() * r)),
                      std::int32_t(std::floor(logical.top() * r)),
                      std::int32_t(std::ceil((logical.right() + 1) * r)),
                      std::int32_t(std::ceil((logical.bottom() + 1) * r))};
    RECT area = intersect(wanted, store_ ? store_->bounds() : RECT{});
    if (area != wanted) {
        // Nothing drawn there yet (no store, or one of a size the program
        // has not drawn at yet): the view's background.
        painter.fillRect(logical, Qt::white);
    }
    if (isEmpty(area)) return;
    convertedPixels_ += std::int64_t(area.right - area.left) * (area.bottom - area.top);

    if (screen.image) {
        const std::int32_t dx = screen.dx, dy = screen.dy;
        const RECT onScreen =
            intersect(RECT{area.left + dx, area.top + dy, area.right + dx, area.bottom + dy},
                      RECT{0, 0, screen.image->width(), screen.image->height()});
        if (isEmpty(onScreen)) return;
        area =
            RECT{onScreen.left - dx, onScreen.top - dy, onScreen.right - dx, onScreen.bottom - dy};
        const qsizetype stride = screen.image->bytesPerLine();
        std::uint8_t* first = screen.image->bits() + onScreen.top * stride + onScreen.left * 4;
        copyAsXrgb(*store_, area, first, stride);
        ++directPaints_;
        return;
    }

    // Anything else (a grab into a pixmap, a printer, a transformed
    // painter) gets a converted copy of the area.
    QImage copy;
    const std::int32_t w = area.right - area.left, h = area.bottom - area.top;
    if (takesXrgb(QImage::Format_RGB32)) {
        copy = QImage(w, h, QImage::Format_RGB32);
        if (copy.isNull()) return;
        copyAsXrgb(*store_, area, copy.bits(), copy.bytesPerLine());
    } else {
        copy = QImage(w, h, QImage::Format_BGR888);
        if (copy.isNull()) return;
        for (std::int32_t y = 0; y < h; ++y)
            std::memcpy(copy.scanLine(y), store_->row(area.top + y) + area.left * 3,
                        std::size_t(w) * 3);
    }
    copy.setDevicePixelRatio(r);
    painter.drawImage(QPointF(area.left / r, area.top / r), copy);
    ++copiedPaints_;
}

QPoint CanvasViewport::viewPoint(const QPointF& position) const {
    return QPoint(int(std::floor(position.x() * storeRatio_)),
                  int(std::floor(position.y() * storeRatio_)));
}

void CanvasViewport::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint p = viewPoint(event->position());
    // A release that never came (the grab was taken away) ends the stroke
    // before the next one begins, so the document never sees two downs.
    if (stylusDown_ && events_) events_->stylusUp(lastStylus_.x(), lastStylus_.y());
    stylusDown_ = true;
    lastStylus_ = p;
    if (events_) events_->stylusDown(p.x(), p.y());
}

void CanvasViewport::mouseMoveEvent(QMouseEvent* event) {
    // A mouse moving over the canvas is not a stylus on it: only a held
    // button draws.
    if (!stylusDown_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint p = viewPoint(event->position());
    if (p == lastStylus_) return;
    lastStylus_ = p;
    if (events_) events_->stylusMove(p.x(), p.y());
}

void CanvasViewport::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !stylusDown_) {
        event->ignore();
        return;
    }
    const QPoint p = viewPoint(event->position());
    stylusDown_ = false;
    lastStylus_ = p;
    if (events_) events_->stylusUp(p.x(), p.y());
}

void CanvasViewport::setCapture(bool captured) {
    // While the button is held Qt already sends every move and the release
    // here, wherever the mouse goes; only a capture without it needs a grab.
    if (captured && !captured_ && !stylusDown_) grabMouse();
    if (!captured && captured_ && QWidget::mouseGrabber() == this) releaseMouse();
    captured_ = captured;
}

void CanvasViewport::keyPressEvent(QKeyEvent* event) {
    if (isArrowKey(event->key())) {
        // The arrows act when released; pressed they must not scroll.
        event->accept();
        return;
    }
    const QString typed = typedText(*event);
    if (typed.isEmpty()) {
        // Page keys, shortcuts and the like belong to the scroll area and
        // the main window.
        event->ignore();
        return;
    }
    sendCharacters(typed);
}

void CanvasViewport::keyReleaseEvent(QKeyEvent* event) {
    event->ignore();
}

void CanvasViewport::inputMethodEvent(QInputMethodEvent* event) {
    sendCharacters(documentText(event->commitString()));
    event->accept();
}

void CanvasViewport::sendCharacters(const QString& text) {
    if (!events_) return;
    for (const QChar c : text)
        events_->character(c.unicode());
}

bool CanvasViewport::setTimer(std::uint32_t id, std::uint32_t periodMs) {
    timers_[id].start(int(std::clamp<std::uint32_t>(periodMs, 1, 1u << 30)), Qt::PreciseTimer,
                      this);
    return true;
}

void CanvasViewport::killTimer(std::uint32_t id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    it->second.stop();
    timers_.erase(it);
}

void CanvasViewport::timerEvent(QTimerEvent* event) {
    for (const auto& [id, timer] : timers_)
        if (timer.timerId() == event->timerId()) {
            // The handler may start or stop timers, so the search ends here.
            const std::uint32_t which = id;
            if (events_) events_->timer(which);
            return;
        }
    QWidget::timerEvent(event);
}
