#pragma once

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <cstdint>

#include "app/frame/frame_bar.h"

class CanvasViewEvents;
class CanvasViewport;
class QScrollBar;

// The canvas view: a scroll area whose viewport is the program's window. The
// scroll bars do not scroll anything themselves: every arrow, page click,
// thumb drag and key on them becomes one of the frame's scroll requests, and
// the frame sets their range and position back (`ViewScrollBars`).
class CanvasView final : public QAbstractScrollArea, public ViewScrollBars {
    Q_OBJECT

  public:
    explicit CanvasView(QWidget* parent = nullptr);
    ~CanvasView() override;

    // The client area, which is the program's canvas window.
    CanvasViewport& client() const { return *client_; }
    void setEvents(CanvasViewEvents* events);

    // ViewScrollBars
    void setRange(bool horizontal, std::int32_t maximum, std::int32_t position,
                  bool enabled) override;
    void setPosition(bool horizontal, std::int32_t position) override;

    // The client area the view asks for, in device pixels; the size hint
    // adds the scroll bars to it.
    void setClientSizeHint(QSize size);
    QSize sizeHint() const override;

  protected:
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void barAction(bool horizontal, int action);
    QScrollBar* bar(bool horizontal) const;

    CanvasViewport* client_;
    CanvasViewEvents* events_ = nullptr;
    QSize clientSizeHint_{600, 600};
    // Inside a bar's action the frame's answer replaces the slider's own
    // target, so the bar shows where the frame went.
    bool inAction_ = false;
    // Wheel movement too small to act on yet, carried to the next event.
    int wheelRestX_ = 0;
    int wheelRestY_ = 0;
    int zoomRest_ = 0;
};
