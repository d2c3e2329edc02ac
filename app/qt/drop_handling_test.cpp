#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "app/qt/testing/qt_test_registry.h"
#include "app/qt/testing/window_fixture.h"

using qttest::WindowFixture;

namespace {

// Drags `data` onto the window and drops it at `at`, a logical point of the
// canvas view, as the desktop does. False when the window refused it.
bool drop(WindowFixture& f, const QMimeData& data, QPoint at) {
    const QPointF position = f.viewport().mapTo(f.window.get(), QPointF(at));
    QDragEnterEvent enter(position.toPoint(), Qt::CopyAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(f.window.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(position, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.window.get(), &dropped);
    f.settle();
    return dropped.isAccepted();
}

RECT floatingBounds(const WindowFixture& f) {
    return f.document.activeTool ? f.document.activeTool->bounds : RECT{};
}

}  // namespace

class DropHandlingTest : public QObject {
    Q_OBJECT

  private slots:
    void droppedFilesAndPicturesFloatWhereTheyLand() {
        WindowFixture f;
        QVERIFY(f.window->acceptDrops());
        QTemporaryDir folder;
        QImage square(20, 10, QImage::Format_RGB32);
        square.fill(Qt::blue);
        const QString file = folder.filePath(QStringLiteral("square.bmp"));
        QVERIFY(square.save(file, "BMP"));
        const QPoint at = f.devicePoint(QPoint(30, 40));

        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(folder.filePath(QStringLiteral("notes.txt"))),
                       QUrl::fromLocalFile(file)});
        QVERIFY(drop(f, files, QPoint(30, 40)));
        QCOMPARE(floatingBounds(f), (RECT{at.x(), at.y(), at.x() + 20, at.y() + 10}));

        QMimeData picture;
        QImage small(5, 6, QImage::Format_RGB32);
        small.fill(Qt::red);
        picture.setImageData(small);
        QVERIFY(drop(f, picture, QPoint(30, 40)));
        QCOMPARE(floatingBounds(f), (RECT{at.x(), at.y(), at.x() + 5, at.y() + 6}));
    }

    void otherThingsAreRefused() {
        WindowFixture f;
        QMimeData text;
        text.setText(QStringLiteral("words"));
        text.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/notes.txt")),
                      QUrl(QStringLiteral("https://example.org/a.bmp"))});
        QVERIFY(!drop(f, text, QPoint(30, 40)));
        QCOMPARE(f.document.activeTool, nullptr);
    }
};

MIRABO_QT_TEST(DropHandlingTest, "drop_handling");

#include "drop_handling_test.moc"
