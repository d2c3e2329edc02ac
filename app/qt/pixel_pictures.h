#pragma once

#include <QImage>
#include <QPixmap>

namespace platform {
class Bitmap;
}

// The program's pixel pictures on a Qt screen. They are drawn for one screen
// pixel per picture pixel: on a screen with more device pixels to a logical
// pixel they grow by a whole factor, without smoothing, so they stay sharp.

// A picture of any bit depth as 32-bit pixels; where `mask` is white the
// pixel is transparent. Null when the memory cannot be had.
QImage toImage(const platform::Bitmap& picture, const platform::Bitmap* mask = nullptr);

// How many device pixels across one picture pixel takes at `devicePixelRatio`.
int pictureFactor(qreal devicePixelRatio);

// The image grown by `pictureFactor` and marked with the ratio, so that
// painting it at its logical size shows every pixel as a sharp block.
QPixmap toPixmap(const QImage& image, qreal devicePixelRatio);
