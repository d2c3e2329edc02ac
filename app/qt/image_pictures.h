#pragma once

#include <cstdint>
#include <memory>

class QImage;
namespace platform {
class Bitmap;
}

// A picture that came from another program (its clipboard, a drop) as the
// program's 24-bit bottom-up bitmap: at most `maxWidth` by `maxHeight`
// pixels, a larger one giving its top-left part, and transparent parts shown
// on white, the colour of an empty canvas. Null for a null image or when the
// memory cannot be had.
std::unique_ptr<platform::Bitmap> toPicture(const QImage& image, std::int32_t maxWidth,
                                            std::int32_t maxHeight);
