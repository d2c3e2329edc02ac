#include <QObject>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "app/qt/button_bar.h"
#include "app/qt/testing/qt_test_registry.h"
#include "app/qt/testing/window_fixture.h"

using qttest::drag;
using qttest::WindowFixture;

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void theTitleNamesTheFileAndMarksChanges() {
        WindowFixture f;
        QCOMPARE(f.window->windowHandle()->title(), QStringLiteral("Untitled - Mirabo"));
        drag(&f.viewport(), QPoint(30, 30), QPoint(60, 40));
        f.settle();
        QCOMPARE(f.window->windowHandle()->title(), QStringLiteral("Untitled* - Mirabo"));
        DocumentState saved = f.app().documentState();
        saved.path = u"/home/someone/pictures/cat.zsf";
        saved.modified = false;
        f.window->documentStateChanged(saved);
        QCOMPARE(f.window->windowHandle()->title(), QStringLiteral("cat.zsf - Mirabo"));
    }

    void theToolButtonsSelectTools() {
        WindowFixture f;
        ButtonBar& tools = f.window->toolBar();
        QVERIFY(tools.isButtonPressed(40013));
        QTest::mouseClick(tools.button(40051), Qt::LeftButton);
        QCOMPARE(int(f.frame.currentTool), 8);
        QVERIFY(tools.isButtonPressed(40051));
        QVERIFY(!tools.isButtonPressed(40013));
        // Tapping the chosen tool again keeps it chosen.
        QTest::mouseClick(tools.button(40051), Qt::LeftButton);
        QVERIFY(tools.isButtonPressed(40051));
        // The shape group's button picks its member chosen last: the rectangle at first.
        QTest::mouseClick(tools.button(40016), Qt::LeftButton);
        QCOMPARE(int(f.frame.currentTool), 2);
        QVERIFY(tools.isButtonPressed(40016));
        // The option bar follows the tool: the eraser has no colour.
        QTest::mouseClick(tools.button(40051), Qt::LeftButton);
        QVERIFY(!f.window->optionBar().isButtonEnabled(OptionCommand::Colour));
    }

    void undoAndRedoShowOneArrowAtATime() {
        WindowFixture f;
        ButtonBar& options = f.window->optionBar();
        drag(&f.viewport(), QPoint(30, 30), QPoint(60, 40));
        f.settle();
        QVERIFY(options.isButtonVisible(OptionCommand::Undo));
        QVERIFY(!options.isButtonVisible(OptionCommand::Redo));
        const QPoint inked = f.devicePoint(QPoint(30, 30));
        QVERIFY(f.canvasPixel(inked.x(), inked.y()) != 0xFFFFFF);
        QTest::mouseClick(options.button(OptionCommand::Undo), Qt::LeftButton);
        f.settle();
        QCOMPARE(f.canvasPixel(inked.x(), inked.y()), QRgb(0xFFFFFF));
        QVERIFY(!options.isButtonVisible(OptionCommand::Undo));
        QVERIFY(options.isButtonVisible(OptionCommand::Redo));
        QVERIFY(options.isButtonEnabled(OptionCommand::Redo));
        QTest::mouseClick(options.button(OptionCommand::Redo), Qt::LeftButton);
        f.settle();
        QVERIFY(f.canvasPixel(inked.x(), inked.y()) != 0xFFFFFF);
    }

    void theFirstWindowShowsTheCanvasWithinTheScreen() {
        WindowFixture f;
        const QRect available = f.window->screen()->availableGeometry();
        QVERIFY(f.window->width() <= available.width());
        QVERIFY(f.window->height() <= available.height());
        const RECT client = f.viewport().clientRect();
        // All of the canvas at 100 %, unless the screen is too small for it.
        const QSize wanted = f.window->sizeHint();
        if (wanted.width() <= available.width() - 16 &&
            wanted.height() <= available.height() - 48) {
            QCOMPARE(client.right, 600);
            QCOMPARE(client.bottom, 600);
        }
        QVERIFY(f.window->toolBar().isVisible());
        QVERIFY(f.window->optionBar().isVisible());
        QCOMPARE(int(f.frame.zoomShift), 0);
    }
};

MIRABO_QT_TEST(MainWindowTest, "main_window");
#include "main_window_test.moc"
