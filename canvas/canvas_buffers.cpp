#include <algorithm>

#include "app/frame/memory_error.h"
#include "canvas/canvas.h"
#include "platform/window/window.h"

using platform::Bitmap;
using platform::Brush;
using platform::Surface;

Canvas::Canvas() = default;

Canvas::~Canvas() {
    release();
}

std::int16_t Canvas::rowStrideFor(std::uint16_t width) {
    return std::int16_t((3 * width + 3) & ~3);
}

// The rows beyond the canvas give each picture room to hold the compressed
// form of the whole canvas, with a 1/64 margin for data that does not compress.
namespace {
std::int32_t allocatedRowsFor32(std::uint16_t width, std::uint16_t height) {
    const std::int64_t s = (std::int64_t(width) + 3) * height;
    return std::int32_t(std::min<std::int64_t>((s + s / 64 + 19) / width, 0x7FFFFFFF));
}
}  // namespace

std::uint16_t Canvas::allocatedRowsFor(std::uint16_t width, std::uint16_t height) {
    return std::uint16_t(allocatedRowsFor32(width, height));
}

bool Canvas::create(platform::Window* window, std::uint16_t width, std::uint16_t height,
                    std::uint16_t viewWidth, std::uint16_t viewHeight) {
    release();
    // An empty canvas has no rows to divide among, and a huge one would need
    // more rows than a picture header can count; both are refused like any
    // picture that cannot be had.
    const std::int32_t rows = width && height ? allocatedRowsFor32(width, height) : 0;
    if (rows == 0 || rows > 0xFFFF) {
        showMemoryError();
        return false;
    }
    viewWindow_ = window;
    width_ = width;
    height_ = height;
    allocatedRows_ = std::uint16_t(rows);
    pictureHeader_ = platform::makeHeader24(width, allocatedRows_);

    livePicture_ = Bitmap::create(pictureHeader_);
    if (livePicture_) committedPicture_ = Bitmap::create(pictureHeader_);
    if (!committedPicture_ || !makeViewBuffers(viewWidth, viewHeight)) {
        showMemoryError();
        return false;
    }
    liveBits_ = livePicture_->bits();
    committedBits_ = committedPicture_->bits();

    const RECT canvasArea{0, 0, width, height};
    const Brush white = Brush::solid(Surface().backgroundColour());
    Surface(committedPicture_.get()).fillRect(canvasArea, white);

    // The live picture is whitened by a pass that shows nothing: no client
    // area, so nothing reaches the window. Without a window to pass over, it
    // is filled directly so a new drawing never starts out black.
    beginRender(false, 0, 0, 0, nullptr, nullptr, true);
    const bool passRan = renderState_ != RenderState::Idle;
    setViewTransform(true, false, 0, 0, 0, nullptr, nullptr);
    endRender();
    if (!passRan) Surface(livePicture_.get()).fillRect(canvasArea, white);

    scratchCapacity_ = fullScratchCapacity;
    while (scratchMemory_.empty() && scratchCapacity_ > 1000) {
        scratchMemory_ =
            platform::LargeBuffer(std::size_t(scratchCapacity_) * sizeof(ScratchPoint));
        if (scratchMemory_.empty()) scratchCapacity_ = std::int16_t(scratchCapacity_ - 1000);
    }
    return true;
}

bool Canvas::makeViewBuffers(std::uint16_t viewWidth, std::uint16_t viewHeight) {
    const platform::BitmapInfoHeader header = platform::makeHeader24(viewWidth, viewHeight);
    auto view = Bitmap::create(header);
    auto zoom = view ? Bitmap::create(header) : nullptr;
    platform::LargeBuffer row(zoom ? std::size_t(zoom->stride()) : 0);
    if (!zoom || row.empty()) return false;
    magnifiedRow_ = std::move(row);
    viewBuffer_ = std::move(view);
    zoomBuffer_ = std::move(zoom);
    viewBits_ = viewBuffer_->bits();
    zoomBits_ = zoomBuffer_->bits();
    viewWidth_ = viewWidth;
    viewHeight_ = viewHeight;
    return true;
}

bool Canvas::ensureViewBuffers(std::int32_t clientWidth, std::int32_t clientHeight) {
    if (!viewBuffer_ || renderState_ != RenderState::Idle) return false;
    if (clientWidth <= viewWidth_ && clientHeight <= viewHeight_) return true;
    const auto grown = [](std::int32_t wanted, std::uint16_t current) {
        return std::uint16_t(std::clamp<std::int32_t>(wanted, current, 0xFFFF));
    };
    // A window that grows past the buffers gets new ones; the pictures stay.
    return makeViewBuffers(grown(clientWidth, viewWidth_), grown(clientHeight, viewHeight_));
}

void Canvas::release() {
    target_ = nullptr;
    pictureSurface_.reset();
    viewSurface_.reset();
    windowSurface_.reset();
    savedPictureSelection_ = nullptr;
    savedViewSelection_ = nullptr;
    scratchMemory_.reset();
    scratchCapacity_ = 0;
    livePicture_.reset();
    committedPicture_.reset();
    viewBuffer_.reset();
    zoomBuffer_.reset();
    magnifiedRow_.reset();
    liveBits_ = committedBits_ = viewBits_ = zoomBits_ = nullptr;
    viewWindow_ = nullptr;
    pictureHeader_ = platform::BitmapInfoHeader{};
    viewWidth_ = viewHeight_ = width_ = height_ = allocatedRows_ = 0;
    renderState_ = RenderState::Idle;
    zoomShift_ = 0;
    zoomFactor_ = 1;
    originX_ = originY_ = clientWidth_ = clientHeight_ = offsetX_ = offsetY_ = 0;
    scrollX_ = scrollY_ = 0;
    overlay_ = false;
}

void Canvas::clear() {
    if (!viewWindow_ || !livePicture_) return;
    Surface surface;
    const Brush white = Brush::solid(surface.backgroundColour());
    const RECT allocation{0, 0, width_, allocatedRows_};
    surface.selectBitmap(livePicture_.get());
    surface.fillRect(allocation, white);
    surface.selectBitmap(committedPicture_.get());
    surface.fillRect(allocation, white);
}

bool Canvas::copyPictureRect(const RECT& area, bool liveToCommitted) {
    if (!viewWindow_ || !livePicture_) return false;
    Surface live(livePicture_.get());
    Surface committed(committedPicture_.get());
    Surface& from = liveToCommitted ? live : committed;
    Surface& to = liveToCommitted ? committed : live;
    to.blit(area.left, area.top, area.right - area.left, area.bottom - area.top, from, area.left,
            area.top);
    return true;
}

COLORREF Canvas::pixelAt(POINT p) {
    if (!viewWindow_ || !livePicture_) return 0;
    const COLORREF colour = Surface(livePicture_.get()).pixel(p.x, p.y);
    // Outside the picture there is no colour to pick.
    return colour == invalidColour ? 0 : colour;
}
