#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "app/frame/main_frame.h"
#include "app/frame/memory_error.h"
#include "document/bitmap_file.h"
#include "document/file_names.h"
#include "document/floating_placement.h"
#include "document/jpeg_file.h"
#include "document/picture_file.h"
#include "document/png_file.h"
#include "document/sketch_document.h"
#include "document/sketch_file.h"
#include "platform/dialogs/dialogs.h"
#include "platform/memory/large_buffer.h"
#include "platform/text/utf.h"
#include "tools/floating_image_tool.h"

namespace {

constexpr std::size_t dialogNameLimit = 250;

}  // namespace

bool endsWithIgnoringCase(std::u16string_view name, std::u16string_view extension) {
    if (name.size() < extension.size()) return false;
    for (std::size_t i = 0; i < extension.size(); ++i) {
        char16_t a = name[name.size() - extension.size() + i], b = extension[i];
        if (a >= u'A' && a <= u'Z') a = char16_t(a - u'A' + u'a');
        if (b >= u'A' && b <= u'Z') b = char16_t(b - u'A' + u'a');
        if (a != b) return false;
    }
    return true;
}

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
// Open takes pictures too, each as a drawing of its own; sketches come first.
constexpr const char16_t* openFilters = u"Mirabo Files:*.zsf:Pictures:*.png;*.bmp;*.jpg;*.jpeg:::";

// Import and export offer PNG files beside the kind the command names. The
// dialog does not say which filter was picked, so a name ending in ".png"
// is what chooses PNG; any other name gets the command's own extension.
struct PictureDialog {
    const char16_t* filters;
    const char16_t* extension;  // with its dot
};

PictureDialog pictureDialog(ImageKind kind) {
    switch (kind) {
        case ImageKind::ExportJpeg:
        case ImageKind::ImportJpeg:
            return {u"JPEG Files:*.jpg:PNG Files:*.png:::", u".jpg"};
        case ImageKind::ExportPng:
        case ImageKind::ImportPng:
            return {u"PNG Files:*.png:::", u".png"};
        default:
            return {u"Bitmap Files:*.bmp:PNG Files:*.png:::", u".bmp"};
    }
}

// The chosen name with the extension of the format it is written or read
// in: a name ending in ".png" keeps it, any other gets the dialog's own.
std::u16string pictureName(const std::u16string& chosen, const PictureDialog& picture) {
    const bool png = chosen.size() >= 5 && endsWithIgnoringCase(chosen, u".png");
    return forceExtension(chosen, png ? u".png" : picture.extension);
}

void showMessage(const SketchDocument& document, const std::u16string& text,
                 const char16_t* caption) {
    platform::dialogs().messageBox(document.frame ? document.frame->canvasWindow : nullptr, text,
                                   caption, platform::MessageButtons::Ok);
}

// A picture file opened as a drawing of its own: the canvas takes the
// picture's size, up to the largest a canvas may have, and the picture is
// its first content, with nothing to undo and nothing unsaved. False, with
// the drawing untouched, when the file cannot be read.
bool openPictureAsDrawing(SketchDocument& document, const char16_t* path) {
    FloatingImageTool* tool = floatingPictureFromFile(document, path);
    if (!tool) return false;
    const std::int32_t width = tool->image->bitmap->width();
    const std::int32_t height = tool->image->bitmap->height();
    const auto canvasWidth = std::uint16_t(std::min<std::int32_t>(width, Canvas::maxSide));
    const auto canvasHeight = std::uint16_t(std::min<std::int32_t>(height, Canvas::maxSide));
    document.clearDocument();
    if (document.frame) document.setCanvasSize(canvasWidth, canvasHeight);
    document.activeTool = tool;
    tool->onPointerButton(document, POINT{0, 0}, true);
    document.flattenHistory();
    // The opened picture is where the drawing's history starts.
    document.earlierStates.clear();
    document.clearSelection();
    document.modified = false;
    document.redraw(true, true, nullptr, nullptr);
    if (width > Canvas::maxSide || height > Canvas::maxSide)
        showMessage(document,
                    u"The picture is " + platform::toUtf16(sizeText(width, height)) +
                        u", more than a drawing holds (1024 x 1024 pixels): only its top left "
                        u"part was opened.",
                    u"Picture Cut");
    return true;
}

// Sketch documents keep their own extension; any other file that starts as
// a picture does is opened as one.
bool isPictureToOpen(const std::u16string& path) {
    return !endsWithIgnoringCase(path, u".zsf") &&
           pictureFormatOf(path.c_str()) != PictureFormat::None;
}

// The committed picture's canvas rows, kept aside while a load may overwrite
// them: a file that turns out corrupt half-way has already expanded into
// part of the picture, and a file of another size has the canvas made anew
// before its data is read.
class KeptPicture {
  public:
    explicit KeptPicture(const Canvas& canvas)
        : width_(canvas.width()),
          height_(canvas.height()),
          rows_(canvas.committedBits() ? bytesOf(canvas) : 0) {
        if (!rows_.empty()) std::memcpy(rows_.data(), firstRow(canvas), rows_.size());
    }

    // False when the canvas had a picture but no copy of it could be made.
    bool held(const Canvas& canvas) const { return !canvas.committedBits() || !rows_.empty(); }
    std::uint16_t width() const { return width_; }
    std::uint16_t height() const { return height_; }

    // Puts the rows back, into a canvas of the size they were taken from.
    void restore(Canvas& canvas) const {
        if (rows_.empty() || !canvas.committedBits() || canvas.width() != width_ ||
            canvas.height() != height_)
            return;
        std::memcpy(firstRow(canvas), rows_.data(), rows_.size());
    }

  private:
    static std::size_t bytesOf(const Canvas& canvas) {
        return std::size_t(canvas.height()) * std::size_t(canvas.rowStride());
    }
    // Canvas rows lie bottom row first, directly after the spare rows.
    static std::uint8_t* firstRow(const Canvas& canvas) {
        return canvas.committedBits() + canvas.pixelOffset(0, canvas.height() - 1);
    }

    std::uint16_t width_;
    std::uint16_t height_;
    platform::LargeBuffer rows_;
};

}  // namespace

bool SketchDocument::promptSaveChanges() {
    if (!modified) return true;
    const auto answer = platform::dialogs().messageBox(
        frame ? frame->canvasWindow : nullptr, u"Save changes to current drawing?", u"Save Changes",
        platform::MessageButtons::YesNoCancel);
    if (answer == platform::MessageAnswer::Yes) {
        if (saveDocument(false)) return false;  // the Save dialog was cancelled
        // Go on only when the drawing is really on disk: after "Save
        // Failed" the work is still only here, so what asked stops.
        return !modified;
    }
    return answer == platform::MessageAnswer::No;
}

bool SketchDocument::openDocument(const char16_t* path) {
    // Pending work becomes part of the drawing first, so the question below
    // is asked exactly when there is unsaved work.
    flattenHistory();
    if (!promptSaveChanges()) return true;
    std::u16string name = path ? std::u16string(path) : std::u16string();
    if (name.empty()) {
        const DialogKind open{platform::FileDialogKind::Open, openFilters, u"", u""};
        if (!askForFile(frame, open, u"", name)) return true;
    }
    if (name.empty()) return false;
    // A failed read leaves the drawing and its modified mark as they were.
    if (isPictureToOpen(name))
        openPictureAsDrawing(*this, name.c_str());
    else
        loadFromPath(name.c_str());
    return false;
}

bool SketchDocument::loadSketchAtItsSize(const char16_t* path, bool& resized) {
    resized = false;
    std::uint16_t fileWidth = 0, fileHeight = 0;
    if (!path) return false;
    if (loadSketchFile(canvas, path, fileWidth, fileHeight)) return true;
    if (fileWidth == 0 || fileHeight == 0 || !frame) return false;
    setCanvasSize(fileWidth, fileHeight);
    resized = true;
    return loadSketchFile(canvas, path, fileWidth, fileHeight);
}

bool SketchDocument::loadFromPath(const char16_t* path) {
    // A load that fails leaves the drawing as it was: its size, its picture
    // and whether it has unsaved changes. Without room for a copy of the
    // picture that cannot be promised, so nothing is tried.
    const KeptPicture kept(canvas);
    if (!kept.held(canvas)) {
        showMemoryError();
        return false;
    }
    const bool wasModified = modified;
    const std::int16_t scrollX = frame ? frame->scrollX : 0;
    const std::int16_t scrollY = frame ? frame->scrollY : 0;

    bool resized = false;
    const bool loaded = loadSketchAtItsSize(path, resized);
    if (!loaded) {
        if (resized) {
            setCanvasSize(kept.width(), kept.height());
            frame->scrollX = scrollX;
            frame->scrollY = scrollY;
            frame->updateScrollRange();
        }
        kept.restore(canvas);
        modified = wasModified;
        // The live picture may hold compressed bytes of the failed read.
        canvas.copyPictureRect(RECT{0, 0, canvas.width(), canvas.height()}, false);
        redraw(false, true, nullptr, nullptr);
        platform::dialogs().messageBox(
            frame ? frame->canvasWindow : nullptr,
            u"Failed to load - file may be corrupt or an unsupported version", u"Load Failed",
            platform::MessageButtons::Ok);
        return false;
    }
    modified = false;
    canvas.copyPictureRect(RECT{0, 0, canvas.width(), canvas.height()}, false);
    earlierStates.clear();
    redraw(true, true, nullptr, nullptr);
    documentPath = path;
    if (frame) {
        frame->updateOptionBar();
        frame->updateScrollRange();
    }
    return true;
}

bool SketchDocument::saveDocument(bool askName) {
    flattenHistory();
    if (askName || documentPath.empty()) {
        const DialogKind save{platform::FileDialogKind::Save, sketchFilter, u"sketch.zsf", u""};
        std::u16string chosen;
        if (!askForFile(frame, save, documentPath.empty() ? u"sketch.zsf" : documentPath, chosen))
            return true;
        documentPath = forceExtension(chosen, u".zsf");
    }
    if (!documentPath.empty()) saveToPath(documentPath.c_str());
    return false;
}

bool SketchDocument::saveToPath(const char16_t* path) {
    const bool written = writeToPath(path);
    if (!written)
        platform::dialogs().messageBox(frame ? frame->canvasWindow : nullptr,
                                       u"Failed to save - storage memory may be full",
                                       u"Save Failed", platform::MessageButtons::Ok);
    return written;
}

bool SketchDocument::writeToPath(const char16_t* path) {
    flattenHistory();
    const bool written = saveSketchFile(canvas, path);
    // Saving borrowed the live picture's memory for the compressed data.
    canvas.copyPictureRect(RECT{0, 0, canvas.width(), canvas.height()}, false);
    if (frame) frame->updateOptionBar();
    // A drawing that could not be written is still unsaved work: it keeps
    // its mark, so it is offered for saving again and hibernated at close.
    if (written) modified = false;
    return written;
}

bool SketchDocument::exportImage(ImageKind kind) {
    flattenHistory();
    const PictureDialog picture = pictureDialog(kind);
    const DialogKind save{platform::FileDialogKind::Save, picture.filters, u"untitled",
                          picture.extension + 1};
    std::u16string chosen;
    if (!askForFile(frame, save, u"untitled", chosen)) return true;
    const std::u16string name = pictureName(chosen, picture);
    bool written = false;
    if (pictureFormatOfName(name) == PictureFormat::Png)
        written = writePngFile(canvas, name.c_str());
    else if (kind == ImageKind::ExportJpeg)
        written = writeJpegFile(canvas, name.c_str());
    else
        written = writeBitmapFile(canvas, name.c_str());
    return !written;
}

bool SketchDocument::importImage(ImageKind kind) {
    const PictureDialog picture = pictureDialog(kind);
    const DialogKind open{platform::FileDialogKind::Open, picture.filters, u"", u""};
    std::u16string chosen;
    if (!askForFile(frame, open, u"", chosen)) return true;
    const std::u16string name = pictureName(chosen, picture);
    auto* tool = static_cast<FloatingImageTool*>(toolFactory.acquire(*this, ToolId::FloatingImage));
    if (!tool) return false;
    if (!loadPictureFile(*this, *tool, name.c_str())) {
        toolFactory.release(*this, tool);
        return true;
    }
    placeFloatingImage(tool);
    return false;
}
