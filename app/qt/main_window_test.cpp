#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

#include "app/qt/button_bar.h"
#include "app/qt/menu_row.h"
#include "app/qt/qt_modal_dialogs.h"
#include "app/qt/testing/modal_script.h"
#include "app/qt/testing/qt_test_registry.h"
#include "app/qt/testing/window_fixture.h"

using qttest::drag;
using qttest::ModalScript;
using qttest::WindowFixture;

namespace {

// A menu text without its mnemonic marker.
QString plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

// A menu's items as lines: "text id", sub-menus indented, separators "-".
QStringList describe(const QMenu& menu, const MenuRow& row, const QString& indent = {}) {
    QStringList lines;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            lines << indent + "-";
        } else if (action->menu()) {
            lines << indent + plain(action->text());
            lines << describe(*action->menu(), row, indent + "  ");
        } else {
            std::int32_t id = -1;
            for (std::int32_t command = 40000; command < 40100 && id < 0; ++command)
                if (row.item(command) == action) id = command;
            lines << indent + plain(action->text()) + " " + QString::number(id);
        }
    }
    return lines;
}

// Opens a menu of the menu bar as a click would, reads an item's state and
// closes it again.
bool enabledWhenOpened(const WindowFixture& f, std::int32_t menuCommand, std::int32_t item) {
    QMenu* menu = f.window->menuRow().menu(menuCommand);
    menu->popup(f.window->mapToGlobal(QPoint(0, 0)));
    const bool enabled = f.window->menuRow().item(item)->isEnabled();
    menu->close();
    return enabled;
}

void sendKey(QWidget* to, QEvent::Type type, int key, bool autoRepeat) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(to, &event);
}

}  // namespace

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

    void theMenusFollowTheProgramsMenuData() {
        WindowFixture f;
        const MenuRow& row = f.window->menuRow();
        QStringList titles;
        for (QAction* action : row.menuBar().actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Tools"}));
        QCOMPARE(
            describe(*row.menu(MenuCommand::FileMenu), row),
            (QStringList{"Export As", "  Bitmap 40047", "  JPEG 40058", "  PNG 40059", "Import...",
                         "  Bitmap 40049", "  JPEG 40056", "  PNG 40055", "-", "Save 40043",
                         "Save As... 40046", "Open... 40041", "New 40045", "-", "Exit 40031"}));
        QCOMPARE(describe(*row.menu(MenuCommand::EditMenu), row),
                 (QStringList{"Undo 40033", "Redo 40039", "-", "Copy 40035", "Cut 40036",
                              "Paste 40037", "Delete 40034", "-", "Deselect 40040"}));
        QCOMPARE(describe(*row.menu(MenuCommand::ToolsMenu), row),
                 (QStringList{"About 40003", "-", "Flip Horizontal 40053", "Flip Vertical 40054",
                              "-", "Canvas Size... 40060"}));
        // The keys are shown beside their items.
        QCOMPARE(row.item(MenuCommand::SaveAs)->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        QCOMPARE(row.item(MenuCommand::About)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    }

    void altWithAMenusLetterAndF10OpenTheMenus() {
        // Each item of a menu has a letter of its own.
        {
            WindowFixture f;
            const MenuRow& row = f.window->menuRow();
            QCOMPARE(row.item(MenuCommand::Exit)->text(), QStringLiteral("E&xit"));
            QCOMPARE(row.item(MenuCommand::SaveAs)->text(), QStringLiteral("Save &As..."));
        }
        // A fresh window each, as the menu bar keeps its keyboard state.
        const auto opensFile = [](int key, Qt::KeyboardModifiers modifiers) {
            WindowFixture f;
            f.window->activateWindow();
            if (!QTest::qWaitForWindowActive(f.window.get())) return false;
            QTest::keyClick(f.window.get(), Qt::Key(key), modifiers);
            QMenu* file = f.window->menuRow().menu(MenuCommand::FileMenu);
            const bool open = QTest::qWaitFor([&] { return file->isVisible(); }, 1000);
            file->close();
            return open;
        };
        QVERIFY(opensFile(Qt::Key_F, Qt::AltModifier));
        QVERIFY(opensFile(Qt::Key_F10, Qt::NoModifier));
    }

    void saveIsGrayedUntilTheDrawingChanges() {
        WindowFixture f;
        QVERIFY(!enabledWhenOpened(f, MenuCommand::FileMenu, MenuCommand::Save));
        QVERIFY(enabledWhenOpened(f, MenuCommand::FileMenu, MenuCommand::Open));
        // Nothing selected: nothing to cut or copy, and no flipping.
        QVERIFY(!enabledWhenOpened(f, MenuCommand::EditMenu, MenuCommand::Cut));
        QVERIFY(!enabledWhenOpened(f, MenuCommand::ToolsMenu, MenuCommand::FlipVertical));
        drag(&f.viewport(), QPoint(30, 30), QPoint(60, 40));
        f.settle();
        QVERIFY(enabledWhenOpened(f, MenuCommand::FileMenu, MenuCommand::Save));
    }

    void aMenuItemSendsItsCommand() {
        WindowFixture f;
        QSignalSpy sent(f.window.get(), &MainWindow::commandIssued);
        drag(&f.viewport(), QPoint(30, 30), QPoint(60, 40));
        f.window->menuRow().item(MenuCommand::FlipHorizontal)->trigger();
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.at(0).at(0).toInt(), MenuCommand::FlipHorizontal);
    }

    // The buttons show only pictures: their names must show on hover even
    // while another window (a palette just closed, a dialog) is active.
    void barButtonsNameThemselvesInAnInactiveWindow() {
        WindowFixture f;
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!f.window->isActiveWindow());
        QToolButton* fill = f.window->toolBar().button(ToolCommand::Fill);
        QTest::mouseMove(fill, fill->rect().center());
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Fill"));
    }

    void theStandardKeysSendTheirCommands() {
        WindowFixture f;
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QSignalSpy sent(f.window.get(), &MainWindow::commandIssued);
        QWidget* focus = &f.viewport();
        const auto press = [&](int key, Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(focus, Qt::Key(key), modifiers);
            f.settle();
        };
        // A clean drawing: Save, Cut, Copy, Delete and Deselect are grayed, so
        // their keys do nothing.
        press(Qt::Key_S, Qt::ControlModifier);
        press(Qt::Key_X, Qt::ControlModifier);
        press(Qt::Key_C, Qt::ControlModifier);
        press(Qt::Key_Delete, Qt::NoModifier);
        press(Qt::Key_Escape, Qt::NoModifier);
        press(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(sent.count(), 0);

        drag(focus, QPoint(30, 30), QPoint(60, 40));
        f.settle();
        drag(focus, QPoint(30, 80), QPoint(60, 90));
        f.settle();
        // Control+Z twice takes back both strokes.
        press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f.app().documentState().canUndo);
        press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!f.app().documentState().canUndo);
        press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(f.app().documentState().canUndo);
        press(Qt::Key_Z, Qt::ControlModifier);
        press(Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(f.app().documentState().canUndo);
        press(Qt::Key_S, Qt::ControlModifier);
        press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        press(Qt::Key_O, Qt::ControlModifier);
        press(Qt::Key_N, Qt::ControlModifier);
        press(Qt::Key_A, Qt::ControlModifier);
        QList<int> ids;
        for (const QList<QVariant>& signal : sent)
            ids << signal.at(0).toInt();
        QCOMPARE(ids, (QList<int>{MenuCommand::Undo, MenuCommand::Undo, MenuCommand::Redo,
                                  MenuCommand::Undo, MenuCommand::Redo, MenuCommand::Save,
                                  MenuCommand::SaveAs, MenuCommand::Open, MenuCommand::New,
                                  MenuCommand::About}));

        // Control+Q closes without a question; the drawing is kept for the next start.
        press(Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(sent.last().at(0).toInt(), MenuCommand::Close);
        QVERIFY(f.app().isDestroyed());
        QVERIFY(!f.window->isVisible());
    }

    void theArrowsActWhenReleasedAndNotWhileHeld() {
        WindowFixture f;
        QWidget* focus = &f.viewport();
        QCOMPARE(int(f.frame.currentTool), int(ToolButton::Pencil));
        sendKey(focus, QEvent::KeyPress, Qt::Key_Right, false);
        // A held key repeats its presses and releases.
        for (int i = 0; i < 3; ++i) {
            sendKey(focus, QEvent::KeyRelease, Qt::Key_Right, true);
            sendKey(focus, QEvent::KeyPress, Qt::Key_Right, true);
        }
        QCOMPARE(int(f.frame.currentTool), int(ToolButton::Pencil));
        sendKey(focus, QEvent::KeyRelease, Qt::Key_Right, false);
        QCOMPARE(int(f.frame.currentTool), int(ToolButton::Airbrush));
        QVERIFY(f.window->toolBar().isButtonPressed(ToolCommand::Airbrush));
        // Up and down step the size; the view does not scroll.
        const std::int32_t size = f.frame.airbrushSizeIndex;
        sendKey(focus, QEvent::KeyPress, Qt::Key_Up, false);
        sendKey(focus, QEvent::KeyRelease, Qt::Key_Up, false);
        QCOMPARE(f.frame.airbrushSizeIndex, size - 1);
        QCOMPARE(int(f.frame.scrollY), 0);
        sendKey(focus, QEvent::KeyPress, Qt::Key_Left, false);
        sendKey(focus, QEvent::KeyRelease, Qt::Key_Left, false);
        QCOMPARE(int(f.frame.currentTool), int(ToolButton::Pencil));
    }

    void theWheelAndTheZoomKeysStepThroughTheZoom() {
        WindowFixture f;
        CanvasViewport& view = f.viewport();
        const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
            const QPointF at(50, 50);
            QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                              modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&view, &event);
            f.settle();
        };
        const QPoint pointer = f.devicePoint(QPoint(50, 50));
        wheel(120, Qt::ControlModifier);
        QCOMPARE(f.frame.zoomShift, 1);
        // The canvas point under the pointer stays under it.
        QCOMPARE((pointer.x() + f.frame.scrollX) >> 1, pointer.x());
        QCOMPARE((pointer.y() + f.frame.scrollY) >> 1, pointer.y());
        for (int i = 0; i < 5; ++i)
            wheel(120, Qt::ControlModifier);
        QCOMPARE(f.frame.zoomShift, 4);
        // Without Control the wheel scrolls, down and (with Shift) sideways.
        wheel(-120, Qt::NoModifier);
        QVERIFY(f.frame.scrollY > 0);
        QCOMPARE(f.view().verticalScrollBar()->value(), int(f.frame.scrollY));
        wheel(-120, Qt::ShiftModifier);
        QVERIFY(f.frame.scrollX > 0);
        wheel(-120 * 9, Qt::ControlModifier);
        QCOMPARE(f.frame.zoomShift, -2);

        // The zoom keys step too: Control with "+" (or "=", unshifted) and "-".
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(&view, Qt::Key_Equal, Qt::ControlModifier);
        QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.frame.zoomShift, 0);
        QTest::keyClick(&view, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(f.frame.zoomShift, -1);
    }

    void thePictureButtonsShowAndHideTheBars() {
        WindowFixture f;
        ButtonBar& buttons = f.window->menuRow().buttons();
        ButtonBar& tools = f.window->toolBar();
        QVERIFY(buttons.isButtonPressed(MenuCommand::ToggleToolBar));
        QVERIFY(buttons.isButtonPressed(MenuCommand::ToggleOptionBar));
        const int viewBottom = f.view().geometry().bottom();
        QTest::mouseClick(buttons.button(MenuCommand::ToggleToolBar), Qt::LeftButton);
        QVERIFY(!tools.isVisible());
        QVERIFY(!buttons.isButtonPressed(MenuCommand::ToggleToolBar));
        // The view takes the room the bar had.
        QCOMPARE(f.view().geometry().bottom(), f.window->clientRect().bottom - 1);
        QTest::mouseClick(buttons.button(MenuCommand::ToggleToolBar), Qt::LeftButton);
        QVERIFY(tools.isVisible());
        QVERIFY(buttons.isButtonPressed(MenuCommand::ToggleToolBar));
        QCOMPARE(f.view().geometry().bottom(), viewBottom);

        QTest::mouseClick(buttons.button(MenuCommand::ToggleOptionBar), Qt::LeftButton);
        QVERIFY(!f.window->optionBar().isVisible());
        QCOMPARE(f.view().geometry().top(), 0);
        QVERIFY(buttons.button(MenuCommand::ToggleOptionBar)->accessibleName() == "Option bar");
    }

    void theViewSitsBetweenTheBars() {
        WindowFixture f;
        const QRect options = f.window->optionBar().geometry();
        const QRect tools = f.window->toolBar().geometry();
        const QRect view = f.view().geometry();
        const RECT client = f.window->clientRect();
        // The option bar along the top, two pixels above the client area;
        // the tool bar along the bottom, three pixels above its edge.
        QCOMPARE(options.top(), -2);
        QCOMPARE(options.width(), int(client.right));
        QCOMPARE(tools.bottom() + 1, int(client.bottom) - 3);
        QCOMPARE(view.top(), options.height() + 1);
        QVERIFY(view.bottom() < tools.bottom());
        QCOMPARE(view.width(), int(client.right));
        // Growing the window keeps the arrangement.
        f.window->resize(f.window->size() + QSize(80, 60));
        f.settle();
        QCOMPARE(f.window->toolBar().geometry().bottom() + 1,
                 int(f.window->clientRect().bottom) - 3);
        QCOMPARE(f.window->optionBar().width(), int(f.window->clientRect().right));
        QCOMPARE(f.view().width(), int(f.window->clientRect().right));
    }

    void theToolButtonsSelectTools() {
        WindowFixture f;
        ButtonBar& tools = f.window->toolBar();
        QVERIFY(tools.isButtonPressed(ToolCommand::Pencil));
        QTest::mouseClick(tools.button(ToolCommand::Eraser), Qt::LeftButton);
        QCOMPARE(int(f.frame.currentTool), int(ToolButton::Eraser));
        QVERIFY(tools.isButtonPressed(ToolCommand::Eraser));
        QVERIFY(!tools.isButtonPressed(ToolCommand::Pencil));
        // Tapping the chosen tool again keeps it chosen.
        QTest::mouseClick(tools.button(ToolCommand::Eraser), Qt::LeftButton);
        QVERIFY(tools.isButtonPressed(ToolCommand::Eraser));
        // The option bar follows the tool: the eraser has no colour.
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
        if (f.window->height() < available.height() - 48) {
            QCOMPARE(client.right, 600);
            QCOMPARE(client.bottom, 600);
        }
        QVERIFY(f.window->toolBar().isVisible());
        QVERIFY(f.window->optionBar().isVisible());
        QCOMPARE(int(f.frame.zoomShift), 0);
    }

    void theAboutBoxShowsThePictureVersionAndMaker() {
        WindowFixture f;
        QtModalDialogs dialogs;
        platform::setModalDialogs(&dialogs);
        QStringList shown;
        ModalScript script({[&](QWidget* modal) {
            auto* box = qobject_cast<QDialog*>(modal);
            if (!box) return false;
            shown << box->windowTitle();
            for (const QLabel* label : box->findChildren<QLabel*>())
                shown << (label->pixmap().isNull() ? label->text() : QStringLiteral("picture"));
            for (QPushButton* button : box->findChildren<QPushButton*>())
                if (button->text() == "Done") button->click();
            return true;
        }});
        f.window->command(MenuCommand::About);
        platform::setModalDialogs(nullptr);
        QVERIFY(script.finished());
        QCOMPARE(shown, (QStringList{"About Mirabo", "v1.0", "picture", "Mirabo paint and sketch",
                                     "Written by the Mirabo developers"}));
    }
};

MIRABO_QT_TEST(MainWindowTest, "main_window");
#include "main_window_test.moc"
