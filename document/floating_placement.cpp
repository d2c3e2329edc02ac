#include "document/floating_placement.h"

#include <algorithm>
#include <string>

#include "app/frame/main_frame.h"
#include "app/frame/memory_error.h"
#include "document/picture_file.h"
#include "document/png_file.h"
#include "document/sketch_document.h"
#include "platform/dialogs/dialogs.h"
#include "tools/floating_image_tool.h"

void placeFloatingImageAt(SketchDocument& document, Tool& tool, POINT viewPoint,
                          bool keepInsideCanvas) {
    document.snapToGrid(viewPoint);
    document.viewToCanvas(viewPoint);
    const auto& floating = static_cast<const FloatingImageTool&>(tool);
    if (const platform::BitmapInfoHeader* header =
            keepInsideCanvas && floating.image ? floating.image->info() : nullptr) {
        // An image larger than the canvas keeps its top-left corner on the
        // canvas's.
        viewPoint.x = std::max(0, std::min(viewPoint.x, document.canvas.width() - header->biWidth));
        viewPoint.y =
            std::max(0, std::min(viewPoint.y, document.canvas.height() - header->biHeight));
    }
    document.flattenHistory();
    document.activeTool = &tool;
    const ToolResult result = tool.onPointerButton(document, viewPoint, true);
    document.clearSelection();
    document.applyToolResult(result | ToolResult::Refresh);
}

bool floatPicture(SketchDocument& document, std::unique_ptr<platform::Bitmap> picture,
                  POINT viewPoint) {
    if (!picture || picture->bitCount() != 24 || !picture->bottomUp()) return false;
    RasterImage outside;
    if (!allocateImageHeader(outside, 0)) {
        showMemoryError();
        return false;
    }
    *outside.info() = platform::makeHeader24(picture->width(), picture->height());
    outside.bits = picture->bits();
    outside.bitmap = std::move(picture);

    auto* tool = static_cast<FloatingImageTool*>(
        document.toolFactory.acquire(document, ToolId::FloatingImage));
    if (!tool) return false;
    // The tool shows the memory error itself when its copy fails.
    if (!tool->takeImage(document, outside)) {
        document.toolFactory.release(document, tool);
        return false;
    }
    placeFloatingImageAt(document, *tool, viewPoint, true);
    document.modified = true;
    return true;
}

FloatingImageTool* floatingPictureFromFile(SketchDocument& document, const char16_t* path) {
    auto* tool = static_cast<FloatingImageTool*>(
        document.toolFactory.acquire(document, ToolId::FloatingImage));
    if (!tool) return nullptr;
    if (!loadPictureFile(document, *tool, path)) {
        document.toolFactory.release(document, tool);
        return nullptr;
    }
    return tool;
}

// Fills a floating image with a picture file of any format, told by its
// first bytes; on failure the loader has said so.
bool loadPictureFile(SketchDocument& document, FloatingImageTool& tool, const char16_t* path) {
    switch (pictureFormatOf(path)) {
        case PictureFormat::Jpeg:
            return tool.loadJpeg(document, path);
        case PictureFormat::Png: {
            auto image = std::make_unique<RasterImage>();
            if (!readPngFile(document.canvas, path, *image)) {
                platform::dialogs().messageBox(
                    document.frame ? document.frame->canvasWindow : nullptr,
                    u"Cannot read the following PNG file: " + std::u16string(path), u"Load Error!",
                    platform::MessageButtons::Ok);
                return false;
            }
            // The tool takes its size from the image when it is placed.
            tool.image = std::move(image);
            return true;
        }
        default:
            return tool.loadBitmap(document, path);
    }
}
