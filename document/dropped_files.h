#pragma once

#include <string>

#include "platform/gdi/types.h"

class SketchDocument;

// What dropping a file on the window does, decided by its extension: a
// sketch document is opened, a bitmap, JPEG or PNG file floats where it was
// dropped.
enum class DropAction { Ignore, OpenSketch, ImportPicture };

DropAction dropActionFor(const std::u16string& path);

// Acts on a file dropped at `viewPoint` of the canvas view. A sketch
// document replaces the drawing, asking first only when there is unsaved
// work; a picture file floats with its top-left corner at the drop point,
// kept inside the canvas. Files that cannot be read are reported as Open and
// Import report them. False when the program takes no file of that kind.
bool dropFile(SketchDocument& document, const std::u16string& path, POINT viewPoint);
