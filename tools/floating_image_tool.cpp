#include "tools/floating_image_tool.h"

#include <new>
#include <string>

#include "app/frame/main_frame.h"
#include "app/frame/memory_error.h"
#include "document/bitmap_file.h"
#include "document/jpeg_file.h"
#include "document/sketch_document.h"
#include "platform/dialogs/dialogs.h"
#include "platform/text/utf.h"

void FloatingImageTool::freeImage() {
    if (image) image->release();
    image.reset();
}

void FloatingImageTool::onRelease(SketchDocument& document) {
    // A tool waiting on the free list never holds a picture.
    freeImage();
    Tool::onRelease(document);
}

void FloatingImageTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    flags |= ToolFlags::Floating | ToolFlags::RedrawWhole;
    if (document.frame) document.frame->selectTool(ToolButton::Selection);
    posX = posY = 0;
    grabX = grabY = 0;
    awaitingPlacement = true;
}

void FloatingImageTool::updateBounds() {
    const platform::BitmapInfoHeader* header = image ? image->info() : nullptr;
    const std::int32_t w = header ? header->biWidth : 0;
    const std::int32_t h = header ? header->biHeight : 0;
    bounds = RECT{posX, posY, posX + w, posY + h};
}

void FloatingImageTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    if (!image) return;
    if (has(drawFlags, DrawFlags::FrameOnly)) {
        canvas.drawSelectionFrame(bounds);
        return;
    }
    canvas.drawImage(*image, POINT{posX, posY});
}

ToolResult FloatingImageTool::onPointerButton(SketchDocument&, const POINT& p, bool down) {
    if (!down) return ToolResult::None;
    if (awaitingPlacement) {
        posX = p.x;
        posY = p.y;
        grabX = grabY = 0;
        updateBounds();
        awaitingPlacement = false;
        return ToolResult::Refresh;
    }
    // The edges count as inside, so a tap on the frame grabs the image.
    if (p.x < bounds.left || p.x > bounds.right || p.y < bounds.top || p.y > bounds.bottom)
        return ToolResult::Commit;
    grabX = p.x - posX;
    grabY = p.y - posY;
    return ToolResult::Refresh;
}

ToolResult FloatingImageTool::onPointerMove(SketchDocument&, POINT* points, unsigned count,
                                            int* consumed) {
    *consumed = int(count);
    if (count == 0) return ToolResult::None;
    posX = points[count - 1].x - grabX;
    posY = points[count - 1].y - grabY;
    updateBounds();
    return ToolResult::Refresh;
}

ToolResult FloatingImageTool::finish(SketchDocument& document) {
    if (awaitingPlacement) return ToolResult::Discard;
    document.setSelection(bounds.left, bounds.top, bounds.right, bounds.bottom);
    return ToolResult::Commit;
}

bool FloatingImageTool::load(SketchDocument& document, const char16_t* path, bool jpeg) {
    freeImage();
    image.reset(new (std::nothrow) RasterImage);
    if (!image) {
        showMemoryError();
        return false;
    }
    const bool read = jpeg ? readJpegFile(document.canvas, path, *image)
                           : readBitmapFile(document.canvas, path, *image);
    if (read) {
        updateBounds();
        return true;
    }
    freeImage();
    // The message is built in a buffer of 350 characters, path included.
    std::u16string text = jpeg ? u"Cannot find the following jpeg file: "
                               : u"Cannot find the following bitmap file: ";
    text += path ? path : u"";
    if (text.size() > 349) text.resize(349);
    platform::dialogs().messageBox(document.frame ? document.frame->canvasWindow : nullptr, text,
                                   u"Load Error!", platform::MessageButtons::Ok);
    return false;
}

bool FloatingImageTool::loadJpeg(SketchDocument& document, const char16_t* path) {
    return load(document, path, true);
}

bool FloatingImageTool::loadBitmap(SketchDocument& document, const char16_t* path) {
    return load(document, path, false);
}

bool FloatingImageTool::takeImage(SketchDocument& document, const RasterImage& clipboard) {
    freeImage();
    image.reset(new (std::nothrow) RasterImage);
    if (image && document.canvas.duplicateImage(clipboard, *image)) {
        updateBounds();
        return true;
    }
    showMemoryError();
    return false;
}
