#include "app/qt/qt_system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QObject>
#include <QTest>

#include "app/qt/testing/qt_test_registry.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/testing/pixels.h"

namespace {

QRgb pixelOf(const platform::Bitmap& picture, int x, int y) {
    const std::uint8_t* p = picture.row(y) + 3 * x;
    return qRgb(p[2], p[1], p[0]);
}

}  // namespace

class QtSystemClipboardTest : public QObject {
    Q_OBJECT

  private slots:
    void picturesCrossTheClipboardBothWays() {
        QtSystemClipboard shared;
        QClipboard* clipboard = QGuiApplication::clipboard();
        platform::testing::Canvas24 ours(6, 4, 0x0000FF);
        QVERIFY(shared.setPicture(*ours.bitmap));
        const QMimeData* data = clipboard->mimeData();
        QVERIFY(data->hasImage());
        const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
        QCOMPARE(png.size(), QSize(6, 4));
        QCOMPARE(png.pixel(5, 3), qRgb(255, 0, 0));
        QVERIFY(!shared.ownedByOtherProgram());

        // Another program's picture, partly transparent, larger than asked for.
        QImage theirs(50, 30, QImage::Format_ARGB32);
        theirs.fill(Qt::transparent);
        theirs.setPixel(1, 1, qRgb(0, 0, 255));
        clipboard->setImage(theirs);
        QVERIFY(shared.ownedByOtherProgram());
        QVERIFY(shared.offersImage());
        const auto taken = shared.picture(20, 10);
        QVERIFY(taken);
        QCOMPARE(QSize(taken->width(), taken->height()), QSize(20, 10));
        QCOMPARE(pixelOf(*taken, 1, 1), qRgb(0, 0, 255));
        QCOMPARE(pixelOf(*taken, 0, 0), qRgb(255, 255, 255));

        clipboard->setText(QStringLiteral("words"));
        QVERIFY(shared.ownedByOtherProgram());
        QVERIFY(!shared.offersImage());
        QVERIFY(!shared.picture(20, 10));
    }
};

MIRABO_QT_TEST(QtSystemClipboardTest, "qt_system_clipboard");

#include "qt_system_clipboard_test.moc"
