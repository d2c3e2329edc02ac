#pragma once

#include <memory>

#include "platform/gdi/types.h"

namespace platform {
class Bitmap;
}
class FloatingImageTool;
class SketchDocument;
class Tool;

// Floats the image freshly loaded into `tool` (a floating image tool) with
// its top-left corner at the canvas point under `viewPoint`, snapped to the
// grid. With `keepInsideCanvas` the corner moves left and up as far as needed
// for the image to fit, where it can: an image from outside the program
// would otherwise land partly off the picture.
void placeFloatingImageAt(SketchDocument& document, Tool& tool, POINT viewPoint,
                          bool keepInsideCanvas);

// Floats a picture that came from outside the program (another program's
// clipboard, a drop) at `viewPoint`, inside the canvas. `picture` must be a
// 24-bit bottom-up bitmap; the caller keeps it at most the canvas's size.
// False when there was nothing to float or it could not be floated (a
// memory error was then shown); the picture is gone either way.
bool floatPicture(SketchDocument& document, std::unique_ptr<platform::Bitmap> picture,
                  POINT viewPoint);

// Fills a floating image tool with a picture file of any format the program
// imports (bitmap, JPEG, PNG), told by its first bytes. False, after a
// message saying why, when the file cannot be read.
bool loadPictureFile(SketchDocument& document, FloatingImageTool& tool, const char16_t* path);

// A floating image tool from the factory, filled with a picture file as
// `loadPictureFile` fills it, not yet placed; null when there was no tool or
// the file could not be read (the tool then went back to the factory).
FloatingImageTool* floatingPictureFromFile(SketchDocument& document, const char16_t* path);
