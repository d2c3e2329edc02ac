#include <algorithm>
#include <cstring>

#include "canvas/canvas.h"
#include "tools/mask_shapes.h"

// Stamps that work straight on the bytes of the pictures, a row at a time.
// A block is placed with its top-left at canvas (x, y); only the part that
// lies on the canvas is touched, but mask and image indices keep counting
// over the clipped part so they stay aligned with the block.

namespace {

// The part of a block that lies on the canvas, in block coordinates:
// columns [firstColumn, endColumn) and rows [firstRow, endRow).
struct BlockClip {
    std::int32_t firstColumn;
    std::int32_t endColumn;
    std::int32_t firstRow;
    std::int32_t endRow;

    bool empty() const { return firstColumn >= endColumn || firstRow >= endRow; }
};

BlockClip clipBlock(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                    std::int32_t canvasWidth, std::int32_t canvasHeight) {
    // Wide arithmetic, so a block placed far off the canvas cannot overflow;
    // every result lies between 0 and the block's extent.
    const auto span = [](std::int64_t position, std::int32_t extent, std::int32_t limit,
                         std::int32_t& first, std::int32_t& end) {
        const std::int64_t size = std::max<std::int32_t>(extent, 0);
        first = std::int32_t(std::min(std::max<std::int64_t>(0, -position), size));
        end = std::int32_t(std::max<std::int64_t>(std::min(size, limit - position), 0));
    };
    BlockClip clip;
    span(x, width, canvasWidth, clip.firstColumn, clip.endColumn);
    span(y, height, canvasHeight, clip.firstRow, clip.endRow);
    return clip;
}

// The colour's bytes in picture order: blue, green, red.
struct ColourBytes {
    std::int32_t channel[3];
    explicit ColourBytes(COLORREF c) : channel{blueOf(c), greenOf(c), redOf(c)} {}
};

}  // namespace

// The blend reads the committed picture, so the stamps of one stroke never
// pile up on each other: wherever they overlap the stroke keeps one opacity.
// It works on inverted values, where the colour's share is the same for every
// pixel and can be worked out before the loop.
void Canvas::blendSquare(std::int32_t x, std::int32_t y, std::int16_t width, std::int16_t height,
                         COLORREF colour, std::uint16_t opacity) {
    if (renderState_ == RenderState::Idle || !liveBits_ || !committedBits_) return;
    const BlockClip clip = clipBlock(x, y, width, height, width_, height_);
    if (clip.empty()) return;

    // 127 is opaque; anything above would give the committed picture a
    // negative share.
    const std::int32_t e = std::min<std::int32_t>(opacity, 127);
    const std::int32_t keep = 128 - e;
    const ColourBytes c(colour);
    const std::int32_t colourPart[3] = {((255 - c.channel[0]) * e) >> 7,
                                        ((255 - c.channel[1]) * e) >> 7,
                                        ((255 - c.channel[2]) * e) >> 7};

    const std::ptrdiff_t stride = rowStride();
    const std::int32_t pixels = clip.endColumn - clip.firstColumn;
    const std::ptrdiff_t start = pixelOffset(x + clip.firstColumn, y + clip.firstRow);
    std::uint8_t* liveRow = liveBits_ + start;
    const std::uint8_t* committedRow = committedBits_ + start;
    // Rows are stored bottom-up, so going down the block goes back in memory.
    for (std::int32_t row = clip.firstRow; row < clip.endRow;
         ++row, liveRow -= stride, committedRow -= stride) {
        std::uint8_t* out = liveRow;
        const std::uint8_t* in = committedRow;
        for (std::int32_t k = 0; k < pixels; ++k, out += 3, in += 3) {
            for (int ch = 0; ch < 3; ++ch) {
                const std::int32_t picturePart = ((255 - in[ch]) * keep) >> 7;
                out[ch] = std::uint8_t(255 - picturePart - colourPart[ch]);
            }
        }
    }
}

// Coverage stamps read and write the live picture, so they build up where
// they overlap. Truncation alone would leave repeated light stamps stuck a
// little short of the colour; the extra step makes them reach it.
void Canvas::stampMask(std::int32_t x, std::int32_t y, const MaskShape& shape, COLORREF colour) {
    if (renderState_ == RenderState::Idle || !liveBits_ || !shape.mask) return;
    const BlockClip clip = clipBlock(x, y, shape.width, shape.height, width_, height_);
    if (clip.empty()) return;

    const ColourBytes c(colour);
    const std::int32_t inverted[3] = {255 - c.channel[0], 255 - c.channel[1], 255 - c.channel[2]};

    const std::ptrdiff_t stride = rowStride();
    const std::int32_t maskWidth = shape.width;
    std::uint8_t* liveRow = liveBits_ + pixelOffset(x + clip.firstColumn, y + clip.firstRow);
    const std::uint8_t* maskRow =
        shape.mask + std::ptrdiff_t(clip.firstRow) * maskWidth + clip.firstColumn;
    for (std::int32_t row = clip.firstRow; row < clip.endRow;
         ++row, liveRow -= stride, maskRow += maskWidth) {
        std::uint8_t* out = liveRow;
        for (std::int32_t k = 0; k < clip.endColumn - clip.firstColumn; ++k, out += 3) {
            const std::int32_t v = maskRow[k];
            if (v == 0) continue;
            for (int ch = 0; ch < 3; ++ch) {
                const std::int32_t s = out[ch];
                const std::int32_t t = ((255 - s) * (256 - v) + inverted[ch] * (v + 1)) >> 8;
                std::int32_t n = 255 - t;
                if (n == s && n != c.channel[ch]) n += n > c.channel[ch] ? -1 : 1;
                out[ch] = std::uint8_t(n);
            }
        }
    }
}

// Lays a packed image of the mask's size down through the mask: the smudge
// tool's carried paint.
void Canvas::stampMaskImage(const MaskShape& shape, const std::uint8_t* image, std::int32_t x,
                            std::int32_t y) {
    if (renderState_ == RenderState::Idle || !liveBits_ || !shape.mask || !image) return;
    const BlockClip clip = clipBlock(x, y, shape.width, shape.height, width_, height_);
    if (clip.empty()) return;

    const std::ptrdiff_t stride = rowStride();
    const std::int32_t maskWidth = shape.width;
    std::uint8_t* liveRow = liveBits_ + pixelOffset(x + clip.firstColumn, y + clip.firstRow);
    const std::ptrdiff_t first = std::ptrdiff_t(clip.firstRow) * maskWidth + clip.firstColumn;
    const std::uint8_t* maskRow = shape.mask + first;
    const std::uint8_t* imageRow = image + 3 * first;
    for (std::int32_t row = clip.firstRow; row < clip.endRow;
         ++row, liveRow -= stride, maskRow += maskWidth, imageRow += 3 * maskWidth) {
        std::uint8_t* out = liveRow;
        const std::uint8_t* in = imageRow;
        for (std::int32_t k = 0; k < clip.endColumn - clip.firstColumn; ++k, out += 3, in += 3) {
            const std::int32_t v = maskRow[k];
            if (v == 0) continue;
            for (int ch = 0; ch < 3; ++ch) {
                const std::int32_t n = (in[ch] * (v + 1) + out[ch] * (256 - v)) >> 8;
                out[ch] = std::uint8_t(std::min(n, 255));
            }
        }
    }
}

// A packed copy of a block of the live picture, top row first and without
// row padding. What lies off the canvas reads as white, so paint picked up
// at the edge fades to the background rather than to whatever the spare
// rows hold.
void Canvas::copyOut(std::uint8_t* buffer, std::int32_t x, std::int32_t y, std::int16_t width,
                     std::int16_t height) const {
    if (!buffer || width <= 0 || height <= 0) return;
    const std::ptrdiff_t packedStride = 3 * std::ptrdiff_t(width);
    std::memset(buffer, 255, std::size_t(packedStride) * std::size_t(height));
    if (!liveBits_) return;
    const BlockClip clip = clipBlock(x, y, width, height, width_, height_);
    if (clip.empty()) return;

    const std::ptrdiff_t stride = rowStride();
    const std::size_t rowBytes = 3 * std::size_t(clip.endColumn - clip.firstColumn);
    const std::uint8_t* liveRow = liveBits_ + pixelOffset(x + clip.firstColumn, y + clip.firstRow);
    std::uint8_t* out = buffer + clip.firstRow * packedStride + 3 * clip.firstColumn;
    for (std::int32_t row = clip.firstRow; row < clip.endRow;
         ++row, liveRow -= stride, out += packedStride)
        std::memcpy(out, liveRow, rowBytes);
}
