#include "document/sketch_document.h"

// The edit commands arrive with the selection tools and floating images.
void SketchDocument::copySelection() {}
void SketchDocument::cutSelection() {}
void SketchDocument::pasteClipboard() {}
void SketchDocument::flipSelection(bool) {}
void SketchDocument::resizeCanvas(bool) {}
