#include <QObject>
#include <QTest>
#include <cstring>
#include <vector>

#include "app/qt/testing/qt_test_registry.h"
#include "app/qt/xrgb_rows.h"
#include "platform/gdi/bitmap.h"

namespace {

// A bitmap whose every byte differs from its neighbours, in either row order.
std::unique_ptr<platform::Bitmap> patterned(std::int32_t width, std::int32_t height,
                                            bool bottomUp) {
    platform::BitmapInfoHeader header;
    header.biWidth = width;
    header.biHeight = bottomUp ? height : -height;
    auto bitmap = platform::Bitmap::create(header);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t i = 0; i < width * 3; ++i)
            bitmap->row(y)[i] = std::uint8_t(y * 31 + i * 7 + 1);
    return bitmap;
}

// Copies `area` of `source` to a destination `offset` bytes past a 64-byte
// boundary and checks every byte, and that nothing around the rows changed.
void checkCopy(const platform::Bitmap& source, const RECT& area, std::size_t offset) {
    const std::int32_t w = area.right - area.left, h = area.bottom - area.top;
    const std::ptrdiff_t stride = std::ptrdiff_t(w) * 4 + 8;
    std::vector<std::uint8_t> buffer(std::size_t(stride) * std::size_t(h) + 128, 0x55);
    const std::size_t toBoundary = 64 - reinterpret_cast<std::uintptr_t>(buffer.data()) % 64;
    std::uint8_t* first = buffer.data() + toBoundary + offset;
    copyAsXrgb(source, area, first, stride);
    QCOMPARE(first[-1], std::uint8_t(0x55));
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* in = source.row(area.top + y) + area.left * 3;
        const std::uint8_t* o = first + y * stride;
        for (std::int32_t x = 0; x < w; ++x) {
            QCOMPARE(o[4 * x], in[3 * x]);
            QCOMPARE(o[4 * x + 1], in[3 * x + 1]);
            QCOMPARE(o[4 * x + 2], in[3 * x + 2]);
            QCOMPARE(o[4 * x + 3], std::uint8_t(0xFF));
        }
        // Nothing past the area's row is touched.
        QCOMPARE(o[4 * w], std::uint8_t(0x55));
    }
}

}  // namespace

Q_DECLARE_METATYPE(XrgbCopies)

class XrgbRowsTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { limitXrgbCopies(XrgbCopies::Widest); }

    void eachPixelBecomesBlueGreenRedAndOpaque_data() {
        QTest::addColumn<XrgbCopies>("copies");
        QTest::addColumn<bool>("bottomUp");
        QTest::newRow("plain, bottom-up") << XrgbCopies::Plain << true;
        QTest::newRow("plain, top-down") << XrgbCopies::Plain << false;
        QTest::newRow("16 bytes, bottom-up") << XrgbCopies::Sixteen << true;
        QTest::newRow("16 bytes, top-down") << XrgbCopies::Sixteen << false;
        QTest::newRow("32 bytes, bottom-up") << XrgbCopies::ThirtyTwo << true;
        QTest::newRow("32 bytes, top-down") << XrgbCopies::ThirtyTwo << false;
        QTest::newRow("widest, bottom-up") << XrgbCopies::Widest << true;
        QTest::newRow("widest, top-down") << XrgbCopies::Widest << false;
    }
    void eachPixelBecomesBlueGreenRedAndOpaque() {
        QFETCH(XrgbCopies, copies);
        QFETCH(bool, bottomUp);
        limitXrgbCopies(copies);
        // Widths around the 16-pixel blocks, areas that end at the last byte
        // of the bitmap, where a wide load must not reach past it, and
        // destinations at every pixel offset from a 64-byte boundary.
        for (std::int32_t width : {1, 5, 9, 10, 11, 15, 16, 17, 18, 33, 47, 64, 100, 257}) {
            const auto source = patterned(width, 4, bottomUp);
            for (const RECT area :
                 {RECT{0, 0, width, 4}, RECT{width / 2, 1, width, 3}, RECT{0, 3, width, 4}})
                for (std::size_t offset = 0; offset < 64; offset += 4)
                    checkCopy(*source, area, offset);
        }
    }

    void anEmptyAreaWritesNothing() {
        const auto source = patterned(8, 2, true);
        std::uint8_t out[16];
        std::memset(out, 0x55, sizeof out);
        copyAsXrgb(*source, RECT{3, 1, 3, 2}, out, 16);
        copyAsXrgb(*source, RECT{0, 1, 4, 1}, out, 16);
        for (std::uint8_t b : out)
            QCOMPARE(b, std::uint8_t(0x55));
    }
};

MIRABO_QT_TEST(XrgbRowsTest, "xrgb_rows");
#include "xrgb_rows_test.moc"
