#include <QAction>
#include <QImage>
#include <QObject>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include "app/frame/main_frame.h"
#include "app/frame/pictures/picture_library.h"
#include "app/qt/button_bar.h"
#include "app/qt/menu_row.h"
#include "app/qt/testing/qt_test_registry.h"
#include "app/qt/testing/window_fixture.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/surface.h"

using qttest::WindowFixture;

namespace {

// A picture of two colours in a checker pattern of single pixels.
std::unique_ptr<platform::Bitmap> checker(std::int32_t width, std::int32_t height) {
    auto bitmap = platform::Bitmap::createCompatible(width, height);
    platform::Surface surface(bitmap.get());
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            surface.fillRect(RECT{x, y, x + 1, y + 1},
                             platform::Brush::solid((x + y) % 2 ? 0x0000FF : 0xFF0000));
    return bitmap;
}

}  // namespace

class ButtonBarTest : public QObject {
    Q_OBJECT

  private slots:
    void aClickReportsTheCommandAndTheFrameDecidesThePressedLook() {
        ButtonBar bar(QStringLiteral("Tools"));
        bar.addButton(7, -1, 0);
        bar.show();
        QSignalSpy commands(&bar, &ButtonBar::commandTriggered);
        QTest::mouseClick(bar.button(7), Qt::LeftButton);
        QCOMPARE(commands.count(), 1);
        QCOMPARE(commands.at(0).at(0).toInt(), 7);
        // Nobody pressed it, so it does not stay down.
        QVERIFY(!bar.action(7)->isChecked());
        bar.setButtonPressed(7, true);
        QTest::mouseClick(bar.button(7), Qt::LeftButton);
        QVERIFY(bar.action(7)->isChecked());
        QVERIFY(bar.isButtonPressed(7));
    }

    void enabledAndVisibleStatesAreTheFrames() {
        ButtonBar bar(QStringLiteral("Options"));
        bar.addButton(1, -1, 0);
        bar.addButton(2, -1, 0);
        bar.show();
        bar.setButtonEnabled(1, false);
        QVERIFY(!bar.isButtonEnabled(1));
        QVERIFY(!bar.button(1)->isEnabled());
        QVERIFY(bar.isButtonEnabled(2));
        QSignalSpy commands(&bar, &ButtonBar::commandTriggered);
        QTest::mouseClick(bar.button(1), Qt::LeftButton);
        QCOMPARE(commands.count(), 0);
        bar.setButtonVisible(2, false);
        QVERIFY(!bar.isButtonVisible(2));
        QTRY_VERIFY(!bar.button(2)->isVisible());
        bar.setButtonVisible(2, true);
        QTRY_VERIFY(bar.button(2)->isVisible());
        // A command without a button changes nothing and counts as enabled.
        bar.setButtonEnabled(99, false);
        QVERIFY(bar.isButtonEnabled(99));
    }

    void picturesGrowByWholeFactorsWithoutSmoothing() {
        ButtonBar bar(QStringLiteral("Tools"));
        bar.addButton(5, -1, 0);
        bar.show();
        const auto picture = checker(18, 17);
        const std::int32_t index = bar.addImage(100, *picture, nullptr);
        QCOMPARE(index, 0);
        bar.setButtonImage(5, index);
        QCOMPARE(bar.buttonImage(5), index);
        const QImage shown = bar.image(index).toImage();
        const int factor = shown.width() / 18;
        QVERIFY(factor >= 1);
        QCOMPARE(shown.width(), 18 * factor);
        QCOMPARE(shown.height(), 17 * factor);
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb expected =
                    ((x / factor + y / factor) % 2) ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
                QCOMPARE(shown.pixel(x, y), expected);
            }
        QVERIFY(!bar.action(5)->icon().isNull());
    }

    void removingAnImageKeepsTheOthersIndices() {
        ButtonBar bar(QStringLiteral("Tools"));
        bar.addButton(1, -1, 0);
        bar.addButton(2, -1, 0);
        const auto picture = checker(4, 4);
        const std::int32_t first = bar.addImage(101, *picture, nullptr);
        const std::int32_t second = bar.addImage(102, *picture, nullptr);
        bar.setButtonImage(1, first);
        bar.setButtonImage(2, second);
        bar.removeImage(first);
        QVERIFY(bar.image(first).isNull());
        QVERIFY(!bar.image(second).isNull());
        QCOMPARE(bar.pictureIdOf(first), -1);
        QCOMPARE(bar.pictureIdOf(second), 102);
        QCOMPARE(bar.addImage(103, *picture, nullptr), second + 1);
        QVERIFY(!bar.action(2)->icon().isNull());
    }

    void aMaskLeavesItsWhitePixelsTransparent() {
        ButtonBar bar(QStringLiteral("Tools"));
        auto mask = platform::Bitmap::createCompatible(4, 4);
        platform::Surface(mask.get()).fillRect(RECT{0, 0, 4, 4}, platform::Brush::solid(0));
        platform::Surface(mask.get()).fillRect(RECT{0, 0, 2, 4}, platform::Brush::solid(0xFFFFFF));
        const QImage shown = bar.image(bar.addImage(100, *checker(4, 4), mask.get())).toImage();
        const int factor = shown.width() / 4;
        QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(shown.pixel(2 * factor, 0)), 255);
    }

    void aTwoColourMaskIsReadThroughItsColourTable() {
        // Either order of black and white in the table; white is transparent.
        for (const bool whiteFirst : {false, true}) {
            platform::BitmapInfoHeader header;
            header.biWidth = 10;
            header.biHeight = 3;
            header.biBitCount = 1;
            platform::RgbQuad colours[2];
            colours[whiteFirst ? 0 : 1] = platform::RgbQuad{0xFF, 0xFF, 0xFF, 0};
            auto mask = platform::Bitmap::create(header, colours, 2);
            QVERIFY(mask);
            // Columns 1, 8 and 9 set in every row.
            const bool whiteIsOne = !whiteFirst;
            for (std::int32_t y = 0; y < 3; ++y) {
                std::uint8_t* row = mask->row(y);
                row[0] = std::uint8_t(whiteIsOne ? 0x40 : 0xBF);
                row[1] = std::uint8_t(whiteIsOne ? 0xC0 : 0x3F);
            }
            ButtonBar bar(QStringLiteral("Tools"));
            const QImage shown =
                bar.image(bar.addImage(100, *checker(10, 3), mask.get())).toImage();
            const int factor = shown.width() / 10;
            for (int x = 0; x < 10; ++x) {
                const bool set = x == 1 || x == 8 || x == 9;
                QCOMPARE(qAlpha(shown.pixel(x * factor, 2 * factor)), set ? 0 : 255);
            }
        }
    }

    void theColourButtonShowsTheFramesSwatch() {
        WindowFixture f;
        f.frame.currentColour = 0x3366CC;  // red 0xCC, green 0x66, blue 0x33
        f.frame.updateColourButton();
        ButtonBar& bar = f.window->optionBar();
        const QImage swatch = bar.image(bar.buttonImage(OptionCommand::Colour)).toImage();
        const int factor = swatch.width() / 18;
        QCOMPARE(swatch.pixel(5 * factor, 4 * factor) & 0xFFFFFF, QRgb(0xCC6633));
        // One swatch at a time: the one before was taken out of the list.
        int shown = 0;
        for (std::int32_t i = 0; i <= bar.buttonImage(OptionCommand::Colour); ++i)
            shown += bar.pictureIdOf(i) == PictureId::SwatchFrame;
        QCOMPARE(shown, 1);
    }

    void everyButtonIsNamedForToolTipsAndScreenReaders() {
        WindowFixture f;
        QStringList names;
        for (ButtonBar* bar :
             {&f.window->toolBar(), &f.window->optionBar(), &f.window->menuRow().buttons()})
            for (QAction* action : bar->actions()) {
                QWidget* button = bar->widgetForAction(action);
                QCOMPARE(button->accessibleName(), action->toolTip());
                names << action->toolTip();
            }
        QCOMPARE(names, (QStringList{
                            "Pencil",     "Airbrush",  "Smudge",    "Shapes", "Eraser",    "Text",
                            "Fill",       "Selection", "Hand",      "Size",   "Opacity",   "Colour",
                            "Eyedropper", "Snap grid", "Zoom",      "Font",   "Font size", "Undo",
                            "Redo",       "Tool bar",  "Option bar"}));

        // Resting the mouse on a button shows its name, whichever window is
        // active.
        QWidget* shapes = f.window->toolBar().button(ToolCommand::Rectangle);
        QTest::mouseMove(shapes);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Shapes"));
        QToolTip::hideText();
    }
};

MIRABO_QT_TEST(ButtonBarTest, "button_bar");
#include "button_bar_test.moc"
