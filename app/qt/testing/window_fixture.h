#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <memory>

#include "app/frame/main_frame.h"
#include "app/qt/canvas_view.h"
#include "app/qt/canvas_viewport.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_modal_dialogs.h"
#include "app/qt/qt_popup_menus.h"
#include "document/sketch_document.h"
#include "platform/gdi/bitmap.h"

namespace qttest {

// The program's main window, shown on the offscreen screen and started as
// the program starts it (without a hibernated drawing, which belongs to no
// test). `frame` and `document` look inside the program.
struct WindowFixture {
    std::unique_ptr<MainWindow> window;
    MainFrame& frame;
    SketchDocument& document;
    bool exposed = false;

    // `size` in device pixels, so the canvas view holds as many view pixels
    // at every scale factor; an empty size keeps the window's own.
    explicit WindowFixture(QSize size = QSize())
        : window(std::make_unique<MainWindow>()),
          frame(window->application().frame()),
          document(window->application().document()) {
        if (size.isValid())
            window->resize(size / QApplication::primaryScreen()->devicePixelRatio());
        window->startUp(u"", false);
        exposed = QTest::qWaitForWindowExposed(window.get());
        settle();
    }

    Application& app() const { return window->application(); }
    CanvasView& view() const { return window->canvasView(); }
    CanvasViewport& viewport() const { return window->canvasView().client(); }
    qreal ratio() const { return viewport().pixelRatio(); }

    // Lets the event loop run until nothing is left to do: repaint requests,
    // paints, timers that are due.
    static void settle() {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    // A logical point of the viewport in view (device) pixels.
    QPoint devicePoint(QPoint logical) const {
        return QPoint(int(std::floor(logical.x() * ratio())),
                      int(std::floor(logical.y() * ratio())));
    }

    // The live picture's pixel, as 0xRRGGBB.
    QRgb canvasPixel(std::int32_t x, std::int32_t y) {
        const COLORREF c = document.canvas.pixelAt(POINT{x, y});
        return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)) & 0xFFFFFF;
    }

    // What the screen shows at a point of the canvas view, in view pixels.
    QRgb screenPixel(QPoint view) const {
        const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
        const QPoint origin = viewport().mapTo(window.get(), QPoint(0, 0));
        const QPoint at(int(std::lround(origin.x() * ratio())) + view.x(),
                        int(std::lround(origin.y() * ratio())) + view.y());
        return shot.pixel(at) & 0xFFFFFF;
    }

    // What the canvas view's backing store holds at a point, as 0xRRGGBB.
    QRgb storePixel(QPoint view) const {
        const std::uint8_t* p = viewport().pictureStore()->row(view.y()) + view.x() * 3;
        return qRgb(p[2], p[1], p[0]) & 0xFFFFFF;
    }
};

// The program's Qt palettes and pop-up dialogs, installed for as long as
// this lives (without them every palette and dialog is dismissed at once).
struct QtPopupsInstalled {
    QtPopupMenus menus;
    QtModalDialogs dialogs;
    QtPopupsInstalled() {
        platform::setPopupMenus(&menus);
        platform::setModalDialogs(&dialogs);
    }
    ~QtPopupsInstalled() {
        platform::setModalDialogs(nullptr);
        platform::setPopupMenus(nullptr);
    }
    QtPopupsInstalled(const QtPopupsInstalled&) = delete;
    QtPopupsInstalled& operator=(const QtPopupsInstalled&) = delete;
};

// A mouse event as the window system would send it, buttons held included.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Presses the left button at `from`, moves to `to` in `steps` moves and
// lets go there.
inline void drag(QWidget* widget, QPoint from, QPoint to, int steps = 8) {
    sendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= steps; ++i) {
        const QPointF p = QPointF(from) + (QPointF(to - from) * i) / steps;
        sendMouse(widget, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    }
    sendMouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

}  // namespace qttest
