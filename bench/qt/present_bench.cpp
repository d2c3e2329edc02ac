// What the window adds to every repaint: presenting the canvas view's
// backing store on the screen, and one stylus move delivered through Qt's
// event handling, painted and presented, each beside one memcpy of the
// view's bytes.

#include <benchmark/benchmark.h>

#include <QMouseEvent>
#include <cstring>
#include <memory>
#include <vector>

#include "app/frame/main_frame.h"
#include "app/qt/canvas_view.h"
#include "app/qt/canvas_viewport.h"
#include "app/qt/main_window.h"
#include "bench/qt/qt_application.h"
#include "bench/targets.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/surface.h"

namespace {

constexpr int viewWidth = 1280;
constexpr int viewHeight = 800;

void memcpyViewBytes(benchmark::State& state) {
    std::vector<std::uint8_t> from(std::size_t(viewWidth) * viewHeight * 3, 0x5A);
    std::vector<std::uint8_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(memcpyViewBytes);

// One iteration: a surface on the whole view is released, and the event
// loop paints what it presented.
void presentFullView(benchmark::State& state) {
    bench::qtApplication();
    CanvasViewport view;
    view.resize(viewWidth, viewHeight);
    view.show();
    bench::settleEvents();
    if (view.clientRect().right != viewWidth || view.clientRect().bottom != viewHeight) {
        state.SkipWithError("the view has another size (a scaled screen?)");
        return;
    }
    const platform::Brush ink = platform::Brush::solid(0x336699);
    const int before = view.directPaints();
    for (auto _ : state) {
        {
            // Two corner pixels: the surface then counts the whole view as drawn.
            const std::unique_ptr<platform::Surface> surface = view.getSurface();
            surface->fillRect(RECT{0, 0, 1, 1}, ink);
            surface->fillRect(RECT{viewWidth - 1, viewHeight - 1, viewWidth, viewHeight}, ink);
        }
        bench::settleEvents();
    }
    if (view.directPaints() - before < int(state.iterations()))
        state.SkipWithError("the view was not painted straight into the screen's pixels");
    state.counters["pixels"] = double(view.convertedPixels()) / double(state.iterations());
}
BENCHMARK(presentFullView);

// The program's window with a 1024 x 1024 canvas and a 1280 x 800 view.
struct Window {
    std::unique_ptr<MainWindow> window;
    MainFrame& frame;

    Window()
        : window((bench::qtApplication(), std::make_unique<MainWindow>(1024))),
          frame(window->application().frame()) {
        window->startUp(u"", false);
        bench::settleEvents();
        // Twice: the frame fits the view a row differently after a resize
        // than when the bars were first shown.
        for (int i = 0; i < 2; ++i) {
            const RECT client = view().clientRect();
            window->resize(window->size() +
                           QSize(viewWidth - client.right, viewHeight - client.bottom));
            bench::settleEvents();
        }
    }
    CanvasViewport& view() const { return window->canvasView().client(); }
    void send(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(x, y), view().mapToGlobal(QPointF(x, y)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&view(), &event);
    }
};

// One iteration is one event of a stroke of 256, as for the headless
// stroke benchmark: a down, 254 moves along a zigzag, an up. Argument: zoom.
void qtStrokeMove(benchmark::State& state) {
    Window w;
    const RECT client = w.view().clientRect();
    if (client.right != viewWidth || client.bottom != viewHeight) {
        state.SkipWithError("the view has another size (a scaled screen?)");
        return;
    }
    w.frame.changeZoom(std::int32_t(state.range(0)));
    w.frame.scrollTo(ScrollRequest::ThumbPosition, 200, true, false);
    w.frame.scrollTo(ScrollRequest::ThumbPosition, 200, false, false);
    bench::settleEvents();
    int i = 0;
    for (auto _ : state) {
        const int step = i % 256;
        const int x = 100 + (step * 4) % 1000;
        const int y = 100 + (step / 250) * 40 + (step % 2) * 3;
        if (step == 0)
            w.send(QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
        else if (step == 255)
            w.send(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton);
        else
            w.send(QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton);
        bench::settleEvents();
        ++i;
    }
}
BENCHMARK(qtStrokeMove)->ArgName("zoom")->Arg(0)->Arg(4);

MIRABO_TARGET("present a 1280x800 view vs memcpy of its bytes", "presentFullView",
              "memcpyViewBytes", 1.5);
MIRABO_TARGET("brush move through Qt at 100% vs memcpy of the view", "qtStrokeMove/zoom:0",
              "memcpyViewBytes", 3.0);
MIRABO_TARGET("brush move through Qt at 1600% vs memcpy of the view", "qtStrokeMove/zoom:4",
              "memcpyViewBytes", 3.0);

}  // namespace
