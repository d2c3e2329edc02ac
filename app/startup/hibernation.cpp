#include "app/startup/hibernation.h"

#include <string>

#include "app/frame/main_frame.h"
#include "document/sketch_document.h"
#include "platform/files/file.h"

bool restoreHibernatedDrawing(MainFrame& frame, SketchDocument& document) {
    const std::u16string path(hibernationPath);
    const bool present = platform::fileExists(path);
    // A drawing hibernated at another canvas size gives the canvas that size.
    bool resized = false;
    const bool loaded = document.loadSketchAtItsSize(path.c_str(), resized);
    if (loaded) {
        document.modified = true;
        document.canvas.copyPictureRect(RECT{0, 0, frame.canvasWidth, frame.canvasHeight}, false);
        document.redraw(true, true, nullptr, nullptr);
        frame.updateOptionBar();
    } else if (present) {
        // A failed read may have left part of the file in both pictures; the
        // new drawing starts blank instead.
        document.canvas.clear();
        document.redraw(true, true, nullptr, nullptr);
    }
    platform::deleteFile(path);
    return loaded;
}

void hibernateDrawing(SketchDocument& document) {
    if (!document.modified) return;
    const std::u16string path(hibernationPath);
    document.saveToPath(path.c_str());
}
