#include "fuzz/file_readers.h"

#include <cstdio>

#include "canvas/canvas.h"
#include "document/bitmap_file.h"
#include "document/jpeg_file.h"
#include "document/sketch_file.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

void feedFileReaders(const std::string& folder, const std::uint8_t* data, std::size_t size) {
    const std::string native = folder + "/input";
    if (std::FILE* file = std::fopen(native.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, file);
        std::fclose(file);
    } else {
        return;
    }
    const std::u16string path = platform::toUtf16(native);

    platform::ScriptedDialogs dialogs;
    platform::setDialogs(&dialogs);
    platform::HeadlessWindow view(16, 16);
    Canvas canvas;
    if (canvas.create(&view, 64, 48, 16, 16)) {
        std::uint16_t width = 0, height = 0;
        loadSketchFile(canvas, path.c_str(), width, height);
        RasterImage bitmap, jpeg;
        readBitmapFile(canvas, path.c_str(), bitmap);
        bitmap.release();
        readJpegFile(canvas, path.c_str(), jpeg);
        jpeg.release();
        SketchFileInfo sketchInfo;
        readSketchFileInfo(path.c_str(), sketchInfo);
        BitmapFileInfo bitmapInfo;
        readBitmapFileInfo(path.c_str(), bitmapInfo);
        JpegFileInfo jpegInfo;
        readJpegFileInfo(path.c_str(), jpegInfo);
        // The canvas must still take a render pass.
        canvas.beginRender(false, 0, 0, 0, nullptr, nullptr, false);
        canvas.endRender();
    }
    platform::setDialogs(nullptr);
    std::remove(native.c_str());
}
