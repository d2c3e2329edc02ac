#include <algorithm>
#include <cstring>

#include "canvas/canvas.h"
#include "canvas/magnify_row.h"
#include "platform/window/window.h"

using platform::Bitmap;
using platform::Brush;
using platform::Surface;

// Left shifts of possibly negative coordinates, written as multiplications.
static std::int32_t scaleUp(std::int32_t value, int shift) {
    return value * (1 << shift);
}

void Canvas::storeTransform(std::int16_t scrollX, std::int16_t scrollY, std::int16_t zoomShift,
                            const RECT* client, const RECT* originRect) {
    scrollX_ = scrollX;
    scrollY_ = scrollY;
    zoomShift_ = zoomShift;
    zoomFactor_ = std::int16_t(1 << (zoomShift < 0 ? -zoomShift : zoomShift));
    if (zoomShift >= 0) {
        offsetX_ = -(scrollX / zoomFactor_);
        offsetY_ = -(scrollY / zoomFactor_);
    } else {
        offsetX_ = -(scrollX * zoomFactor_);
        offsetY_ = -(scrollY * zoomFactor_);
    }
    // View pixel x shows canvas pixel (x + scrollX) >> zoomShift, the pixel a
    // stylus there paints, so the picture moves one view pixel per pixel of
    // scrolling at every zoom.
    fractionX_ = zoomShift > 0 ? scrollX & (zoomFactor_ - 1) : 0;
    fractionY_ = zoomShift > 0 ? scrollY & (zoomFactor_ - 1) : 0;
    originX_ = originRect ? originRect->left : 0;
    originY_ = originRect ? originRect->top : 0;
    clientWidth_ = client ? client->right : 0;
    clientHeight_ = client ? client->bottom : 0;
}

void Canvas::beginRender(bool overlay, std::int16_t scrollX, std::int16_t scrollY,
                         std::int16_t zoomShift, const RECT* client, const RECT* originRect,
                         bool fillBackground) {
    if (client) ensureViewBuffers(client->right, client->bottom);
    windowSurface_ = viewWindow_ ? viewWindow_->getSurface() : nullptr;

    overlay_ = overlay;
    marginsDue_ = true;
    storeTransform(0, 0, 0, client, originRect);
    if (!windowSurface_ || !livePicture_) return;

    pictureSurface_ = std::make_unique<Surface>();
    savedPictureSelection_ = pictureSurface_->selectBitmap(livePicture_.get());
    renderState_ = RenderState::Begun;
    target_ = pictureSurface_.get();

    if (fillBackground)
        pictureSurface_->fillRect(RECT{0, 0, width_, height_},
                                  Brush::solid(pictureSurface_->backgroundColour()));

    // Nothing is drawn on the window beyond the picture's zoomed extent.
    std::int32_t right, bottom;
    if (zoomShift >= 0) {
        right = scaleUp(width_, zoomShift) < clientWidth_ ? scaleUp(width_ - scrollX, zoomShift)
                                                          : clientWidth_;
        bottom = scaleUp(height_, zoomShift) < clientHeight_ ? scaleUp(height_ - scrollY, zoomShift)
                                                             : clientHeight_;
    } else {
        const int s = -zoomShift;
        right = (width_ >> s) < clientWidth_ ? (width_ - scrollX) >> s : clientWidth_;
        bottom = (height_ >> s) < clientHeight_ ? (height_ - scrollY) >> s : clientHeight_;
    }
    windowClip_ = RECT{0, 0, right, bottom};
    windowSurface_->setClipRect(windowClip_);
}

// Fills `area` of the view buffer grey, except where the picture was just
// copied: those pixels are painted once, not twice.
static void fillAround(Surface& surface, const RECT& area, const RECT& hole) {
    const Brush grey = Brush::solid(Canvas::marginColour);
    const RECT inner{std::max(area.left, hole.left), std::max(area.top, hole.top),
                     std::min(area.right, hole.right), std::min(area.bottom, hole.bottom)};
    if (inner.left >= inner.right || inner.top >= inner.bottom) {
        surface.fillRect(area, grey);
        return;
    }
    surface.fillRect(RECT{area.left, area.top, area.right, inner.top}, grey);
    surface.fillRect(RECT{area.left, inner.bottom, area.right, area.bottom}, grey);
    surface.fillRect(RECT{area.left, inner.top, inner.left, inner.bottom}, grey);
    surface.fillRect(RECT{inner.right, inner.top, area.right, inner.bottom}, grey);
}

void Canvas::composeView(const RECT& greyArea) {
    const RECT copied = copyVisiblePart();
    // Only the part of the view buffer that can reach the window needs its
    // grey: the window is clipped to the picture's extent, and above 100 %
    // only the top-left part of the buffer is magnified.
    RECT shown = windowClip_;
    if (zoomShift_ > 0) {
        shown.right = (shown.right + fractionX_ + zoomFactor_ - 1) >> zoomShift_;
        shown.bottom = (shown.bottom + fractionY_ + zoomFactor_ - 1) >> zoomShift_;
    }
    const RECT area{std::max(greyArea.left, shown.left), std::max(greyArea.top, shown.top),
                    std::min(greyArea.right, shown.right), std::min(greyArea.bottom, shown.bottom)};
    if (area.left < area.right && area.top < area.bottom) fillAround(*viewSurface_, area, copied);
}

RECT Canvas::copyVisiblePart() {
    const int z = zoomShift_;
    RECT written{};
    if (z == 0) {
        viewSurface_->blit(0, 0, clientWidth_, clientHeight_, *target_, scrollX_, scrollY_,
                           &written);
    } else if (z > 0) {
        // Only the canvas pixels that show are copied, the first of them
        // perhaps only in part; they are magnified later.
        viewSurface_->blit(0, 0, (clientWidth_ + fractionX_ + zoomFactor_ - 1) >> z,
                           (clientHeight_ + fractionY_ + zoomFactor_ - 1) >> z, *target_,
                           scrollX_ >> z, scrollY_ >> z, &written);
    } else {
        // A power-of-two square keeps the reduction ratio exactly 2^-s.
        const int s = -z;
        const std::int32_t m = std::max(scaleUp(clientWidth_, s), scaleUp(clientHeight_, s));
        std::int32_t t = 4;
        while (t < m)
            t = scaleUp(t, s);
        viewSurface_->stretchBlit(0, 0, t >> s, t >> s, *target_, scaleUp(scrollX_, s),
                                  scaleUp(scrollY_, s), t, t, &written);
    }
    return written;
}

void Canvas::setViewTransform(bool copyToWindow, bool useViewBuffer, std::int16_t scrollX,
                              std::int16_t scrollY, std::int16_t zoomShift, const RECT* client,
                              const RECT* originRect) {
    storeTransform(scrollX, scrollY, zoomShift, client, originRect);
    if (renderState_ != RenderState::Begun) return;
    renderState_ = RenderState::Mapped;
    viewSurface_.reset();

    if (overlay_) {
        if (!viewBuffer_) return;
        viewSurface_ = std::make_unique<Surface>();
        savedViewSelection_ = viewSurface_->selectBitmap(viewBuffer_.get());
        if (useViewBuffer) {
            composeView(RECT{originX_, originY_, clientWidth_, clientHeight_});
        } else {
            viewSurface_->blit(0, 0, clientWidth_, clientHeight_, *target_, scrollX_, scrollY_);
        }
        target_ = viewSurface_.get();
        return;
    }

    if (useViewBuffer && viewBuffer_) {
        viewSurface_ = std::make_unique<Surface>();
        savedViewSelection_ = viewSurface_->selectBitmap(viewBuffer_.get());
        composeView(client ? *client : RECT{});
        target_ = viewSurface_.get();
        return;
    }
    // Without the view buffer, tools draw straight onto the window over what
    // it shows, clipped to the picture: without a copy the margins stay as
    // they were.
    if (copyToWindow)
        windowSurface_->blit(0, 0, clientWidth_, clientHeight_, *target_, scrollX_, scrollY_);
    else
        marginsDue_ = false;
    target_ = windowSurface_.get();
}

// Magnifies the top-left part of the view buffer by the zoom factor into
// `area` of `destination`: pixel (x, y) there shows view buffer pixel
// ((x + fractionX) / f, (y + fractionY) / f). A row is built once and the
// rows below it that show the same view row are copies of it.
void Canvas::replicateInto(Bitmap& destination, const RECT& area) const {
    const int f = zoomFactor_;
    const std::int32_t left = std::max(area.left, 0);
    const std::int32_t right =
        std::min<std::int32_t>({area.right, viewWidth_, destination.width()});
    const std::int32_t top = std::max(area.top, 0);
    const std::int32_t bottom =
        std::min<std::int32_t>({area.bottom, viewHeight_, destination.height()});
    if (left >= right || top >= bottom) return;
    const std::size_t bytes = std::size_t(right - left) * 3;
    // Each magnified row is built once in a small buffer that stays in the
    // processor's cache and copied out to the rows that show it, so the
    // destination is only ever written in whole-row copies.
    std::uint8_t* row = magnifiedRow_.data();
    for (std::int32_t y = top; y < bottom; ++y) {
        std::uint8_t* out = destination.row(y) + std::ptrdiff_t(left) * 3;
        const std::int32_t shown = y + fractionY_;
        if (y > top && shown % f != 0) {
            std::memcpy(out, row, bytes);
            continue;
        }
        const std::uint8_t* source = viewBuffer_->row(shown / f);
        magnifyRow(row, source, viewWidth_, left + fractionX_, right + fractionX_, f);
        std::memcpy(out, row, bytes);
    }
}

void Canvas::composeZoom() {
    if (renderState_ != RenderState::Mapped) return;
    renderState_ = RenderState::Zoomed;
    if (!viewSurface_ || zoomShift_ <= 0 || !zoomBuffer_) return;
    replicateInto(*zoomBuffer_, RECT{0, 0, viewWidth_, viewHeight_});
    std::memcpy(viewBits_, zoomBits_, viewBuffer_->byteCount());
}

void Canvas::paintMargins() {
    POINT corner{width_, height_};
    toDevice(&corner, 1, nullptr);
    if (corner.x >= clientWidth_ && corner.y >= clientHeight_) return;
    const Brush grey = Brush::solid(marginColour);
    if (corner.x < clientWidth_)
        windowSurface_->fillRect(RECT{corner.x, 0, clientWidth_, clientHeight_}, grey);
    // The bottom strip stops where the right strip began: the corner they
    // share is grey already.
    if (corner.y < clientHeight_)
        windowSurface_->fillRect(
            RECT{0, corner.y, corner.x < clientWidth_ ? corner.x : clientWidth_, clientHeight_},
            grey);
}

void Canvas::finishPass() {
    if (viewSurface_) {
        viewSurface_->selectBitmap(savedViewSelection_);
        viewSurface_.reset();
    }
    if (pictureSurface_) {
        pictureSurface_->selectBitmap(savedPictureSelection_);
        pictureSurface_.reset();
    }
    // Releasing the window's surface presents what the pass drew.
    windowSurface_.reset();
    target_ = nullptr;
    renderState_ = RenderState::Idle;
}

void Canvas::endRender() {
    if (!windowSurface_) {
        finishPass();
        return;
    }
    pictureSurface_.reset();
    if (viewSurface_) {
        Surface& window = *windowSurface_;
        if (overlay_ || zoomShift_ == 0) {
            window.blit(0, originY_, clientWidth_, clientHeight_, *viewSurface_, 0, 0);
        } else if (zoomShift_ > 0) {
            // Magnified straight onto the window, within its clip: the same
            // pixels as magnifying into the zoom buffer and copying that.
            if (zoomBuffer_ && window.bitmap()) {
                const RECT area = window.drawableArea();
                replicateInto(
                    *window.bitmap(),
                    RECT{area.left, area.top, std::min<std::int32_t>(area.right, viewWidth_),
                         std::min<std::int32_t>(area.bottom, viewHeight_)});
            }
        } else {
            window.blit(0, 0, clientWidth_, clientHeight_, *viewSurface_, 0, 0);
        }
        viewSurface_.reset();
    }
    windowSurface_->clearClip();
    // The overlay pass ends Zoomed; the margins are placed with the window mapping.
    if (overlay_) renderState_ = RenderState::Mapped;
    if (marginsDue_) paintMargins();
    finishPass();
}
