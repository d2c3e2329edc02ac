#include "document/sketch_document.h"

// The file commands arrive with the sketch, bitmap and JPEG formats; until
// then they do nothing and never cancel what asked for them.
bool SketchDocument::promptSaveChanges() {
    return true;
}
bool SketchDocument::openDocument(const char16_t*) {
    return true;
}
bool SketchDocument::saveDocument(bool) {
    return true;
}
bool SketchDocument::saveToPath(const char16_t*) {
    return false;
}
bool SketchDocument::loadFromPath(const char16_t*) {
    return false;
}
bool SketchDocument::exportImage(ImageKind) {
    return true;
}
bool SketchDocument::importImage(ImageKind) {
    return true;
}
