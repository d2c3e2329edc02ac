#pragma once

#include <QImage>
#include <QWidget>

namespace platform {
class PixelDialog;
}

// A borderless pop-up that shows a pixel dialog (the colour picker, the
// opacity slider): the dialog's own pixels inside a one-pixel black border,
// grown by a whole factor on a screen with more device pixels to a pixel.
// The mouse is the dialog's stylus, held by the pop-up so that moves and the
// release outside it arrive too. Escape, a press outside the pop-up and
// anything else that closes it end the dialog as cancelled.
class PixelPopup final : public QWidget {
    Q_OBJECT

  public:
    PixelPopup(platform::PixelDialog& dialog, QWidget* parent = nullptr);
    ~PixelPopup() override;

    // Shows the pop-up with its top-left corner at `origin` (global
    // coordinates) and runs until the dialog has closed; its result.
    int run(QPoint origin);

    // A point of the pop-up in the dialog's client pixels.
    QPoint clientPoint(QPointF position) const;
    // Where the client pixel `client` is shown in the pop-up (its centre).
    QPointF widgetPoint(QPoint client) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // After every event: paint what the dialog asks for, show it, and end
    // the run when the dialog has closed.
    void afterEvent();
    // Device pixels per client pixel.
    int factor() const;
    // Widget pixels per client pixel.
    qreal perPixel() const;

    platform::PixelDialog& dialog_;
    class QEventLoop* loop_ = nullptr;
    bool stylusDown_ = false;
    // The client area converted for the screen, of its size.
    QImage pixels_;
};
