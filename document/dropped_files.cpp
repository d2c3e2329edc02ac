#include "document/dropped_files.h"

#include "document/file_names.h"
#include "document/floating_placement.h"
#include "document/picture_file.h"
#include "document/sketch_document.h"
#include "tools/floating_image_tool.h"

DropAction dropActionFor(const std::u16string& path) {
    if (endsWithIgnoringCase(path, u".zsf")) return DropAction::OpenSketch;
    if (pictureFormatOfName(path) != PictureFormat::None) return DropAction::ImportPicture;
    return DropAction::Ignore;
}

bool dropFile(SketchDocument& document, const std::u16string& path, POINT viewPoint) {
    switch (dropActionFor(path)) {
        case DropAction::Ignore:
            return false;
        case DropAction::OpenSketch:
            // Open asks about unsaved work, and only when there is some.
            document.openDocument(path.c_str());
            return true;
        case DropAction::ImportPicture:
            if (Tool* tool = floatingPictureFromFile(document, path.c_str()))
                placeFloatingImageAt(document, *tool, viewPoint, true);
            return true;
    }
    return false;
}
