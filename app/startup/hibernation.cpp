#include "app/startup/hibernation.h"

#include <string>

#include "app/frame/main_frame.h"
#include "document/sketch_document.h"
#include "platform/files/atomic_file_writer.h"
#include "platform/files/file.h"

namespace {

// More than any path the system takes; a longer file is not a name of ours.
constexpr std::int64_t longestNameBytes = 64 * 1024;

// The name is kept as the document holds it, UTF-16 code units in the
// machine's order, so that names that are not valid text come back as they
// were. Anything unlike such a name gives no name.
std::u16string readHibernatedName() {
    const auto file = platform::File::open(hibernatedNamePath, platform::FileAccess::Read,
                                           platform::FileDisposition::OpenExisting);
    if (!file) return {};
    const std::int64_t bytes = file->size();
    if (bytes <= 0 || bytes > longestNameBytes || bytes % 2 != 0) return {};
    std::u16string name(std::size_t(bytes / 2), u'\0');
    std::size_t got = 0;
    if (!file->read(name.data(), std::size_t(bytes), got) || got != std::size_t(bytes)) return {};
    if (name.find(u'\0') != std::u16string::npos) return {};
    return name;
}

}  // namespace

bool restoreHibernatedDrawing(MainFrame& frame, SketchDocument& document) {
    const std::u16string path(hibernationPath);
    const bool present = platform::fileExists(path);
    // A drawing hibernated at another canvas size gives the canvas that size.
    bool resized = false;
    const bool loaded = document.loadSketchAtItsSize(path.c_str(), resized);
    if (loaded) {
        document.modified = true;
        document.documentPath = readHibernatedName();
        document.canvas.copyPictureRect(RECT{0, 0, frame.canvasWidth, frame.canvasHeight}, false);
        document.redraw(true, true, nullptr, nullptr);
        frame.updateOptionBar();
    } else if (present) {
        // A failed read may have left part of the file in both pictures; the
        // new drawing starts blank instead.
        document.canvas.clear();
        document.redraw(true, true, nullptr, nullptr);
    }
    deleteHibernatedDrawing();
    return loaded;
}

bool hibernateDrawing(SketchDocument& document) {
    if (!document.modified) return true;
    // The name goes first: a name that cannot be written must not leave an
    // older one to be paired with this drawing.
    keepHibernatedName(document.documentPath);
    const std::u16string path(hibernationPath);
    return document.writeToPath(path.c_str());
}

void keepHibernatedName(const std::u16string& documentPath) {
    if (!documentPath.empty()) {
        auto writer = platform::AtomicFileWriter::create(hibernatedNamePath);
        if (writer && writer->write(documentPath.data(), documentPath.size() * 2) &&
            writer->commit())
            return;
    }
    platform::deleteFile(hibernatedNamePath);
}

void deleteHibernatedDrawing() {
    platform::deleteFile(hibernationPath);
    platform::deleteFile(hibernatedNamePath);
}
