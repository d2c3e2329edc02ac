#include "fuzz/file_readers.h"

#include "canvas/canvas.h"
#include "canvas/raster_image.h"
#include "document/bitmap_file.h"
#include "document/jpeg_file.h"
#include "document/png_file.h"
#include "document/sketch_file.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/window/headless_window.h"

namespace {

// The size of the canvas a sketch is loaded into first, and the largest
// other size the fuzzing follows a file to, as Open does: larger canvases
// would cost more time than the inputs are worth.
constexpr std::uint16_t canvasWidth = 24, canvasHeight = 18;
constexpr std::int32_t largestFollowedArea = 128 * 128;

// One canvas and one set of dialogs for the whole run: making them for each
// input would cost more than most inputs do.
struct Bench {
    platform::ScriptedDialogs dialogs;
    platform::HeadlessWindow view{16, 16};
    Canvas canvas;

    Bench() { canvas.create(&view, canvasWidth, canvasHeight, 16, 16); }
    // The memory-error box is the only one a reader may show; the records
    // of it are dropped so that a long run does not pile them up.
    void settle() {
        dialogs.clearRecords();
        platform::setDialogs(nullptr);
    }
};

Bench& bench() {
    static Bench instance;
    platform::setDialogs(&instance.dialogs);
    return instance;
}

}  // namespace

void feedSketchReader(const std::uint8_t* data, std::size_t size) {
    Bench& b = bench();
    Canvas& canvas = b.canvas;
    if (canvas.width() != canvasWidth || canvas.height() != canvasHeight)
        canvas.create(&b.view, canvasWidth, canvasHeight, 16, 16);
    if (!canvas.liveBits()) return;
    std::uint16_t width = 0, height = 0;
    if (!loadSketchData(canvas, data, size, width, height) && width != 0 &&
        std::int32_t(width) * height <= largestFollowedArea &&
        canvas.create(&b.view, width, height, 16, 16))
        loadSketchData(canvas, data, size, width, height);
    // The canvas must still take a render pass.
    canvas.beginRender(false, 0, 0, 0, nullptr, nullptr, false);
    canvas.endRender();
    b.settle();
}

void feedBitmapReader(const std::uint8_t* data, std::size_t size) {
    Bench& b = bench();
    RasterImage image;
    readBitmapData(data, size, image);
    BitmapFileInfo info;
    inspectBitmapData(data, size, info);
    b.settle();
}

void feedJpegReader(const std::uint8_t* data, std::size_t size) {
    Bench& b = bench();
    RasterImage image;
    readJpegData(data, size, image);
    JpegFileInfo info;
    inspectJpegData(data, size, info);
    b.settle();
}

void feedPngReader(const std::uint8_t* data, std::size_t size) {
    Bench& b = bench();
    RasterImage image;
    readPngData(data, size, image);
    PngFileInfo info;
    inspectPngData(data, size, info);
    b.settle();
}

void feedFileReaders(const std::uint8_t* data, std::size_t size) {
    feedSketchReader(data, size);
    feedBitmapReader(data, size);
    feedJpegReader(data, size);
    feedPngReader(data, size);
}
