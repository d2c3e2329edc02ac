#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QTest>
#include <QToolButton>
#include <QWidgetAction>

#include "app/frame/pictures/picture_library.h"
#include "app/qt/button_bar.h"
#include "app/qt/canvas_viewport.h"
#include "app/qt/testing/modal_script.h"
#include "app/qt/testing/qt_test_registry.h"
#include "app/qt/testing/window_fixture.h"

using qttest::clickThrough;
using qttest::ModalScript;
using qttest::QtPopupsInstalled;
using qttest::WindowFixture;

namespace {

// What a palette showed: its name, where it opened, and its items as lines
// ("text" with a leading "* " when checked, or "picture WxH" in logical
// pixels for a picture).
struct ShownPalette {
    QString name;
    QPoint at;
    QStringList items;
};

// A step that notes the palette being shown and chooses item `choose`
// with the mouse, or dismisses the palette with Escape when it is -1.
ModalScript::Step choose(ShownPalette& shown, int choose) {
    return [&shown, choose](QWidget* popup) {
        auto* menu = qobject_cast<QMenu*>(popup);
        if (!menu) return false;
        shown.name = menu->objectName();
        shown.at = menu->pos();
        for (QAction* action : menu->actions()) {
            if (auto* picture = qobject_cast<QWidgetAction*>(action)) {
                const auto* label = qobject_cast<QLabel*>(picture->defaultWidget());
                const QSize size = label->pixmap().deviceIndependentSize().toSize();
                shown.items << QStringLiteral("picture %1x%2").arg(size.width()).arg(size.height());
            } else {
                shown.items << (action->isChecked() ? "* " : "") + action->text();
            }
        }
        if (choose < 0) {
            QTest::keyClick(menu, Qt::Key_Escape);
        } else {
            const QPoint at = menu->actionGeometry(menu->actions().at(choose)).center();
            QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        }
        return true;
    };
}

// Where the frame wants the palette of `command` on `bar` to open.
QPoint origin(const WindowFixture& f, const ButtonBar& bar, std::int32_t command) {
    POINT at{};
    f.frame.paletteOrigin(&bar, command, at);
    return QPoint(at.x, at.y);
}

}  // namespace

class QtPopupMenusTest : public QObject {
    Q_OBJECT

  private slots:
    void theShapePaletteShowsPicturesAndPicksAShape() {
        WindowFixture f;
        QtPopupsInstalled popups;
        ButtonBar& tools = f.window->toolBar();
        ShownPalette shown;
        QVERIFY(clickThrough(tools.button(ToolCommand::Rectangle), {choose(shown, 3)}));
        QCOMPARE(shown.name, QStringLiteral("shape"));
        // Each picture at its own size: 32 x 20 at one device pixel to a pixel.
        const qreal ratio = f.window->devicePixelRatioF();
        const QSize picture = (QSizeF(32, 20) * std::max(1.0, std::round(ratio)) / ratio).toSize();
        const QString item =
            QStringLiteral("picture %1x%2").arg(picture.width()).arg(picture.height());
        QCOMPARE(shown.items, QStringList(5, item));
        QCOMPARE(shown.at.x(), origin(f, tools, ToolCommand::Rectangle).x());
        // The fourth is the filled rectangle; the group's button shows it selected.
        QCOMPARE(int(f.frame.currentTool), int(ToolButton::FilledRectangle));
        QVERIFY(tools.isButtonPressed(ToolCommand::Rectangle));
        QCOMPARE(tools.pictureIdOf(tools.buttonImage(ToolCommand::Rectangle)), 165);

        // Another tool, then the group's button and a dismissed palette: the
        // filled rectangle again.
        QTest::mouseClick(tools.button(ToolCommand::Pencil), Qt::LeftButton);
        ShownPalette again;
        QVERIFY(clickThrough(tools.button(ToolCommand::Rectangle), {choose(again, -1)}));
        QCOMPARE(int(f.frame.currentTool), int(ToolButton::FilledRectangle));
    }

    void aPaletteOpensInsideTheWindowAndAPressThatClosesItOnTheCanvasDraws() {
        WindowFixture f;
        QtPopupsInstalled popups;
        CanvasViewport& canvas = f.viewport();
        const QPoint start(40, 40), end(120, 90);
        QRect shown;
        // The shape palette opens at the tool bar along the window's bottom
        // edge; the user presses on the canvas to start drawing instead.
        const auto pressOnCanvas = [&](QWidget* popup) {
            auto* menu = qobject_cast<QMenu*>(popup);
            if (!menu) return false;
            shown = menu->geometry();
            QTest::mousePress(menu, Qt::LeftButton, {},
                              menu->mapFromGlobal(canvas.mapToGlobal(start)));
            return true;
        };
        QVERIFY(clickThrough(f.window->toolBar().button(ToolCommand::Rectangle), {pressOnCanvas}));
        const QRect window(f.window->mapToGlobal(QPoint(0, 0)), f.window->size());
        QVERIFY2(window.contains(shown), "the palette lies inside the window");
        f.settle();
        QTest::mouseMove(&canvas, end);
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, end);
        f.settle();

        // Dismissed, the palette chose the rectangle again, and the press
        // began it: one rectangle from the press to the release.
        QCOMPARE(int(f.frame.currentTool), int(ToolButton::Rectangle));
        QVERIFY(f.document.canUndo());
        const QPoint corner = f.devicePoint(start);
        QCOMPARE(f.canvasPixel(corner.x(), corner.y()), QRgb(0));
        f.document.executeCommand(DocCommand::Undo, 0);
        QVERIFY(!f.document.canUndo());
    }

    void theZoomPaletteChecksTheZoomAndChangesIt() {
        WindowFixture f;
        QtPopupsInstalled popups;
        ButtonBar& options = f.window->optionBar();
        ShownPalette shown;
        QVERIFY(clickThrough(options.button(OptionCommand::Zoom), {choose(shown, 4)}));
        QCOMPARE(shown.name, QStringLiteral("zoom"));
        QCOMPARE(shown.items,
                 (QStringList{"25%", "50%", "* 100%", "200%", "400%", "800%", "1600%"}));
        // Centred under the button, ten pixels up into it.
        QCOMPARE(shown.at, origin(f, options, OptionCommand::Zoom));
        QCOMPARE(f.frame.zoomShift, 2);
        f.settle();

        ShownPalette dismissed;
        QVERIFY(clickThrough(options.button(OptionCommand::Zoom), {choose(dismissed, -1)}));
        QCOMPARE(dismissed.items.at(4), QStringLiteral("* 400%"));
        QCOMPARE(f.frame.zoomShift, 2);
    }

    void theFontPaletteStartsWithTheFirstFaceChecked() {
        WindowFixture f;
        QtPopupsInstalled popups;
        // The text tool uses the font buttons.
        QTest::mouseClick(f.window->toolBar().button(ToolCommand::Text), Qt::LeftButton);
        ButtonBar& options = f.window->optionBar();
        QVERIFY(options.isButtonEnabled(OptionCommand::Font));
        ShownPalette shown;
        QVERIFY(clickThrough(options.button(OptionCommand::Font), {choose(shown, -1)}));
        QCOMPARE(shown.name, QStringLiteral("font"));
        QVERIFY(!shown.items.isEmpty());
        QVERIFY(shown.items.front().startsWith("* "));
        QCOMPARE(QString::fromUtf16(f.frame.fontName), shown.items.front().mid(2));
        if (shown.items.size() < 2) QSKIP("only one font family is installed");

        ShownPalette second;
        QVERIFY(clickThrough(options.button(OptionCommand::Font), {choose(second, 1)}));
        QCOMPARE(QString::fromUtf16(f.frame.fontName), second.items.at(1));
    }

    void theSizePaletteShowsTheWidthsAtTheirOwnSize() {
        WindowFixture f;
        QtPopupsInstalled popups;
        ShownPalette shown;
        QVERIFY(
            clickThrough(f.window->optionBar().button(OptionCommand::Size), {choose(shown, 5)}));
        QCOMPARE(shown.name, QStringLiteral("widths"));
        QCOMPARE(shown.items.size(), 8);
        QCOMPARE(f.frame.lineWidth, 6);
    }
};

MIRABO_QT_TEST(QtPopupMenusTest, "qt_popup_menus");
#include "qt_popup_menus_test.moc"
