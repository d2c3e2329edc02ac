#include <QImage>
#include <QKeyEvent>
#include <QObject>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <cstring>
#include <string>
#include <vector>

#include "app/frame/canvas_view_events.h"
#include "app/qt/testing/qt_test_registry.h"
#include "app/qt/testing/window_fixture.h"
#include "platform/gdi/surface.h"

using qttest::drag;
using qttest::sendMouse;
using qttest::WindowFixture;

namespace {

constexpr QRgb white = 0xFFFFFF;

// The pencil's colour (black) as blended at its default opacity.
bool isInk(QRgb pixel) {
    return qRed(pixel) < 0x10 && qGreen(pixel) < 0x10 && qBlue(pixel) < 0x10;
}

// Everything a canvas view reports, as short readable lines.
class RecordingEvents : public CanvasViewEvents {
  public:
    void stylusDown(std::int32_t x, std::int32_t y) override { add("down", x, y); }
    void stylusMove(std::int32_t x, std::int32_t y) override { add("move", x, y); }
    void stylusUp(std::int32_t x, std::int32_t y) override { add("up", x, y); }
    void character(char16_t c) override { lines.push_back("char " + std::to_string(int(c))); }
    void paintRequested() override { lines.push_back("paint"); }
    void timer(std::uint32_t id) override { lines.push_back("timer " + std::to_string(id)); }
    void clientSizeChanged() override { lines.push_back("size"); }
    void scrollRequested(ScrollRequest request, std::int32_t position, bool horizontal) override {
        lines.push_back("scroll " + std::to_string(int(request)) + " " + std::to_string(position) +
                        (horizontal ? " h" : " v"));
    }
    void wheelScrolled(std::int32_t dx, std::int32_t dy) override { add("wheel", dx, dy); }
    void zoomStepped(int steps, std::int32_t x, std::int32_t y) override {
        add(("zoom " + std::to_string(steps) + " at").c_str(), x, y);
    }

    void add(const char* what, std::int32_t x, std::int32_t y) {
        lines.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    int count(const std::string& prefix) const {
        int n = 0;
        for (const std::string& line : lines)
            n += line.rfind(prefix, 0) == 0;
        return n;
    }
    std::vector<std::string> lines;
};

// Where a part of a scroll bar is, in its own coordinates.
QRect partOf(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

// The live picture's bytes, to tell whether anything was painted.
std::vector<std::uint8_t> pictureBytes(const SketchDocument& document) {
    const platform::Bitmap* live = document.canvas.livePicture();
    return std::vector<std::uint8_t>(live->bits(), live->bits() + live->byteCount());
}

}  // namespace

class CanvasViewTest : public QObject {
    Q_OBJECT

  private slots:
    void aPencilDragPaintsUnderTheMouseAtFullSize() {
        WindowFixture f;
        QWidget* view = &f.viewport();
        drag(view, QPoint(20, 30), QPoint(60, 30));
        f.settle();
        for (int x : {20, 35, 60}) {
            const QPoint p = f.devicePoint(QPoint(x, 30));
            // One picture pixel to one view pixel, wherever the scale factor is.
            QVERIFY(isInk(f.canvasPixel(p.x(), p.y())));
            QVERIFY(isInk(f.storePixel(p)));
            QVERIFY(isInk(f.screenPixel(p)));
        }
        const QPoint above = f.devicePoint(QPoint(40, 20));
        QCOMPARE(f.canvasPixel(above.x(), above.y()), white);
        QCOMPARE(f.screenPixel(above), white);
        QVERIFY(f.document.isModified());
    }

    void aPencilDragPaintsUnderTheMouseMagnifiedAndScrolled() {
        WindowFixture f;
        f.frame.changeZoom(2);
        f.frame.scrollTo(ScrollRequest::ThumbPosition, 400, true, true);
        f.frame.scrollTo(ScrollRequest::ThumbPosition, 200, false, true);
        f.settle();
        QCOMPARE(f.view().horizontalScrollBar()->value(), 400);
        QCOMPARE(f.view().verticalScrollBar()->value(), 200);

        QWidget* view = &f.viewport();
        drag(view, QPoint(40, 41), QPoint(90, 41));
        f.settle();
        for (int x : {40, 65, 90}) {
            const QPoint p = f.devicePoint(QPoint(x, 41));
            // At 400 % a canvas pixel is four view pixels across.
            QVERIFY(isInk(f.canvasPixel((p.x() + 400) >> 2, (p.y() + 200) >> 2)));
            QVERIFY(isInk(f.screenPixel(p)));
        }
        const QPoint below = f.devicePoint(QPoint(60, 70));
        QCOMPARE(f.canvasPixel((below.x() + 400) >> 2, (below.y() + 200) >> 2), white);
        QCOMPARE(f.screenPixel(below), white);
    }

    void movingWithoutTheButtonPaintsNothing() {
        WindowFixture f;
        CanvasViewport& view = f.viewport();
        // Even a view that asks for every move draws only while the button is held.
        view.setMouseTracking(true);
        const std::vector<std::uint8_t> before = pictureBytes(f.document);
        for (int x = 10; x < 200; x += 7)
            sendMouse(&view, QEvent::MouseMove, QPointF(x, x / 2), Qt::NoButton, Qt::NoButton);
        // Nor does any other button.
        sendMouse(&view, QEvent::MouseButtonPress, QPointF(30, 30), Qt::RightButton,
                  Qt::RightButton);
        sendMouse(&view, QEvent::MouseMove, QPointF(80, 30), Qt::NoButton, Qt::RightButton);
        sendMouse(&view, QEvent::MouseButtonRelease, QPointF(80, 30), Qt::RightButton,
                  Qt::NoButton);
        f.settle();
        QVERIFY(pictureBytes(f.document) == before);
        QVERIFY(!f.document.isModified());
        QVERIFY(!f.document.canUndo());
    }

    void aStrokeConvertsOnlyWhatItChanged() {
        // A view smaller than the picture, so that it has no grey margins
        // (which every repaint draws again).
        WindowFixture f(QSize(420, 420));
        CanvasViewport& view = f.viewport();
        sendMouse(&view, QEvent::MouseButtonPress, QPointF(100, 100), Qt::LeftButton,
                  Qt::LeftButton);
        f.settle();
        const std::int64_t before = view.convertedPixels();
        const int direct = view.directPaints();
        for (int x = 101; x < 110; ++x) {
            sendMouse(&view, QEvent::MouseMove, QPointF(x, 100), Qt::NoButton, Qt::LeftButton);
            f.settle();
        }
        const RECT client = view.clientRect();
        const std::int64_t whole = std::int64_t(client.right) * client.bottom;
        QVERIFY(view.convertedPixels() > before);
        QVERIFY2(view.convertedPixels() - before < whole / 50, "a short stroke repainted much");
        // Straight into the window's pixels, without a converted copy.
        QVERIFY(view.directPaints() > direct);
        sendMouse(&view, QEvent::MouseButtonRelease, QPointF(110, 100), Qt::LeftButton,
                  Qt::NoButton);
    }

    void aPaintIntoAnotherFormatGoesThroughACopy() {
        WindowFixture f;
        CanvasViewport& view = f.viewport();
        drag(&view, QPoint(20, 30), QPoint(60, 30));
        f.settle();
        const int direct = view.directPaints();
        const int copied = view.copiedPaints();
        // A 24-bit image takes no rows straight from the store.
        const qreal ratio = view.pixelRatio();
        QImage image(view.size() * ratio, QImage::Format_RGB888);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::red);
        view.render(&image);
        QVERIFY(view.copiedPaints() > copied);
        QCOMPARE(view.directPaints(), direct);
        const QPoint on = f.devicePoint(QPoint(40, 30));
        const QPoint above = f.devicePoint(QPoint(40, 20));
        QVERIFY(isInk(image.pixel(on)));
        QCOMPARE(image.pixel(above) & 0xFFFFFF, white);
    }

    void invalidationsMakeOneRepaintPerTurn() {
        WindowFixture f;
        CanvasViewport& view = f.viewport();
        const int presents = view.presents();
        for (int i = 0; i < 5; ++i)
            view.invalidate(nullptr);
        RECT outside{-10, -10, -1, -1};
        view.invalidate(&outside);
        f.settle();
        QCOMPARE(view.presents(), presents + 1);
        // Painting what was presented asks for nothing more.
        f.settle();
        QCOMPARE(view.presents(), presents + 1);
    }

    void restingOnTheEdgeScrollsUntilTheStylusLifts() {
        WindowFixture f(QSize(420, 420));
        f.frame.changeZoom(1);
        f.frame.scrollTo(ScrollRequest::ThumbPosition, 400, true, true);
        f.settle();
        CanvasViewport& view = f.viewport();
        sendMouse(&view, QEvent::MouseButtonPress, QPointF(60, 60), Qt::LeftButton, Qt::LeftButton);
        // Beyond the left edge: the view keeps the stylus and holds the point at 0.
        sendMouse(&view, QEvent::MouseMove, QPointF(-30, 60), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f.frame.autoScrollTimer, MainFrame::autoScrollTimerId);
        // The timer's ticks come through the event loop and scroll 10 view
        // pixels each at 200 %.
        QTRY_VERIFY(f.frame.scrollX <= 400 - 3 * 10);
        sendMouse(&view, QEvent::MouseButtonRelease, QPointF(-30, 60), Qt::LeftButton,
                  Qt::NoButton);
        QCOMPARE(f.frame.autoScrollTimer, 0u);
        const int stopped = f.frame.scrollX;
        QTest::qWait(80);
        QCOMPARE(int(f.frame.scrollX), stopped);
        QVERIFY(f.document.canUndo());
        QVERIFY(!f.document.activeTool);
    }

    void keysTimersAndTheWheelReachTheEvents() {
        CanvasView view;
        RecordingEvents events;
        view.setEvents(&events);
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        CanvasViewport& client = view.client();
        events.lines.clear();

        QTest::keyClicks(&client, QStringLiteral("a?"));
        QTest::keyClick(&client, Qt::Key_Backspace);
        QTest::keyClick(&client, Qt::Key_Return);
        QTest::keyClick(&client, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&client, Qt::Key_Left);
        QCOMPARE(events.lines,
                 (std::vector<std::string>{"char 97", "char 63", "char 8", "char 13"}));

        events.lines.clear();
        client.setTimer(42, 5);
        QTRY_VERIFY(events.count("timer 42") >= 2);
        client.killTimer(42);
        const int ticks = events.count("timer 42");
        QTest::qWait(30);
        QCOMPARE(events.count("timer 42"), ticks);

        events.lines.clear();
        const QPointF at(50, 50);
        QWheelEvent down(at, client.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&client, &down);
        QWheelEvent sideways(at, client.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                             Qt::ShiftModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&client, &sideways);
        QWheelEvent zoomIn(at, client.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                           Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&client, &zoomIn);
        QCOMPARE(events.lines.size(), std::size_t(3));
        QVERIFY(events.lines[0].rfind("wheel 0,", 0) == 0 && events.lines[0] != "wheel 0,0");
        QVERIFY(events.lines[1].rfind("wheel -", 0) == 0);
        // The pointer's view pixel stays over its canvas point.
        const QPoint pointer = (at * client.pixelRatio()).toPoint();
        QCOMPARE(events.lines[2],
                 "zoom 1 at " + std::to_string(pointer.x()) + "," + std::to_string(pointer.y()));
    }

    void aBarThatCannotScrollIsDisabledNotHidden() {
        WindowFixture f;
        f.frame.changeZoom(-2);
        f.settle();
        for (QScrollBar* bar : {f.view().horizontalScrollBar(), f.view().verticalScrollBar()}) {
            QVERIFY(bar->isVisible());
            QVERIFY(!bar->isEnabled());
        }
        f.frame.changeZoom(2);
        f.settle();
        QScrollBar* bar = f.view().horizontalScrollBar();
        QVERIFY(bar->isEnabled());
        QCOMPARE(bar->maximum(), f.frame.maxScrollX);
        // The thumb's share of the bar is the view's share of the picture.
        QCOMPARE(bar->pageStep(), int(f.viewport().clientRect().right));
    }

    void theArrowsStepThroughTheFrame() {
        WindowFixture f(QSize(420, 420));
        markCanvas(f, 250, 100);
        QScrollBar* bar = f.view().horizontalScrollBar();
        QVERIFY(bar->isEnabled());
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          partOf(bar, QStyle::SC_ScrollBarAddLine).center());
        f.settle();
        QCOMPARE(f.frame.scrollX, std::int16_t(1));
        QCOMPARE(bar->value(), 1);
        QVERIFY(isInk(f.storePixel(QPoint(249, 100))));
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          partOf(bar, QStyle::SC_ScrollBarSubLine).center());
        f.settle();
        QCOMPARE(f.frame.scrollX, std::int16_t(0));
        QVERIFY(isInk(f.storePixel(QPoint(250, 100))));
    }

    void aPageClickStepsOneClientWidth() {
        WindowFixture f(QSize(420, 420));
        f.frame.changeZoom(1);
        f.settle();
        markCanvas(f, 250, 100);
        QScrollBar* bar = f.view().horizontalScrollBar();
        const std::int32_t page = f.viewport().clientRect().right;
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          partOf(bar, QStyle::SC_ScrollBarAddPage).center());
        f.settle();
        QCOMPARE(int(f.frame.scrollX), std::min(page, f.frame.maxScrollX));
        QCOMPARE(bar->value(), int(f.frame.scrollX));
    }

    void draggingTheThumbScrollsThePicture() {
        WindowFixture f(QSize(420, 420));
        markCanvas(f, 250, 100);
        QScrollBar* bar = f.view().horizontalScrollBar();
        const QPoint grip = partOf(bar, QStyle::SC_ScrollBarSlider).center();
        sendMouse(bar, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        for (int dx = 4; dx <= 40; dx += 4)
            sendMouse(bar, QEvent::MouseMove, grip + QPoint(dx, 0), Qt::NoButton, Qt::LeftButton);
        // Every step of the drag reaches the frame and shows at once.
        QVERIFY(f.frame.scrollX > 0);
        QCOMPARE(bar->value(), int(f.frame.scrollX));
        sendMouse(bar, QEvent::MouseButtonRelease, grip + QPoint(40, 0), Qt::LeftButton,
                  Qt::NoButton);
        f.settle();
        const int scrolled = f.frame.scrollX;
        QVERIFY(scrolled > 0);
        QCOMPARE(bar->value(), scrolled);
        QVERIFY(isInk(f.storePixel(QPoint(250 - scrolled, 100))));
    }

    void keysOnABarScrollThroughTheFrame() {
        WindowFixture f(QSize(420, 420));
        QScrollBar* bar = f.view().verticalScrollBar();
        const std::int32_t page = f.viewport().clientRect().bottom;
        QTest::keyClick(bar, Qt::Key_PageDown);
        f.settle();
        QCOMPARE(int(f.frame.scrollY), std::min(page, f.frame.maxScrollY));
        QTest::keyClick(bar, Qt::Key_Home);
        QCOMPARE(int(f.frame.scrollY), 0);
        QTest::keyClick(bar, Qt::Key_End);
        QCOMPARE(int(f.frame.scrollY), f.frame.maxScrollY);
        QCOMPARE(bar->value(), f.frame.maxScrollY);
        QTest::keyClick(bar, Qt::Key_Up);
        QCOMPARE(int(f.frame.scrollY), f.frame.maxScrollY - 1);
    }

  private:
    // A pencil dot at a canvas pixel, drawn at 100 % before any scrolling.
    static void markCanvas(WindowFixture& f, std::int32_t x, std::int32_t y) {
        const std::int32_t shift = f.frame.zoomShift;
        f.frame.changeZoom(0);
        f.frame.viewStylusDown(x, y);
        f.frame.viewStylusUp(x, y);
        f.frame.changeZoom(shift);
        f.settle();
        QVERIFY(isInk(f.canvasPixel(x, y)));
    }
};

MIRABO_QT_TEST(CanvasViewTest, "canvas_view");
#include "canvas_view_test.moc"
