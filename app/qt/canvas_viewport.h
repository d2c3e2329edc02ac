#pragma once

#include <QBasicTimer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>

#include "platform/gdi/bitmap.h"
#include "platform/window/window.h"

class CanvasViewEvents;
class QImage;

// The canvas view's client area: a widget that is a `platform::Window`. The
// program draws into a 24-bit backing store with one pixel per device pixel,
// so at 100 % a picture pixel is a screen pixel at every scale factor. A
// surface that is released shows only the part it drew: that part is
// converted straight into the screen's pixels at the next paint, and
// nothing else is converted.
class CanvasViewport final : public QWidget, public platform::Window {
    Q_OBJECT

  public:
    explicit CanvasViewport(QWidget* parent = nullptr);
    ~CanvasViewport() override;

    // Where stylus, key, paint and timer events go; null drops them.
    void setEvents(CanvasViewEvents* events) { events_ = events; }

    // platform::Window
    RECT clientRect() const override;
    std::unique_ptr<platform::Surface> getSurface() override;
    void invalidate(const RECT* area) override;
    void setCapture(bool captured) override;
    bool hasCapture() const override { return captured_; }
    bool setTimer(std::uint32_t id, std::uint32_t periodMs) override;
    void killTimer(std::uint32_t id) override;

    // What the program drew, for tests and benchmarks; null until it first
    // drew.
    const platform::Bitmap* pictureStore() const { return store_.get(); }
    // Device pixels per logical pixel of this widget.
    qreal pixelRatio() const;
    // Paint events that drew straight into the screen's pixels, and those
    // that had to go through a converted copy.
    int directPaints() const { return directPaints_; }
    int copiedPaints() const { return copiedPaints_; }
    // Surfaces released with something drawn on them.
    int presents() const { return presents_; }
    // Pixels converted for the screen so far.
    std::int64_t convertedPixels() const { return convertedPixels_; }

  protected:
    void present(platform::Surface& surface) override;

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    // The client area's size in device pixels, from the widget's.
    void takeNewSize();
    // A store of the client area's size, white when new; false when there
    // is none to be had.
    bool ensureStore();
    // A paint's target when the store's rows can be converted straight into
    // it: a 32-bit image at exactly our scale, offset by (dx, dy) device
    // pixels. The image is null otherwise.
    struct ScreenTarget {
        QImage* image = nullptr;
        std::int32_t dx = 0;
        std::int32_t dy = 0;
    };
    ScreenTarget screenTarget(const class QPainter& painter) const;
    void paintRect(class QPainter& painter, const ScreenTarget& screen, const QRect& logical);
    void sendCharacters(const QString& text);
    // A mouse position in view pixels.
    QPoint viewPoint(const QPointF& position) const;

    CanvasViewEvents* events_ = nullptr;
    std::unique_ptr<platform::Bitmap> store_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    qreal storeRatio_ = 1;
    bool repaintPosted_ = false;
    bool stylusDown_ = false;
    QPoint lastStylus_;
    bool captured_ = false;
    std::map<std::uint32_t, QBasicTimer> timers_;
    int directPaints_ = 0;
    int copiedPaints_ = 0;
    int presents_ = 0;
    std::int64_t convertedPixels_ = 0;
};
