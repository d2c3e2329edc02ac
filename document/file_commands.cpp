#include <algorithm>
#include <cstring>
#include <string>

#include "app/frame/main_frame.h"
#include "document/bitmap_file.h"
#include "document/file_names.h"
#include "document/jpeg_file.h"
#include "document/sketch_document.h"
#include "document/sketch_file.h"
#include "platform/dialogs/dialogs.h"
#include "platform/memory/large_buffer.h"
#include "platform/text/utf.h"
#include "tools/floating_image_tool.h"

namespace {

constexpr std::size_t dialogNameLimit = 250;

std::u16string pathOf(const char16_t* path, std::size_t capacity) {
    return path ? std::u16string(path, platform::boundedLength(path, capacity)) : std::u16string();
}

bool endsWithIgnoringCase(const std::u16string& name, std::u16string_view extension) {
    if (name.size() < extension.size()) return false;
    for (std::size_t i = 0; i < extension.size(); ++i) {
        char16_t a = name[name.size() - extension.size() + i], b = extension[i];
        if (a >= u'A' && a <= u'Z') a = char16_t(a - u'A' + u'a');
        if (b >= u'A' && b <= u'Z') b = char16_t(b - u'A' + u'a');
        if (a != b) return false;
    }
    return true;
}

}  // namespace

std::u16string forceExtension(const std::u16string& name, std::u16string_view extension) {
    if (name.size() < 5 || !endsWithIgnoringCase(name, extension))
        return name + std::u16string(extension);
    return name;
}

namespace {

struct DialogKind {
    platform::FileDialogKind kind;
    const char16_t* filter;  // "Description:pattern:::"
    const char16_t* initialName;
    const char16_t* defaultExtension;
};

bool askForFile(MainFrame* frame, const DialogKind& kind, const std::u16string& initial,
                std::u16string& chosen) {
    platform::FileDialogRequest request;
    request.kind = kind.kind;
    request.owner = frame ? frame->canvasWindow : nullptr;
    request.filters = platform::parseFilterString(kind.filter);
    request.initialName = initial;
    request.defaultExtension = kind.defaultExtension;
    const bool saving = kind.kind == platform::FileDialogKind::Save;
    request.mustExist = !saving;
    request.askBeforeReplace = saving;
    request.maxPathLength = dialogNameLimit;
    return platform::dialogs().chooseFile(request, chosen);
}

constexpr const char16_t* sketchFilter = u"Mirabo Files:*.zsf:::";

}  // namespace

bool SketchDocument::promptSaveChanges() {
    if (!modified) return true;
    const auto answer = platform::dialogs().messageBox(
        frame ? frame->canvasWindow : nullptr, u"Save changes to current drawing?", u"Save Changes",
        platform::MessageButtons::YesNoCancel);
    if (answer == platform::MessageAnswer::Yes) return !saveDocument(false);
    return answer == platform::MessageAnswer::No;
}

bool SketchDocument::openDocument(const char16_t* path) {
    flattenHistory();
    if (!promptSaveChanges()) return true;
    std::u16string name = pathOf(path, pathCapacity);
    if (name.empty()) {
        const DialogKind open{platform::FileDialogKind::Open, sketchFilter, u"", u""};
        if (!askForFile(frame, open, u"", name)) return true;
    }
    if (!name.empty()) loadFromPath(name.c_str());
    return false;
}

bool SketchDocument::loadFromPath(const char16_t* path) {
    // A file whose data turns out corrupt half-way has already written into
    // the committed picture; a copy of it puts the drawing back.
    const std::size_t pictureBytes = std::size_t(canvas.height()) * std::size_t(canvas.rowStride());
    platform::LargeBuffer kept(canvas.committedBits() ? pictureBytes : 0);
    std::uint8_t* const canvasRows =
        canvas.committedBits() ? canvas.committedBits() + canvas.pixelOffset(0, canvas.height() - 1)
                               : nullptr;
    if (!kept.empty() && canvasRows) std::memcpy(kept.data(), canvasRows, pictureBytes);

    std::uint16_t fileWidth = 0, fileHeight = 0;
    bool loaded = loadSketchFile(canvas, path, fileWidth, fileHeight);
    bool resized = false;
    if (!loaded && fileWidth != 0 && fileHeight != 0 && frame) {
        frame->canvasWidth = fileWidth;
        frame->canvasHeight = fileHeight;
        resizeCanvas(false);
        resized = true;
        loaded = loadSketchFile(canvas, path, fileWidth, fileHeight);
    }
    const RECT whole{0, 0, canvas.width(), canvas.height()};
    if (!loaded) {
        if (!resized && !kept.empty() && canvasRows && kept.size() == pictureBytes)
            std::memcpy(canvasRows, kept.data(), pictureBytes);
        // The live picture may hold compressed bytes of the failed read.
        canvas.copyPictureRect(whole, false);
        redraw(false, true, nullptr, nullptr);
        platform::dialogs().messageBox(
            frame ? frame->canvasWindow : nullptr,
            u"Failed to load - file may be corrupt or an unsupported version", u"Load Failed",
            platform::MessageButtons::Ok);
        return false;
    }
    modified = false;
    canvas.copyPictureRect(whole, false);
    redraw(true, true, nullptr, nullptr);
    const std::u16string name = pathOf(path, pathCapacity - 1);
    std::copy(name.begin(), name.end(), documentPath);
    documentPath[name.size()] = 0;
    if (frame) {
        frame->updateOptionBar();
        frame->updateScrollRange();
    }
    return true;
}

bool SketchDocument::saveDocument(bool askName) {
    flattenHistory();
    if (askName || documentPath[0] == 0) {
        const std::u16string current = pathOf(documentPath, pathCapacity);
        const DialogKind save{platform::FileDialogKind::Save, sketchFilter, u"sketch.zsf", u""};
        std::u16string chosen;
        if (!askForFile(frame, save, current.empty() ? u"sketch.zsf" : current, chosen))
            return true;
        const std::u16string name = forceExtension(chosen, u".zsf");
        const std::size_t n = std::min(name.size(), pathCapacity - 1);
        std::copy_n(name.begin(), n, documentPath);
        documentPath[n] = 0;
    }
    if (documentPath[0] != 0) saveToPath(documentPath);
    return false;
}

bool SketchDocument::saveToPath(const char16_t* path) {
    flattenHistory();
    const bool written = saveSketchFile(canvas, path);
    // Saving borrowed the live picture's memory for the compressed data.
    canvas.copyPictureRect(RECT{0, 0, canvas.width(), canvas.height()}, false);
    if (frame) frame->updateOptionBar();
    modified = false;
    if (!written)
        platform::dialogs().messageBox(frame ? frame->canvasWindow : nullptr,
                                       u"Failed to save - storage memory may be full",
                                       u"Save Failed", platform::MessageButtons::Ok);
    return written;
}

bool SketchDocument::exportImage(ImageKind kind) {
    flattenHistory();
    const bool jpeg = kind == ImageKind::ExportJpeg;
    const DialogKind save{platform::FileDialogKind::Save,
                          jpeg ? u"JPEG Files:*.jpg:::" : u"Bitmap Files:*.bmp:::", u"untitled",
                          jpeg ? u"jpg" : u"bmp"};
    std::u16string chosen;
    if (!askForFile(frame, save, u"untitled", chosen)) return true;
    const std::u16string name = forceExtension(chosen, jpeg ? u".jpg" : u".bmp");
    const bool written =
        jpeg ? writeJpegFile(canvas, name.c_str()) : writeBitmapFile(canvas, name.c_str());
    return !written;
}

bool SketchDocument::importImage(ImageKind kind) {
    const bool jpeg = kind == ImageKind::ImportJpeg;
    const DialogKind open{platform::FileDialogKind::Open,
                          jpeg ? u"JPEG Files:*.jpg:::" : u"Bitmap Files:*.bmp:::", u"", u""};
    std::u16string chosen;
    if (!askForFile(frame, open, u"", chosen)) return true;
    const std::u16string name = forceExtension(chosen, jpeg ? u".jpg" : u".bmp");
    auto* tool = static_cast<FloatingImageTool*>(toolFactory.acquire(*this, ToolId::FloatingImage));
    if (!tool) return false;
    const bool loaded =
        jpeg ? tool->loadJpeg(*this, name.c_str()) : tool->loadBitmap(*this, name.c_str());
    if (!loaded) {
        toolFactory.release(*this, tool);
        return true;
    }
    placeFloatingImage(tool);
    return false;
}
