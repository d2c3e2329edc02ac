#include "app/qt/canvas_view.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <cmath>

#include "app/frame/canvas_view_events.h"
#include "app/qt/canvas_viewport.h"

namespace {

// One notch of the wheel scrolls this many logical pixels per scrolled line.
constexpr int pixelsPerLine = 20;
constexpr int notch = QWheelEvent::DefaultDeltasPerStep;

}  // namespace

CanvasView::CanvasView(QWidget* parent) : QAbstractScrollArea(parent), client_(new CanvasViewport) {
    setViewport(client_);
    setFrameShape(QFrame::NoFrame);
    // A bar that cannot scroll is shown disabled, never hidden, so the
    // client area keeps its size.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (bool horizontal : {true, false}) {
        QScrollBar* b = bar(horizontal);
        b->setRange(0, 0);
        b->setEnabled(false);
        b->setSingleStep(1);
        connect(b, &QAbstractSlider::actionTriggered, this,
                [this, horizontal](int action) { barAction(horizontal, action); });
    }
}

CanvasView::~CanvasView() = default;

void CanvasView::setEvents(CanvasViewEvents* events) {
    events_ = events;
    client_->setEvents(events);
}

QScrollBar* CanvasView::bar(bool horizontal) const {
    return horizontal ? horizontalScrollBar() : verticalScrollBar();
}

void CanvasView::setClientSizeHint(QSize size) {
    clientSizeHint_ = size;
    updateGeometry();
}

QSize CanvasView::sizeHint() const {
    const qreal ratio = client_->pixelRatio();
    const int frame = 2 * frameWidth();
    return QSize(int(std::ceil(clientSizeHint_.width() / ratio)) +
                     verticalScrollBar()->sizeHint().width() + frame,
                 int(std::ceil(clientSizeHint_.height() / ratio)) +
                     horizontalScrollBar()->sizeHint().height() + frame);
}

void CanvasView::barAction(bool horizontal, int action) {
    QScrollBar* b = bar(horizontal);
    ScrollRequest request;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            request = ScrollRequest::LineUp;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            request = ScrollRequest::LineDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            request = ScrollRequest::PageUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            request = ScrollRequest::PageDown;
            break;
        case QAbstractSlider::SliderMove:
            request = ScrollRequest::ThumbTrack;
            break;
        case QAbstractSlider::SliderToMinimum:
            request = ScrollRequest::Top;
            break;
        case QAbstractSlider::SliderToMaximum:
            // "Scroll to bottom" means the end of the picture: the thumb is
            // put there, rather than one client extent down.
            request = ScrollRequest::ThumbPosition;
            break;
        default:
            return;
    }
    // The slider has already moved its own position; until the frame says
    // otherwise it stays where it was.
    const int target = b->sliderPosition();
    b->setSliderPosition(b->value());
    if (!events_) return;
    inAction_ = true;
    events_->scrollRequested(
        request, action == QAbstractSlider::SliderToMaximum ? b->maximum() : target, horizontal);
    inAction_ = false;
}

void CanvasView::setRange(bool horizontal, std::int32_t maximum, std::int32_t position,
                          bool enabled) {
    QScrollBar* b = bar(horizontal);
    const QSignalBlocker quiet(b);
    const RECT client = client_->clientRect();
    // The thumb shows how much of the picture the view holds.
    b->setPageStep(std::max(1, horizontal ? client.right : client.bottom));
    b->setRange(0, std::max(0, maximum));
    b->setValue(position);
    b->setEnabled(enabled);
}

void CanvasView::setPosition(bool horizontal, std::int32_t position) {
    QScrollBar* b = bar(horizontal);
    if (inAction_) {
        // The action ends by taking the slider position as its value.
        b->setSliderPosition(position);
        return;
    }
    const QSignalBlocker quiet(b);
    b->setValue(position);
}

bool CanvasView::viewportEvent(QEvent* event) {
    // The wheel is the scroll area's; everything else (paint, mouse, size)
    // belongs to the canvas window itself.
    if (event->type() == QEvent::Wheel) return QAbstractScrollArea::viewportEvent(event);
    return false;
}

void CanvasView::scrollContentsBy(int, int) {
    // The frame moves the picture and repaints it through the document.
}

void CanvasView::wheelEvent(QWheelEvent* event) {
    if (!events_) return;
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        zoomRest_ += delta.y() != 0 ? delta.y() : delta.x();
        const int steps = zoomRest_ / notch;
        zoomRest_ -= steps * notch;
        // The canvas point under the pointer stays under it.
        const qreal ratio = client_->pixelRatio();
        const QPointF at = event->position() * ratio;
        if (steps != 0)
            events_->zoomStepped(steps, std::int32_t(std::floor(at.x())),
                                 std::int32_t(std::floor(at.y())));
        event->accept();
        return;
    }
    int dx = -delta.x(), dy = -delta.y();
    if (event->modifiers() & Qt::ShiftModifier) {
        dx += dy;
        dy = 0;
    }
    // Scrolled pixels per unit of wheel movement, in view pixels.
    const int perNotch =
        int(std::lround(QApplication::wheelScrollLines() * pixelsPerLine * client_->pixelRatio()));
    wheelRestX_ += dx * perNotch;
    wheelRestY_ += dy * perNotch;
    const int x = wheelRestX_ / notch, y = wheelRestY_ / notch;
    wheelRestX_ -= x * notch;
    wheelRestY_ -= y * notch;
    if (x != 0 || y != 0) events_->wheelScrolled(x, y);
    event->accept();
}
