#pragma once

#include <cstdint>
#include <string>

namespace platform {
class Bitmap;
}
class Canvas;

// Binary PPM (P6), top row first: the simplest picture format that every
// image viewer and test tool reads.
bool writeCanvasPpm(const Canvas& canvas, const std::string& path);
bool writeBitmapPpm(const platform::Bitmap& bitmap, const std::string& path);
