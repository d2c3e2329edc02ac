#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/qt/button_bar.h"
#include "app/qt/menu_row.h"
#include "app/qt/pixel_popup.h"
#include "app/qt/testing/modal_script.h"
#include "app/qt/testing/qt_test_registry.h"
#include "app/qt/testing/window_fixture.h"
#include "platform/dialogs/modal_dialogs.h"

using qttest::clickThrough;
using qttest::ModalScript;
using qttest::QtPopupsInstalled;
using qttest::sendMouse;
using qttest::WindowFixture;

namespace {

// What a pixel pop-up showed when it opened.
struct ShownPopup {
    QString name;
    QPoint at;
    QImage pixels;
};

// A step that notes the pixel pop-up being shown and then acts on it.
ModalScript::Step onPopup(ShownPopup& shown, std::function<void(PixelPopup&)> act) {
    return [&shown, act](QWidget* widget) {
        auto* popup = qobject_cast<PixelPopup*>(widget);
        if (!popup) return false;
        shown.name = popup->objectName();
        shown.at = popup->pos();
        shown.pixels = popup->grab().toImage();
        act(*popup);
        return true;
    };
}

// The stylus pressed at one client pixel and dragged through the others,
// lifted at the last.
void stroke(PixelPopup& popup, std::initializer_list<QPoint> points) {
    const QPoint* p = points.begin();
    sendMouse(&popup, QEvent::MouseButtonPress, popup.widgetPoint(*p), Qt::LeftButton,
              Qt::LeftButton);
    for (++p; p != points.end(); ++p)
        sendMouse(&popup, QEvent::MouseMove, popup.widgetPoint(*p), Qt::NoButton, Qt::LeftButton);
    sendMouse(&popup, QEvent::MouseButtonRelease, popup.widgetPoint(*(points.end() - 1)),
              Qt::LeftButton, Qt::NoButton);
}

// The pop-up's pixel at a client pixel, as 0xRRGGBB.
QRgb shownPixel(const ShownPopup& shown, const PixelPopup& popup, QPoint client) {
    const QPointF at = popup.widgetPoint(client) * shown.pixels.devicePixelRatio();
    return shown.pixels.pixel(int(at.x()), int(at.y())) & 0xFFFFFF;
}

// Where the pop-up for the option button `command` must open.
QPoint dropDown(const WindowFixture& f, std::int32_t command) {
    RECT button{};
    f.window->optionBar().buttonRect(command, button);
    const POINT at = platform::dropDownOrigin(button);
    return QPoint(at.x, at.y);
}

// A step that fills the Canvas Size dialog's fields and clicks `click`.
ModalScript::Step canvasSize(QStringList& shown, const QString& width, const QString& height,
                             const QString& click) {
    return [&shown, width, height, click](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog) return false;
        shown << dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            shown << label->text();
        auto* widthField = dialog->findChild<QLineEdit*>(QStringLiteral("field1010"));
        auto* heightField = dialog->findChild<QLineEdit*>(QStringLiteral("field1011"));
        shown << widthField->text() << heightField->text();
        widthField->clear();
        QTest::keyClicks(widthField, width);
        heightField->clear();
        QTest::keyClicks(heightField, height);
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            shown << button->text();
            if (button->text() == click) button->click();
        }
        return true;
    };
}

}  // namespace

class QtModalDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void theColourPickerPicksTheFieldsTopLeftPixel() {
        WindowFixture f;
        QtPopupsInstalled popups;
        ShownPopup shown;
        QRgb fieldCorner = 0;
        const ModalScript::Step pick = onPopup(shown, [&](PixelPopup& popup) {
            fieldCorner = shownPixel(shown, popup, QPoint(10, 26));
            stroke(popup, {QPoint(10, 26)});
        });
        ButtonBar& options = f.window->optionBar();
        QVERIFY(clickThrough(options.button(OptionCommand::Colour), {pick}));
        QCOMPARE(shown.name, QStringLiteral("colour"));
        QCOMPARE(shown.at, dropDown(f, OptionCommand::Colour));
        // The field as the pop-up painted it, then as picked.
        QCOMPARE(fieldCorner, QRgb(0xFB0000));
        QCOMPARE(f.frame.currentColour, COLORREF(0x0000FB));
        QVERIFY(!QApplication::activePopupWidget());
        const QImage swatch = options.image(options.buttonImage(OptionCommand::Colour)).toImage();
        const int factor = swatch.width() / 18;
        QCOMPARE(swatch.pixel(5 * factor, 4 * factor) & 0xFFFFFF, QRgb(0xFB0000));
    }

    void escapeAndAPressOutsideCloseThePickerUnchanged() {
        WindowFixture f;
        QtPopupsInstalled popups;
        QToolButton* colour = f.window->optionBar().button(OptionCommand::Colour);
        ShownPopup shown;
        const ModalScript::Step escape =
            onPopup(shown, [](PixelPopup& popup) { QTest::keyClick(&popup, Qt::Key_Escape); });
        QVERIFY(clickThrough(colour, {escape}));
        QCOMPARE(f.frame.currentColour, COLORREF(0));

        const ModalScript::Step outside = onPopup(shown, [](PixelPopup& popup) {
            const QPointF beside(popup.width() + 20, popup.height() / 2);
            sendMouse(&popup, QEvent::MouseButtonPress, beside, Qt::LeftButton, Qt::LeftButton);
        });
        QVERIFY(clickThrough(colour, {outside}));
        QCOMPARE(f.frame.currentColour, COLORREF(0));
        QVERIFY(!QApplication::activePopupWidget());
    }

    void theHueBarThenTheFieldPicksFromTheNewHue() {
        WindowFixture f;
        QtPopupsInstalled popups;
        ShownPopup shown;
        // The hue dragged along, lifted (the picker stays open), then a pick.
        const ModalScript::Step hueThenField = onPopup(shown, [](PixelPopup& popup) {
            stroke(popup, {QPoint(10, 108), QPoint(40, 108), QPoint(60, 108)});
            QVERIFY(popup.isVisible());
            stroke(popup, {QPoint(10, 26)});
        });
        QVERIFY(clickThrough(f.window->optionBar().button(OptionCommand::Colour), {hueThenField}));
        QCOMPARE(int(f.frame.hue), 50);
        // Hue 50 of 150 is 200 of 600: pure green, scaled to the field's top row.
        QCOMPARE(f.frame.currentColour, COLORREF(0x00FB00));
    }

    void theOpacitySlidersFarRightGives127() {
        WindowFixture f;
        QtPopupsInstalled popups;
        ShownPopup shown;
        const ModalScript::Step farRight = onPopup(shown, [](PixelPopup& popup) {
            stroke(popup, {QPoint(60, 26), QPoint(100, 26), QPoint(112, 26)});
        });
        QVERIFY(clickThrough(f.window->optionBar().button(OptionCommand::Opacity), {farRight}));
        QCOMPARE(shown.name, QStringLiteral("opacity"));
        QCOMPARE(shown.at, dropDown(f, OptionCommand::Opacity));
        QCOMPARE(int(f.frame.opacity), 127);
    }

    void canvasSizeZeroAnd5000GiveOneBy1024() {
        WindowFixture f;
        QtPopupsInstalled popups;
        QStringList shown;
        ModalScript script({canvasSize(shown, "0", "5000", "OK")});
        f.window->menuRow().item(MenuCommand::CanvasSize)->trigger();
        QVERIFY(script.finished());
        QCOMPARE(shown, (QStringList{"Set Canvas Size", "Width:", "Height:", "600", "600", "Cancel",
                                     "OK"}));
        QCOMPARE(int(f.frame.canvasWidth), 1);
        QCOMPARE(int(f.frame.canvasHeight), 1024);
        QCOMPARE(int(f.app().documentState().canvasHeight), 1024);
    }

    void canvasSizeFieldsTakeDigitsOnlyAndCancelKeepsTheSize() {
        WindowFixture f;
        QtPopupsInstalled popups;
        QStringList shown;
        ModalScript script({canvasSize(shown, "1x2-0", "3 0a0", "Cancel")});
        f.window->menuRow().item(MenuCommand::CanvasSize)->trigger();
        QVERIFY(script.finished());
        QCOMPARE(int(f.frame.canvasWidth), 600);

        platform::NumberFieldsRequest request;
        request.caption = u"Set Canvas Size";
        request.fields = {{1010, u"Width:", u"600"}, {1011, u"Height:", u"600"}};
        ModalScript typed({canvasSize(shown, "1x2-0", "3 0a0", "OK")});
        QCOMPARE(popups.dialogs.runNumberFields(request), platform::dialogOk);
        QVERIFY(typed.finished());
        QCOMPARE(request.fields[0].text, std::u16string(u"120"));
        QCOMPARE(request.fields[1].text, std::u16string(u"300"));
    }
};

MIRABO_QT_TEST(QtModalDialogsTest, "qt_modal_dialogs");
#include "qt_modal_dialogs_test.moc"
