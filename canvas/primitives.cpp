#include <optional>

#include "canvas/canvas.h"
#include "platform/gdi/bitmap.h"

using platform::Bitmap;
using platform::Brush;
using platform::Pen;
using platform::Surface;

// The brush and pen selected into the target for the length of one
// primitive, and what they replaced, put back at the end.
namespace {
class Selection {
  public:
    Selection(Surface& surface, const Brush* brush, const Pen* pen)
        : surface_(surface),
          oldBrush_(surface.selectBrush(brush)),
          oldPen_(surface.selectPen(pen)) {}
    ~Selection() {
        surface_.selectPen(oldPen_);
        surface_.selectBrush(oldBrush_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    Surface& surface_;
    const Brush* oldBrush_;
    const Pen* oldPen_;
};
}  // namespace

void Canvas::drawRectangle(const RECT& bounds, COLORREF colour, std::int16_t width, bool filled) {
    if (renderState_ == RenderState::Idle) return;
    const Brush brush = Brush::solid(colour);
    const Pen pen = Pen::solid(1, colour);
    Selection selection(*target_, &brush, &pen);
    RECT r = bounds;
    rectToDevice(r, &width);
    if (filled) {
        target_->fillRect(r, brush);
        return;
    }
    // The outline is four solid bands of the pen's width, each drawn as a
    // rectangle, so its width never depends on how the surface places pens.
    if (width < 1) width = 1;
    if (r.right < r.left + width) r.right = r.left + width;
    if (r.bottom < r.top + width) r.bottom = r.top + width;
    target_->rectangle(RECT{r.left, r.top, r.left + width, r.bottom});
    target_->rectangle(RECT{r.left, r.bottom - width, r.right, r.bottom});
    target_->rectangle(RECT{r.right - width, r.top, r.right, r.bottom});
    target_->rectangle(RECT{r.left, r.top, r.right, r.top + width});
}

void Canvas::drawEllipse(const RECT& bounds, COLORREF colour, std::int16_t width, bool filled) {
    if (renderState_ == RenderState::Idle) return;
    const Brush brush = Brush::solid(colour);
    RECT r = bounds;
    rectToDevice(r, &width);
    const std::int32_t w = r.right - r.left, h = r.bottom - r.top;
    if (filled) {
        const Pen pen = Pen::solid(1, colour);
        Selection selection(*target_, &brush, &pen);
        target_->ellipse(r);
        return;
    }
    if (w <= 1 || h <= 1) return;
    if (w - 2 * width - 2 <= 0 || h - 2 * width - 2 <= 0) {
        // The ring would have no inside: the wide pen covers the whole
        // ellipse, so it is drawn solid in the pen's colour.
        const Pen pen = Pen::solid(1, colour);
        Selection selection(*target_, &brush, &pen);
        target_->ellipse(r);
        return;
    }
    const Brush* oldBrush = target_->selectBrush(&brush);
    // The interior must stay as it is, so the ring is drawn on a copy of the
    // area whose interior is painted with the area itself as the pattern.
    auto original = Bitmap::createCompatible(w, h);
    auto copy = original ? Bitmap::createCompatible(w, h) : nullptr;
    if (copy) {
        Surface originalSurface(original.get());
        originalSurface.blit(0, 0, w, h, *target_, r.left, r.top);
        Surface copySurface(copy.get());
        copySurface.blit(0, 0, w, h, originalSurface, 0, 0);
        const Brush pattern = Brush::pattern(original.get());
        const Pen ring = Pen::solid(width, colour);
        copySurface.selectBrush(&pattern);
        copySurface.selectPen(&ring);
        copySurface.ellipse(RECT{width + 1, width + 1, w - width - 1, h - width - 1});
        target_->blit(r.left, r.top, w, h, copySurface, 0, 0);
    }
    target_->selectBrush(oldBrush);
}

void Canvas::drawPolyline(POINT* points, std::uint16_t count, std::int16_t width, COLORREF colour,
                          unsigned flags) {
    if (renderState_ == RenderState::Idle) return;
    toDevice(points, count, &width);
    const Pen pen =
        (flags & polylineDashed) ? Pen::dashed(width, colour) : Pen::solid(width, colour);
    const Pen* oldPen = target_->selectPen(&pen);
    target_->polyline(points, count);
    target_->selectPen(oldPen);
    if (flags & polylineMapBack) toCanvas(points, count);
}

void Canvas::drawSelectionFrame(const RECT& rect) {
    if (renderState_ != RenderState::Zoomed) return;
    const int z = zoomShift_;
    // Magnified, canvas pixel x starts at view pixel x * f - scrollX, as the
    // picture beneath it does.
    const auto mapX = [&](std::int32_t x) {
        if (z > 0) return x * (1 << z) - scrollX_;
        if (z < 0) return (x >> -z) - scrollX_;
        return x - scrollX_;
    };
    const auto mapY = [&](std::int32_t y) {
        if (z > 0) return y * (1 << z) - scrollY_;
        if (z < 0) return (y >> -z) - scrollY_;
        return y - scrollY_;
    };
    const std::int32_t left = mapX(rect.left), right = mapX(rect.right);
    const std::int32_t top = mapY(rect.top), bottom = mapY(rect.bottom);
    const POINT frame[5] = {
        {left, top}, {left, bottom}, {right, bottom}, {right, top}, {left, top}};
    const Pen pen = Pen::dashed(1, 0x000000);
    const Pen* oldPen = target_->selectPen(&pen);
    target_->polyline(frame, 5);
    target_->selectPen(oldPen);
}

void Canvas::drawImage(const RasterImage& image, POINT position) {
    if (renderState_ == RenderState::Idle || !image.bitmap) return;
    std::int16_t unused = 1;
    toDevice(&position, 1, &unused);
    const std::int32_t w = image.info() ? image.info()->biWidth : image.bitmap->width();
    const std::int32_t h = image.info() ? image.info()->biHeight : image.bitmap->height();
    Surface source(image.bitmap.get());
    if (zoomShift_ >= 0)
        target_->blit(position.x, position.y, w, h, source, 0, 0);
    else
        target_->stretchBlit(position.x, position.y, w >> -zoomShift_, h >> -zoomShift_, source, 0,
                             0, w, h);
}

void Canvas::blitRegion(const RECT& source, POINT destination, bool fromCommitted,
                        bool alignReduced) {
    if (renderState_ == RenderState::Idle) return;
    if (target_ == pictureSurface_.get() && !fromCommitted) return;
    // A surface on the committed picture lives on the stack: regions are
    // shown on every stylus move.
    std::optional<Surface> committed;
    const Surface* from = pictureSurface_.get();
    if (fromCommitted) {
        committed.emplace(committedPicture_.get());
        from = &*committed;
    }
    if (!from) return;
    const std::int32_t left = source.left, top = source.top;
    const std::int32_t w = source.right - left, h = source.bottom - top;
    const int z = zoomShift_;
    if (z < 0 && target_ != pictureSurface_.get() && alignReduced) {
        // Reduced, the view shows every f-th canvas pixel, starting from a
        // multiple of f. The region is reduced from a corner on a multiple of
        // four, which lies on that grid at both reduced zooms, and placed
        // where that corner maps, which is exact: the pixels picked and
        // their places are the ones a full repaint shows, also where the
        // region reaches past the picture's top or left edge. The square
        // grows until it covers the region from the moved corner.
        const std::int32_t alignedLeft = left & ~3, alignedTop = top & ~3;
        POINT at{destination.x - (left - alignedLeft), destination.y - (top - alignedTop)};
        toDevice(&at, 1, nullptr);
        const std::int32_t m = std::max(source.right - alignedLeft, source.bottom - alignedTop);
        const int s = -z;
        const std::int32_t growth = z == -1 ? 2 : 4;
        std::int32_t t = growth;
        while (t < m)
            t *= growth;
        target_->stretchBlit(at.x, at.y, t >> s, t >> s, *from, alignedLeft, alignedTop, t, t);
        return;
    }
    toDevice(&destination, 1, nullptr);
    if (z < 0 && target_ != pictureSurface_.get()) {
        const int s = -z;
        target_->stretchBlit(destination.x, destination.y, w >> s, h >> s, *from, left, top, w, h);
    } else if (target_ == windowSurface_.get()) {
        target_->stretchBlit(destination.x, destination.y, w * (1 << z), h * (1 << z), *from, left,
                             top, w, h);
    } else {
        target_->blit(destination.x, destination.y, w, h, *from, left, top);
    }
}
