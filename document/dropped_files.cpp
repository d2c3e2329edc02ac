#include "document/dropped_files.h"

#include "document/file_names.h"
#include "document/floating_placement.h"
#include "document/sketch_document.h"
#include "tools/floating_image_tool.h"

namespace {

// `forceExtension` leaves a name alone exactly when it already ends in the
// extension, letter case aside.
bool hasExtension(const std::u16string& path, std::u16string_view extension) {
    return forceExtension(path, extension).size() == path.size();
}

void openDroppedSketch(SketchDocument& document, const std::u16string& path) {
    // Open's own flatten marks even an untouched drawing modified, so Open
    // always asks. A drop asks only when there is work to lose: changes, or
    // a tool still holding some.
    const bool unsaved = document.modified || document.activeTool;
    document.flattenHistory();
    document.modified = unsaved;
    if (!document.promptSaveChanges()) return;
    document.loadFromPath(path.c_str());
}

void importDroppedPicture(SketchDocument& document, const std::u16string& path, bool jpeg,
                          POINT viewPoint) {
    auto* tool = static_cast<FloatingImageTool*>(
        document.toolFactory.acquire(document, ToolId::FloatingImage));
    if (!tool) return;
    const bool loaded =
        jpeg ? tool->loadJpeg(document, path.c_str()) : tool->loadBitmap(document, path.c_str());
    if (!loaded) {
        document.toolFactory.release(document, tool);
        return;
    }
    placeFloatingImageAt(document, *tool, viewPoint, true);
}

}  // namespace

DropAction dropActionFor(const std::u16string& path) {
    if (hasExtension(path, u".zsf")) return DropAction::OpenSketch;
    if (hasExtension(path, u".bmp")) return DropAction::ImportBitmap;
    if (hasExtension(path, u".jpg") || hasExtension(path, u".jpeg")) return DropAction::ImportJpeg;
    return DropAction::Ignore;
}

bool dropFile(SketchDocument& document, const std::u16string& path, POINT viewPoint) {
    const DropAction action = dropActionFor(path);
    if (action == DropAction::Ignore) return false;
    if (action == DropAction::OpenSketch)
        openDroppedSketch(document, path);
    else
        importDroppedPicture(document, path, action == DropAction::ImportJpeg, viewPoint);
    return true;
}
